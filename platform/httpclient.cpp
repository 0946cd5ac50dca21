#include "platform/httpclient.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkRequest>
#include <QUrl>

#include "platform/qtextconvert.h"

namespace {

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Text(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The address as a URL, or an invalid URL when it is no http or https address.
QUrl UrlOf(const std::string& address) {
    QString text = ToQString(address);
    if (!text.contains(QStringLiteral("://"))) text.prepend(QStringLiteral("http://"));
    QUrl url(text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https")) return {};
    return url;
}

// Keeps the answer's body and stops the guard however the request ends.
class GuardedRequest {
public:
    GuardedRequest(HttpClient& client, QTimer& guard, std::string& response)
        : client_(client), guard_(guard), response_(response) {
        client_.SetReceiveSink(&body_);
        guard_.start();
    }
    ~GuardedRequest() {
        guard_.stop();
        client_.SetReceiveSink(nullptr);
        response_ = std::move(body_.bytes);
    }
    GuardedRequest(const GuardedRequest&) = delete;
    GuardedRequest& operator=(const GuardedRequest&) = delete;

private:
    HttpClient& client_;
    QTimer& guard_;
    std::string& response_;
    MemorySink body_;
};

// Leaves the client without a pending reply however the request ends.
class PendingReply {
public:
    PendingReply(QPointer<QNetworkReply>& slot, QNetworkReply* reply) : slot_(slot) { slot_ = reply; }
    ~PendingReply() {
        if (slot_) slot_->deleteLater();
        slot_ = nullptr;
    }
    PendingReply(const PendingReply&) = delete;
    PendingReply& operator=(const PendingReply&) = delete;

private:
    QPointer<QNetworkReply>& slot_;
};

}  // namespace

HttpClient::HttpClient(QObject* parent) : QObject(parent) {
    manager_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

HttpClient::~HttpClient() {
    if (reply_) reply_->abort();
}

void HttpClient::Get() {
    Run(QNetworkAccessManager::GetOperation);
}

void HttpClient::Post() {
    Run(QNetworkAccessManager::PostOperation);
}

void HttpClient::Abort() {
    if (!reply_ || reply_->isFinished()) return;
    aborted_ = true;
    reply_->abort();
}

std::string HttpClient::DocumentNameOf(const std::string& address) {
    constexpr const char* kDefault = "document.htm";
    const size_t scheme = address.find("://");
    const size_t start = scheme == std::string::npos ? 0 : scheme + 3;
    const size_t slash = address.find('/', start);
    const size_t query = address.find('?', start);
    if (slash == std::string::npos || (query != std::string::npos && query < slash)) return kDefault;
    const std::string path =
        address.substr(slash, query == std::string::npos ? std::string::npos : query - slash);
    if (path.back() == '/') return kDefault;
    return path.substr(path.rfind('/') + 1);
}

QNetworkRequest HttpClient::BuildRequest(const QUrl& url, bool post) const {
    QNetworkRequest request(url);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    if (!Agent.empty()) request.setRawHeader("User-Agent", Bytes(Agent));
    if (!Accept.empty()) request.setRawHeader("Accept", Bytes(Accept));
    if (NoCache) request.setRawHeader("Pragma", "no-cache");
    if (!Cookie.empty()) request.setRawHeader("Cookie", Bytes(Cookie));
    if (post && !ContentTypePost.empty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, Bytes(ContentTypePost));
    // Qt answers a proxy's challenge only; the credentials go with the request itself.
    if (!ProxyHost.empty() && !ProxyUsername.empty() && url.scheme().toLower() == "http") {
        request.setRawHeader("Proxy-Authorization",
                             "Basic " + Bytes(ProxyUsername + ":" + ProxyPassword).toBase64());
    }
    return request;
}

void HttpClient::ConfigureProxy() {
    if (ProxyHost.empty()) {
        manager_.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        return;
    }
    bool ok = false;
    const int port = ToQString(ProxyPort).toInt(&ok);
    if (!ok || port < 1 || port > 65535) throw HttpError(0, "Invalid proxy port '" + ProxyPort + "'");
    manager_.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, ToQString(ProxyHost),
                                    static_cast<quint16>(port), ToQString(ProxyUsername),
                                    ToQString(ProxyPassword)));
}

void HttpClient::BeginDocument() {
    if (documentBegun_ || !reply_) return;
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) return;
    documentBegun_ = true;
    status_ = status.toInt();
    reason_ = Text(reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
    for (const auto& [name, value] : reply_->rawHeaderPairs())
        headerLines_.push_back(Text(name + ": " + value));
    contentType_ = Text(reply_->rawHeader("Content-Type"));
    if (OnHeaderEnd) OnHeaderEnd();
    if (OnDocBegin) OnDocBegin();
}

void HttpClient::ReadBody() {
    if (!reply_) return;
    BeginDocument();
    while (reply_ && reply_->bytesAvailable() > 0) {
        const QByteArray block = reply_->read(64 * 1024);
        if (block.isEmpty()) break;
        if (sink_) sink_->Write(block.constData(), static_cast<size_t>(block.size()));
        if (OnDocData) OnDocData(static_cast<size_t>(block.size()));
    }
}

void HttpClient::Run(QNetworkAccessManager::Operation operation) {
    if (reply_) throw HttpError(0, BusyReason);
    status_ = 0;
    reason_.clear();
    headerLines_.clear();
    contentType_.clear();
    aborted_ = false;
    documentBegun_ = false;
    docName_ = DocumentNameOf(Url);

    const QUrl url = UrlOf(Url);
    if (url.isEmpty()) throw HttpError(0, "Invalid address '" + Url + "'");
    ConfigureProxy();
    const bool post = operation == QNetworkAccessManager::PostOperation;
    const QNetworkRequest request = BuildRequest(url, post);
    QNetworkReply* reply = post ? manager_.post(request, Bytes(SendBody)) : manager_.get(request);
    PendingReply pending(reply_, reply);
    QEventLoop loop;
    connect(reply, &QNetworkReply::readyRead, this, &HttpClient::ReadBody);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    if (!reply->isFinished()) Abort();  // the application is ending: the request is abandoned
    disconnect(reply, nullptr, this, nullptr);
    ReadBody();
    if (documentBegun_ && OnDocEnd) OnDocEnd();

    if (aborted_) {
        status_ = AbortStatus;
        reason_ = AbortReason;
        throw HttpError(status_, reason_);
    }
    if (status_ >= 400) throw HttpError(status_, std::to_string(status_) + " " + reason_);
    const QNetworkReply::NetworkError error = reply->error();
    const bool redirectNotFollowed =
        status_ >= 300 && status_ < 400 &&
        (error == QNetworkReply::InsecureRedirectError || error == QNetworkReply::TooManyRedirectsError);
    if (error != QNetworkReply::NoError && !redirectNotFollowed) {
        reason_ = FromQString(reply->errorString());
        throw HttpError(status_, reason_);
    }
}

void PostUnderGuard(HttpClient& client, QTimer& guard, std::string& response) {
    const GuardedRequest request(client, guard, response);
    client.Post();
}
