// The HTML view: a local file, and an http page it loads on its own.

#include "platform/htmlview.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/testserver.h"

TEST(HtmlView, ShowsALocalFileInEitherEncoding) {
    QTemporaryDir folder;
    QFile latin(folder.filePath("maj.htm"));
    ASSERT_TRUE(latin.open(QIODevice::WriteOnly));
    latin.write("<html>\r\n<p>Mise \xE0 jour disponible</p>\r\n</html>\r\n");  // Windows-1252
    latin.close();
    HtmlView view;
    view.Navigate(latin.fileName().toStdString());
    EXPECT_EQ(view.toPlainText().trimmed(), QString::fromUtf8("Mise à jour disponible"));

    QFile utf8(folder.filePath("info.htm"));
    ASSERT_TRUE(utf8.open(QIODevice::WriteOnly));
    utf8.write("<p>Nouveaut\xC3\xA9</p>");
    utf8.close();
    view.Navigate(utf8.fileName().toStdString());
    EXPECT_EQ(view.toPlainText(), QString::fromUtf8("Nouveauté"));

    view.Navigate((folder.path() + "/absent.htm").toStdString());
    EXPECT_EQ(view.toPlainText(), "");
}

TEST(HtmlView, LoadsAnHttpPageItself) {
    TestServer server;
    server.Http().Get("/Liaison/ZVQEL/connectINFO.php",
                      [](const httplib::Request& req, httplib::Response& res) {
                          res.set_content("<b>Bonjour " + req.get_param_value("IdS") + "</b>", "text/html");
                      });
    server.Start();
    HtmlView view;
    view.Navigate(server.Address("/Liaison/ZVQEL/connectINFO.php?IdS=abc&PT2="));
    EXPECT_EQ(view.LocationUrl(), server.Address("/Liaison/ZVQEL/connectINFO.php?IdS=abc&PT2="));
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.toPlainText() == "Bonjour abc"; }, 5000))
        << view.toPlainText().toStdString();
    EXPECT_FALSE(view.isBackwardAvailable());  // no history

    view.Navigate("http://127.0.0.1:1/");  // refused: the view stays empty, nothing is reported
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.toPlainText().isEmpty(); }, 5000));
}
