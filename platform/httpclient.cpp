#include "platform/httpclient.h"

#include <QEventLoop>
#include <QSslSocket>
#include <QTcpSocket>

#include "platform/qtextconvert.h"

namespace {

// Bounds of an answer's head.
constexpr size_t kMaxHeadLine = 16 * 1024;
constexpr size_t kMaxHeadBytes = 64 * 1024;
constexpr int kMaxHeadLines = 200;
constexpr size_t kMaxChunkLine = 1024;
constexpr qint64 kBlock = 64 * 1024;
// Qt keeps no more than this unread from the socket: a server sending faster than the body
// is handed on waits.
constexpr qint64 kSocketBuffer = 256 * 1024;

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Text(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
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

bool IsTls(const QUrl& url) {
    return url.scheme().toLower() == "https";
}

int PortOf(const QUrl& url) {
    return url.port(IsTls(url) ? 443 : 80);
}

// "host" or "host:port" as the Host header and CONNECT name it.
QByteArray Authority(const QUrl& url) {
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) host = "[" + host + "]";
    const int port = PortOf(url);
    if (port != (IsTls(url) ? 443 : 80)) host += ":" + QByteArray::number(port);
    return host;
}

// Why a request failed, with the status it leaves (0: no HTTP answer).
struct TransferFailure {
    int status;
    std::string reason;
};

// The request was aborted, or the application is ending.
struct Aborted {};

}  // namespace

// The parsed head of an answer.
struct HttpClient::Head {
    int status = 0;
    std::string reason;
    std::vector<std::string> lines;

    // The value of the last header of that name (letter case ignored), or nothing.
    std::optional<std::string> Value(const std::string& name) const {
        std::optional<std::string> value;
        const std::string wanted = Lower(name);
        for (const std::string& line : lines) {
            const size_t colon = line.find(':');
            if (colon != std::string::npos && Lower(Trimmed(line.substr(0, colon))) == wanted)
                value = Trimmed(line.substr(colon + 1));
        }
        return value;
    }
};

