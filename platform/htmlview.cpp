#include "platform/htmlview.h"

#include <QFile>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QUrl>

#include "engine/windows1252.h"
#include "platform/qtextconvert.h"

HtmlView::HtmlView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    manager_.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

void HtmlView::SetProxy(const std::string& host, const std::string& port) {
    bool ok = false;
    const int number = ToQString(port).toInt(&ok);
    if (host.empty() || !ok || number < 1 || number > 65535) {
        manager_.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        return;
    }
    manager_.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, ToQString(host), static_cast<quint16>(number)));
}

QString HtmlView::DecodePage(const QByteArray& bytes) {
    const std::string_view raw(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (Utf8ToWindows1252(raw)) return QString::fromUtf8(bytes);
    return ToQString(raw);
}

void HtmlView::Navigate(const std::string& address) {
    location_ = address;
    if (pending_) pending_->abort();
    const QString text = ToQString(address);
    const QUrl url(text);
    const QString scheme = url.scheme().toLower();
    if (scheme == "http" || scheme == "https") {
        QNetworkReply* reply = manager_.get(QNetworkRequest(url));
        reply->setReadBufferSize(1 << 20);
        pending_ = reply;
        body_.clear();
        connect(reply, &QNetworkReply::readyRead, this, [this, reply] { Receive(reply); });
        connect(reply, &QNetworkReply::finished, this, [this, reply] { ShowReply(reply); });
        return;
    }
    QFile file(url.isLocalFile() ? url.toLocalFile() : text);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxPageBytes) {
        clear();
        return;
    }
    setHtml(DecodePage(file.readAll()));
}

void HtmlView::Receive(QNetworkReply* reply) {
    if (reply != pending_) return;
    body_ += reply->read(MaxPageBytes + 1 - body_.size());
    if (body_.size() > MaxPageBytes) reply->abort();
}

void HtmlView::ShowReply(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != pending_) return;
    if (reply->error() == QNetworkReply::NoError) Receive(reply);
    pending_ = nullptr;
    const QByteArray body = std::exchange(body_, {});
    if (reply->error() != QNetworkReply::NoError || body.size() > MaxPageBytes) {
        clear();
        return;
    }
    setHtml(DecodePage(body));
}
