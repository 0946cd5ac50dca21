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
        pending_ = reply;
        connect(reply, &QNetworkReply::finished, this, [this, reply] { ShowReply(reply); });
        return;
    }
    QFile file(url.isLocalFile() ? url.toLocalFile() : text);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        return;
    }
    setHtml(DecodePage(file.readAll()));
}

void HtmlView::ShowReply(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != pending_) return;
    pending_ = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        clear();
        return;
    }
    setHtml(DecodePage(reply->readAll()));
}
