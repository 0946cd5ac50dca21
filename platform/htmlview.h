#pragma once

// An embedded HTML view: shows a local file, or an http page that it loads on its own.
// It keeps no history.

#include <QNetworkAccessManager>
#include <QPointer>
#include <QTextBrowser>

class QNetworkReply;

class HtmlView : public QTextBrowser {
public:
    // A larger page is not shown.
    static constexpr qint64 MaxPageBytes = 4 << 20;

    explicit HtmlView(QWidget* parent = nullptr);

    // A local file path, or an http or https address (Windows-1252 text). Errors show only in
    // the view itself.
    void Navigate(const std::string& address);

    // The HTTP proxy of the pages it loads (an empty host: direct).
    void SetProxy(const std::string& host, const std::string& port);

    // What the view was last asked to show.
    const std::string& LocationUrl() const { return location_; }

    // Decodes an HTML page: UTF-8 when it is valid UTF-8, else Windows-1252.
    static QString DecodePage(const QByteArray& bytes);

private:
    void Receive(QNetworkReply* reply);
    void ShowReply(QNetworkReply* reply);

    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> pending_;
    QByteArray body_;
    std::string location_;
};
