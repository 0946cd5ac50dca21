#pragma once

// The HTTP client of both programs, on Qt Network. Requests are synchronous: Get and Post
// return when the request has ended, running a nested event loop meanwhile, so timers fire and
// windows repaint; a timer handler may call Abort during the wait. One request at a time.

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// An HTTP proxy: host and port as texts; an empty host means a direct connection.
struct ProxyAddress {
    std::string Host;
    std::string Port;

    bool operator==(const ProxyAddress&) const = default;
};

// Every failure of a request: no connection, a name that does not resolve, an invalid address,
// an abort, or an answer of status 400 or more. what() is the client's text.
class HttpError : public std::runtime_error {
public:
    HttpError(int status, const std::string& text) : std::runtime_error(text), status_(status) {}
    int Status() const { return status_; }

private:
    int status_;
};

// Where the body of an answer goes.
class ReceiveSink {
public:
    virtual ~ReceiveSink() = default;
    virtual void Write(const char* data, size_t length) = 0;
};

class MemorySink : public ReceiveSink {
public:
    void Write(const char* data, size_t length) override { bytes.append(data, length); }
    std::string bytes;
};

class HttpClient : public QObject {
    Q_OBJECT

public:
    static constexpr const char* AbortReason = "Connection aborted on request";
    static constexpr const char* BusyReason = "A request is already pending on this client";
    static constexpr int AbortStatus = 404;
    static constexpr int MaxRedirects = 10;

    explicit HttpClient(QObject* parent = nullptr);
    ~HttpClient() override;

    // Request settings. Texts are Windows-1252; an address without a scheme is taken as http.
    std::string Url;
    std::string Agent;
    std::string Accept;
    bool NoCache = false;  // sends "Pragma: no-cache"
    std::string ContentTypePost = "application/x-www-form-urlencoded";
    std::string SendBody;  // body of a POST
    std::string Cookie;
    std::string ProxyHost;  // empty: direct connection
    std::string ProxyPort;
    std::string ProxyUsername;  // with a proxy host, sent as Basic proxy credentials
    std::string ProxyPassword;

    // The body goes to the sink set at the time each block arrives (none: it is dropped);
    // the document-begin handler may set it.
    void SetReceiveSink(ReceiveSink* sink) { sink_ = sink; }

    void Get();
    void Post();

    // Ends the pending request (status 404, "Connection aborted on request"); nothing when idle.
    void Abort();

    bool Pending() const { return reply_ != nullptr; }

    // Results of the last request.
    int StatusCode() const { return status_; }
    const std::string& ReasonPhrase() const { return reason_; }
    const std::vector<std::string>& RcvdHeader() const { return headerLines_; }
    const std::string& ContentType() const { return contentType_; }
    const std::string& DocName() const { return docName_; }

    // Events during a request: all header lines received, body begins, a block of the given
    // length arrived, body ended.
    std::function<void()> OnHeaderEnd;
    std::function<void()> OnDocBegin;
    std::function<void(size_t)> OnDocData;
    std::function<void()> OnDocEnd;

    // Name of the document an address asks for: the last segment of its path, cut before any
    // "?"; "document.htm" when the path is empty or ends with "/".
    static std::string DocumentNameOf(const std::string& address);

private:
    void Run(QNetworkAccessManager::Operation operation);
    QNetworkRequest BuildRequest(const QUrl& url, bool post) const;
    void ConfigureProxy();
    void BeginDocument();
    void ReadBody();

    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> reply_;
    ReceiveSink* sink_ = nullptr;
    bool aborted_ = false;
    bool documentBegun_ = false;

    int status_ = 0;
    std::string reason_;
    std::vector<std::string> headerLines_;
    std::string contentType_;
    std::string docName_;
};

// Posts the client's request with a guard timer switched on for its duration, and keeps the whole
// body of the answer in response, also when the request fails (the HttpError then goes on).
void PostUnderGuard(HttpClient& client, QTimer& guard, std::string& response);