// One connection, to the server or through the proxy, with what has been read and not yet
// taken. Waiting runs a nested event loop that wakes on the socket's signals and on Abort.
class HttpClient::Connection {
public:
    explicit Connection(HttpClient& client) : client_(client) {}
    ~Connection() {
        if (socket_) socket_->abort();
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Open(const QUrl& url, bool viaProxy) {
        const bool tls = IsTls(url);
        if (tls) {
            socket_ = std::make_unique<QSslSocket>();
        } else {
            socket_ = std::make_unique<QTcpSocket>();
        }
        socket_->setReadBufferSize(kSocketBuffer);
        const auto wake = [this] { Wake(); };
        QObject::connect(socket_.get(), &QAbstractSocket::readyRead, wake);
        QObject::connect(socket_.get(), &QAbstractSocket::connected, wake);
        QObject::connect(socket_.get(), &QAbstractSocket::disconnected, wake);
        QObject::connect(socket_.get(), &QAbstractSocket::errorOccurred, wake);
        QObject::connect(socket_.get(), &QAbstractSocket::bytesWritten, wake);
        if (tls) QObject::connect(static_cast<QSslSocket*>(socket_.get()), &QSslSocket::encrypted, wake);

        if (viaProxy) {
            socket_->connectToHost(ToQString(client_.ProxyHost), ToQString(client_.ProxyPort).toUShort());
        } else {
            socket_->connectToHost(url.host(), static_cast<quint16>(PortOf(url)));
        }
        while (socket_->state() != QAbstractSocket::ConnectedState) {
            if (socket_->state() == QAbstractSocket::UnconnectedState) Fail(0);
            Wait();
        }
        if (!tls) return;
        if (viaProxy) Tunnel(url);
        auto* ssl = static_cast<QSslSocket*>(socket_.get());
        ssl->setPeerVerifyName(url.host());
        ssl->startClientEncryption();
        while (!ssl->isEncrypted()) {
            if (ssl->state() != QAbstractSocket::ConnectedState) Fail(0);
            Wait();
        }
    }

    void Write(const QByteArray& bytes) { socket_->write(bytes); }

    // The next line (LF or CR LF taken off); TransferFailure when it runs past max or the
    // connection ends first.
    std::string ReadLine(size_t max, int status, const char* what) {
        while (true) {
            const size_t end = buffer_.find('\n', taken_);
            if (end != std::string::npos) {
                std::string line = buffer_.substr(taken_, end - taken_);
                taken_ = end + 1;
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (line.size() > max) throw TransferFailure{status, std::string(what) + " too long"};
                return line;
            }
            if (buffer_.size() - taken_ > max) throw TransferFailure{status, std::string(what) + " too long"};
            if (!Fill()) throw TransferFailure{status, std::string("Connection closed in the ") + what};
        }
    }

    // Up to max bytes that have arrived (waiting for some); empty at the end of the stream.
    std::string_view Take(size_t max) {
        if (taken_ == buffer_.size() && !Fill()) return {};
        const size_t length = std::min(max, buffer_.size() - taken_);
        const std::string_view bytes(buffer_.data() + taken_, length);
        taken_ += length;
        return bytes;
    }

    void Wake() {
        woken_ = true;
        if (loop_ != nullptr) loop_->quit();
    }

private:
    // Reads what the socket holds; false at the end of the stream.
    bool Fill() {
        if (taken_ == buffer_.size()) {
            buffer_.clear();
            taken_ = 0;
        }
        while (true) {
            if (socket_->bytesAvailable() > 0) {
                buffer_ += Text(socket_->read(kBlock));
                return true;
            }
            if (socket_->state() != QAbstractSocket::ConnectedState) {
                if (socket_->error() == QAbstractSocket::RemoteHostClosedError ||
                    socket_->error() == QAbstractSocket::UnknownSocketError) {
                    return false;
                }
                Fail(client_.status_);
            }
            Wait();
        }
    }

    // The way through the proxy to a TLS server.
    void Tunnel(const QUrl& url) {
        const QByteArray request = "CONNECT " + Authority(url) + " HTTP/1.1\r\nHost: " + Authority(url) +
                                   "\r\n" + client_.ProxyCredentials();
        Write(request + "\r\n");
        const std::string status = ReadLine(kMaxHeadLine, 0, "proxy's answer");
        while (!ReadLine(kMaxHeadLine, 0, "proxy's answer").empty()) {
        }
        if (status.rfind("HTTP/1.", 0) != 0 || status.size() < 12 || status[9] != '2')
            throw TransferFailure{0, "The proxy refused the connection: " + status};
    }

    [[noreturn]] void Fail(int status) { throw TransferFailure{status, FromQString(socket_->errorString())}; }

    void Wait() {
        client_.CheckDeadline();
        if (client_.aborted_) throw Aborted{};
        QEventLoop loop;
        loop_ = &loop;
        woken_ = false;
        loop.exec();
        loop_ = nullptr;
        // Woken by nothing of ours: the application is ending, and the request is abandoned.
        if (!woken_) client_.aborted_ = true;
        if (client_.aborted_) throw Aborted{};
        client_.CheckDeadline();
        if (client_.aborted_) throw Aborted{};
    }

    HttpClient& client_;
    std::unique_ptr<QAbstractSocket> socket_;
    QEventLoop* loop_ = nullptr;
    bool woken_ = false;
    std::string buffer_;
    size_t taken_ = 0;
};

HttpClient::HttpClient(QObject* parent) : QObject(parent) {}

HttpClient::~HttpClient() = default;

void HttpClient::Get() {
    Run(false);
}

void HttpClient::Post() {
    Run(true);
}

void HttpClient::Abort() {
    if (!running_) return;
    aborted_ = true;
    if (connection_) connection_->Wake();
}

void HttpClient::CheckDeadline() {
    if (!Deadline || aborted_ || std::chrono::steady_clock::now() < *Deadline) return;
    Deadline.reset();
    if (OnDeadline) {
        OnDeadline();
    } else {
        Abort();
    }
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

QByteArray HttpClient::ProxyCredentials() const {
    if (ProxyUsername.empty()) return {};
    return "Proxy-Authorization: Basic " + Bytes(ProxyUsername + ":" + ProxyPassword).toBase64() + "\r\n";
}

void HttpClient::CheckProxy() const {
    if (ProxyHost.empty()) return;
    bool ok = false;
    const int port = ToQString(ProxyPort).toInt(&ok);
    if (!ok || port < 1 || port > 65535) throw HttpError(0, "Invalid proxy port '" + ProxyPort + "'");
}

int HttpClient::Exchange(const QUrl& url, bool post, int hop, QUrl& next) {
    const bool viaProxy = !ProxyHost.empty();
    connection_ = std::make_unique<Connection>(*this);
    connection_->Open(url, viaProxy);

    // Plain http through a proxy names the whole address; the proxy's credentials go with it.
    const bool proxied = viaProxy && !IsTls(url);
    QByteArray target =
        proxied ? url.toEncoded(QUrl::RemoveFragment | QUrl::RemoveUserInfo)
                : url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (target.isEmpty()) target = "/";
    QByteArray request = (post ? "POST " : "GET ") + target + " HTTP/1.1\r\nHost: " + Authority(url) + "\r\n";
    if (!Agent.empty()) request += "User-Agent: " + Bytes(Agent) + "\r\n";
    if (!Accept.empty()) request += "Accept: " + Bytes(Accept) + "\r\n";
    if (NoCache) request += "Pragma: no-cache\r\n";
    if (!Cookie.empty()) request += "Cookie: " + Bytes(Cookie) + "\r\n";
    if (proxied) request += ProxyCredentials();
    request += "Accept-Encoding: identity\r\nConnection: close\r\n";
    if (post) {
        if (!ContentTypePost.empty()) request += "Content-Type: " + Bytes(ContentTypePost) + "\r\n";
        request += "Content-Length: " + QByteArray::number(static_cast<qulonglong>(SendBody.size())) + "\r\n";
    }
    connection_->Write(request + "\r\n" + (post ? Bytes(SendBody) : QByteArray()));

    // The head, informational answers skipped.
    Head head;
    for (int informational = 0; informational < 10; ++informational) {
        const std::string line = connection_->ReadLine(kMaxHeadLine, 0, "answer's status line");
        if (line.rfind("HTTP/1.", 0) != 0 || line.size() < 9 || line[8] != ' ')
            throw TransferFailure{0, "Not an HTTP answer"};
        const size_t codeStart = line.find_first_not_of(' ', 8);
        const size_t codeEnd = line.find(' ', codeStart == std::string::npos ? line.size() : codeStart);
        const std::string code =
            codeStart == std::string::npos ? std::string() : line.substr(codeStart, codeEnd - codeStart);
        // A status outside 100 to 999 is no HTTP answer.
        if (code.empty() || code.size() > 3 || code.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(code) < 100) {
            throw TransferFailure{0, "Invalid HTTP status " + code};
        }
        head.status = std::stoi(code);
        head.reason = codeEnd == std::string::npos ? std::string() : line.substr(codeEnd + 1);
        head.lines.clear();
        size_t headBytes = line.size();
        for (std::string header = connection_->ReadLine(kMaxHeadLine, head.status, "answer's head");
             !header.empty(); header = connection_->ReadLine(kMaxHeadLine, head.status, "answer's head")) {
            headBytes += header.size();
            head.lines.push_back(header);
            if (head.lines.size() > kMaxHeadLines || headBytes > kMaxHeadBytes)
                throw TransferFailure{head.status, "The answer's head is too large"};
        }
        if (head.status >= 200) break;
    }
    if (head.status < 200) throw TransferFailure{0, "No final answer"};

    // A redirection is followed when it keeps the same safety: never from https to http.
    const std::optional<std::string> location = head.Value("Location");
    const bool redirection = head.status == 301 || head.status == 302 || head.status == 303 ||
                             head.status == 307 || head.status == 308;
    if (redirection && location && hop < MaxRedirects) {
        next = url.resolved(QUrl(ToQString(*location), QUrl::TolerantMode));
        const QString scheme = next.scheme().toLower();
        const bool lessSafe = IsTls(url) && scheme == "http";
        if (next.isValid() && !next.host().isEmpty() && (scheme == "http" || scheme == "https") && !lessSafe)
            return head.status;
    }

    documentBegun_ = true;
    status_ = head.status;
    reason_ = head.reason;
    headerLines_ = head.lines;
    contentType_ = head.Value("Content-Type").value_or("");
    if (OnHeaderEnd) OnHeaderEnd();
    if (aborted_) throw Aborted{};
    if (OnDocBegin) OnDocBegin();
    if (aborted_) throw Aborted{};
    ReadBody(head);
    return 0;
}

void HttpClient::Deliver(const char* data, size_t length) {
    if (length == 0 || stopped_) return;
    received_ += length;
    if (MaxBodyBytes != 0 && received_ > MaxBodyBytes)
        throw TransferFailure{status_,
                              "The answer is larger than " + std::to_string(MaxBodyBytes) + " bytes"};
    if (sink_ && !sink_->Write(data, length)) {
        stopped_ = true;
        return;
    }
    if (OnDocData) OnDocData(length);
    // An abort asked for while the body was handed on ends the request there, even when every
    // byte has arrived already.
    CheckDeadline();
    if (aborted_) throw Aborted{};
}

uint64_t HttpClient::Relay(uint64_t count) {
    while (count > 0 && !stopped_) {
        const std::string_view bytes = connection_->Take(static_cast<size_t>(std::min<uint64_t>(count, kBlock)));
        if (bytes.empty()) return count;
        count -= bytes.size();
        Deliver(bytes.data(), bytes.size());
    }
    return 0;
}

void HttpClient::ReadBody(const Head& head) {
    Connection& in = *connection_;
    const std::string coding = Lower(head.Value("Content-Encoding").value_or(""));
    if (!coding.empty() && coding != "identity")
        throw TransferFailure{status_, "Unsupported content encoding '" + coding + "'"};
    if (head.status == 204 || head.status == 304) return;

    const std::string transfer = Lower(head.Value("Transfer-Encoding").value_or(""));
    if (!transfer.empty()) {
        if (transfer != "chunked")
            throw TransferFailure{status_, "Unsupported transfer encoding '" + transfer + "'"};
        while (!stopped_) {
            const std::string line = in.ReadLine(kMaxChunkLine, status_, "chunk size");
            const std::string size = Trimmed(line.substr(0, line.find(';')));
            if (size.empty() || size.size() > 15 ||
                size.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                throw TransferFailure{status_,
                                      "Broken chunked body: chunk size '" + line.substr(0, 40) + "'"};
            uint64_t left = std::stoull(size, nullptr, 16);
            if (left == 0) {
                while (!in.ReadLine(kMaxHeadLine, status_, "answer's trailer").empty()) {
                }
                return;
            }
            if (Relay(left) != 0) throw TransferFailure{status_, "Connection closed in the middle of a chunk"};
            if (!stopped_ && !in.ReadLine(2, status_, "chunk end").empty())
                throw TransferFailure{status_, "Broken chunked body: no line end after a chunk"};
        }
        return;
    }

    if (const std::optional<std::string> length = head.Value("Content-Length")) {
        if (length->empty() || length->size() > 18 ||
            length->find_first_not_of("0123456789") != std::string::npos)
            throw TransferFailure{status_, "Invalid Content-Length '" + *length + "'"};
        const uint64_t announced = std::stoull(*length);
        if (const uint64_t missing = Relay(announced); missing != 0) {
            throw TransferFailure{status_, "The answer ended after " + std::to_string(announced - missing) +
                                               " of its " + std::to_string(announced) + " bytes"};
        }
        return;
    }

    // Without a length, the body runs to the end of the connection.
    while (!stopped_) {
        const std::string_view bytes = in.Take(kBlock);
        if (bytes.empty()) return;
        Deliver(bytes.data(), bytes.size());
    }
}

void HttpClient::Run(bool post) {
    if (running_) throw HttpError(0, BusyReason);
    status_ = 0;
    reason_.clear();
    headerLines_.clear();
    contentType_.clear();
    aborted_ = false;
    stopped_ = false;
    documentBegun_ = false;
    received_ = 0;
    docName_ = DocumentNameOf(Url);

    QUrl url = UrlOf(Url);
    if (url.isEmpty()) throw HttpError(0, "Invalid address '" + Url + "'");
    CheckProxy();

    running_ = true;
    std::optional<TransferFailure> failure;
    try {
        for (int hop = 0;; ++hop) {
            QUrl next;
            const int redirection = Exchange(url, post, hop, next);
            if (redirection == 0) break;
            // As browsers do: a redirected POST becomes a GET, but for 307 and 308.
            post = post && (redirection == 307 || redirection == 308);
            url = next;
        }
    } catch (const TransferFailure& e) {
        failure = e;
    } catch (const Aborted&) {
        aborted_ = true;
    } catch (const std::exception& e) {
        // A handler's failure, a full memory: the request's failure.
        failure = TransferFailure{status_, e.what()};
    }
    connection_.reset();
    running_ = false;
    if (documentBegun_ && OnDocEnd) OnDocEnd();

    if (aborted_) {
        status_ = AbortStatus;
        reason_ = AbortReason;
        throw HttpError(status_, reason_);
    }
    if (failure) {
        status_ = failure->status;
        reason_ = failure->reason;
        throw HttpError(status_, reason_);
    }
    if (stopped_) return;
    if (status_ >= 400) throw HttpError(status_, std::to_string(status_) + " " + reason_);
}

namespace {

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

}  // namespace

void PostUnderGuard(HttpClient& client, QTimer& guard, std::string& response) {
    const GuardedRequest request(client, guard, response);
    client.Post();
}
