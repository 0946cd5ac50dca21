#include "shell/serverrequest.h"

#include "shell/serveraddress.h"

namespace {

// Keeps the reply body and stops the guard however the request ends.
class RequestInProgress {
public:
    RequestInProgress(QTimer& guard, HttpClient& client, std::string& response)
        : guard_(guard), client_(client), response_(response) {
        client_.SetReceiveSink(&body_);
        guard_.start();
    }
    ~RequestInProgress() {
        guard_.stop();
        client_.SetReceiveSink(nullptr);
        response_ = std::move(body_.bytes);
    }
    RequestInProgress(const RequestInProgress&) = delete;
    RequestInProgress& operator=(const RequestInProgress&) = delete;

private:
    QTimer& guard_;
    HttpClient& client_;
    std::string& response_;
    MemorySink body_;
};

}  // namespace

ServerRequests::ServerRequests(const ProxyAddress& proxy, std::chrono::milliseconds guard, QObject* parent)
    : QObject(parent), proxy_(proxy) {
    httpcli1.Agent = UserAgent;
    httpcli1.Accept = AcceptedTypes;
    httpcli1.NoCache = true;
    httpcli1.ContentTypePost = "application/x-www-form-urlencoded";
    TimerHttpReady.setInterval(guard);
    TimerHttpReady.setSingleShot(true);
    connect(&TimerHttpReady, &QTimer::timeout, this, &ServerRequests::TimerHttpReadyTimer);
}

void ServerRequests::SetRoots(const std::string& siteRoot) {
    SiteRoot = siteRoot;
    ServiceRoot = SiteRoot + ServicePath;
}

void ServerRequests::PostRequest(const std::string& url, const std::string& body) {
    if (httpcli1.Pending()) throw HttpError(0, HttpClient::BusyReason);
    httpcli1.SendBody = body;
    httpcli1.ProxyHost = proxy_.Host;
    httpcli1.ProxyPort = proxy_.Port;
    httpcli1.ProxyUsername.clear();
    httpcli1.ProxyPassword.clear();
    httpcli1.Cookie.clear();
    httpcli1.Url = url;
    const RequestInProgress request(TimerHttpReady, httpcli1, ResponseBytes);
    httpcli1.Post();
}

void ServerRequests::TimerHttpReadyTimer() {
    TimerHttpReady.stop();
    httpcli1.Abort();
    RequestTimedOut = true;
}
