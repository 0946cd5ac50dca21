#pragma once

// The requests of the analysis program to the maker's server: one form-encoded POST at a time,
// whose whole reply body is kept for reading, under a guard that abandons it after 20 seconds.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <string>

#include "platform/httpclient.h"
#include "shell/replycoding.h"

class ServerRequests : public QObject {
public:
    static constexpr std::chrono::milliseconds DefaultGuard{20000};
    // No reply of the maker's server is larger; a larger one fails the request.
    static constexpr uint64_t MaxReplyBytes = 1 << 20;

    // proxy: the detected proxy, read at every request.
    explicit ServerRequests(const ProxyAddress& proxy, std::chrono::milliseconds guard = DefaultGuard,
                            QObject* parent = nullptr);

    // Sets SiteRoot and ServiceRoot from the base address of the server.
    void SetRoots(const std::string& siteRoot);

    // Posts body to url and keeps the reply body in ResponseBytes, also when the request ends
    // in an error, which then goes on as an HttpError. While a request is pending, a second one
    // is refused with an HttpError and leaves the first untouched.
    void PostRequest(const std::string& url, const std::string& body);

    // The guard's tick: abandons the pending request and sets RequestTimedOut.
    void TimerHttpReadyTimer();

    // A reader of the last reply (ShortReply when it holds fewer than 2 bytes).
    ReplyReader Reply() const { return ReplyReader(ResponseBytes); }

    bool Pending() const { return httpcli1.Pending(); }
    const ProxyAddress& Proxy() const { return proxy_; }

    std::string SiteRoot;
    std::string ServiceRoot;
    std::string ResponseBytes;
    bool RequestTimedOut = false;

    HttpClient httpcli1;
    QTimer TimerHttpReady;

private:
    const ProxyAddress& proxy_;
};
