#pragma once

// The HTTP client of both programs: HTTP/1.1 of our own on Qt's sockets (TLS through
// QSslSocket), one connection per request, so that every byte of an answer is checked and
// bounded here. Requests are synchronous: Get and Post return when the request has ended,
// running a nested event loop meanwhile, so timers fire and windows repaint; a timer handler may
// call Abort during the wait. One request at a time.

#include <QObject>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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

// Where the body of an answer goes. Write answers false when it wants nothing more: the
// transfer then ends there, quietly, with the server's status.
class ReceiveSink {
public:
    virtual ~ReceiveSink() = default;
    virtual bool Write(const char* data, size_t length) = 0;
};

class MemorySink : public ReceiveSink {
public:
    bool Write(const char* data, size_t length) override {
        bytes.append(data, length);
        return true;
    }
    std::string bytes;
};

class HttpClient : public QObject {
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

    // The largest body accepted (0: no limit); a larger one fails the request.
    uint64_t MaxBodyBytes = 0;

    // Past this moment the request is ended by OnDeadline (Abort when unset), also when the
    // event loop is too busy with arriving data to run a watchdog timer in time.
    std::optional<std::chrono::steady_clock::time_point> Deadline;
    std::function<void()> OnDeadline;

    // The body goes to the sink set at the time each block arrives (none: it is dropped);
    // the document-begin handler may set it.
    void SetReceiveSink(ReceiveSink* sink) { sink_ = sink; }

    void Get();
    void Post();

    // Ends the pending request (status 404, "Connection aborted on request"), also when its last
    // byte has arrived but not been handed on yet; nothing when idle.
    void Abort();

    bool Pending() const { return running_; }

    // Results of the last request.
    int StatusCode() const { return status_; }
    const std::string& ReasonPhrase() const { return reason_; }
    const std::vector<std::string>& RcvdHeader() const { return headerLines_; }  // as received
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
    struct Head;
    class Connection;

    void Run(bool post);
    // One request and its answer; the status of a redirection to follow to next, else 0.
    int Exchange(const QUrl& url, bool post, int hop, QUrl& next);
    void ReadBody(const Head& head);
    // Hands on the next count bytes of the body as they arrive; the bytes still missing when
    // the connection ended first (0 also when the sink wanted nothing more).
    uint64_t Relay(uint64_t count);
    void Deliver(const char* data, size_t length);
    void CheckDeadline();
    void CheckProxy() const;
    // The Proxy-Authorization header line, when the proxy has a user.
    QByteArray ProxyCredentials() const;

    std::unique_ptr<Connection> connection_;
    ReceiveSink* sink_ = nullptr;
    bool running_ = false;
    bool aborted_ = false;
    bool stopped_ = false;  // the sink wanted nothing more
    bool documentBegun_ = false;
    uint64_t received_ = 0;

    int status_ = 0;
    std::string reason_;
    std::vector<std::string> headerLines_;
    std::string contentType_;
    std::string docName_;
};

// Posts the client's request with a guard timer switched on for its duration, and keeps the whole
// body of the answer in response, also when the request fails (the HttpError then goes on).
void PostUnderGuard(HttpClient& client, QTimer& guard, std::string& response);
