#include "shell/serverrequest.h"

#include "shell/serveraddress.h"

ServerRequests::ServerRequests(const ProxyAddress& proxy, std::chrono::milliseconds guard, QObject* parent)
    : QObject(parent), proxy_(proxy) {
    httpcli1.Agent = MakerClientAgent;
    httpcli1.Accept = MakerClientAccept;
    httpcli1.NoCache = true;
    httpcli1.ContentTypePost = "application/x-www-form-urlencoded";
    httpcli1.MaxBodyBytes = MaxReplyBytes;
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
    PostUnderGuard(httpcli1, TimerHttpReady, ResponseBytes);
}

void ServerRequests::TimerHttpReadyTimer() {
    TimerHttpReady.stop();
    httpcli1.Abort();
    RequestTimedOut = true;
}
