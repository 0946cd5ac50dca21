// The HTTP client against servers started on 127.0.0.1.

#include "platform/httpclient.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTimer>

#include "tests/support/testserver.h"

namespace {

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& http = server.Http();
        http.Get("/page.html", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<TITLE>Bonjour</TITLE>", "text/html; charset=iso-8859-1");
        });
        http.Get("/missing", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("<P>Page introuvable</P>", "text/html");
        });
        http.Get(R"(/hop/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
            const int left = std::stoi(req.matches[1]);
            if (left == 0) {
                res.set_content("arrived", "text/plain");
            } else {
                res.set_redirect("/hop/" + std::to_string(left - 1));
            }
        });
        http.Post("/echo", [](const httplib::Request& req, httplib::Response& res) {
            std::string seen = req.body;
            for (const char* name : {"Content-Type", "User-Agent", "Accept", "Pragma", "Cookie"}) {
                seen += std::string("\n") + name + "=" + req.get_header_value(name);
            }
            res.set_content(seen, "text/plain");
        });
        server.Stall("/stall");
        server.Start();
        client.SetReceiveSink(&body);
    }

    TestServer server;
    HttpClient client;
    MemorySink body;
};

}  // namespace

TEST_F(HttpClientTest, GetDeliversBodyHeadersAndEventsInOrder) {
    std::vector<std::string> events;
    client.OnHeaderEnd = [&] { events.push_back("header end"); };
    client.OnDocBegin = [&] { events.push_back("begin " + client.DocName()); };
    size_t received = 0;
    client.OnDocData = [&](size_t n) { received += n; };
    client.OnDocEnd = [&] { events.push_back("end"); };
    client.Url = server.Address("/page.html?x=1");
    client.Get();

    EXPECT_EQ(client.StatusCode(), 200);
    EXPECT_EQ(client.ReasonPhrase(), "OK");
    EXPECT_EQ(body.bytes, "<TITLE>Bonjour</TITLE>");
    EXPECT_EQ(received, body.bytes.size());
    EXPECT_EQ(client.ContentType(), "text/html; charset=iso-8859-1");
    EXPECT_EQ(events, (std::vector<std::string>{"header end", "begin page.html", "end"}));
    EXPECT_NE(std::find(client.RcvdHeader().begin(), client.RcvdHeader().end(),
                        "Content-Type: text/html; charset=iso-8859-1"),
              client.RcvdHeader().end());
}

TEST_F(HttpClientTest, PostSendsTheSettings) {
    client.Url = server.Address("/echo");
    client.SendBody = "produit=41&version=0.6";
    client.Agent = "Mozilla/3.0 (compatible)";
    client.Accept = "image/gif, */*";
    client.NoCache = true;
    client.Cookie = "session=1";
    client.Post();
    EXPECT_EQ(
        body.bytes,
        "produit=41&version=0.6\nContent-Type=application/x-www-form-urlencoded\n"
        "User-Agent=Mozilla/3.0 (compatible)\nAccept=image/gif, */*\nPragma=no-cache\nCookie=session=1");
}

TEST_F(HttpClientTest, AnErrorStatusDeliversItsBodyThenRaises) {
    client.Url = server.Address("/missing");
    try {
        client.Get();
        FAIL() << "no error raised";
    } catch (const HttpError& e) {
        EXPECT_EQ(e.Status(), 404);
        EXPECT_STREQ(e.what(), "404 Not Found");
    }
    EXPECT_EQ(client.StatusCode(), 404);
    EXPECT_EQ(body.bytes, "<P>Page introuvable</P>");
}

TEST_F(HttpClientTest, FollowsTenRedirectionsButNotEleven) {
    client.Url = server.Address("/hop/10");
    client.Get();
    EXPECT_EQ(client.StatusCode(), 200);
    EXPECT_EQ(body.bytes, "arrived");

    body.bytes.clear();
    client.Url = server.Address("/hop/11");
    client.Get();  // a redirection not followed raises nothing
    EXPECT_EQ(client.StatusCode(), 302);
}

TEST_F(HttpClientTest, AnAddressWithoutSchemeIsHttp) {
    client.Url = "127.0.0.1:" + std::to_string(server.Port()) + "/page.html";
    client.Get();
    EXPECT_EQ(client.StatusCode(), 200);
}

TEST_F(HttpClientTest, AbortFromATimerEndsTheWait) {
    client.Url = server.Address("/stall");
    QTimer::singleShot(100, [&] { client.Abort(); });
    try {
        client.Get();
        FAIL() << "no error raised";
    } catch (const HttpError& e) {
        EXPECT_STREQ(e.what(), "Connection aborted on request");
    }
    EXPECT_EQ(client.StatusCode(), 404);
    EXPECT_EQ(client.ReasonPhrase(), "Connection aborted on request");
    EXPECT_FALSE(client.Pending());
    client.Abort();  // idle: nothing happens
}

TEST_F(HttpClientTest, ASecondRequestWhilePendingIsRefused) {
    client.Url = server.Address("/page.html");
    std::string refusal;
    client.OnDocBegin = [&] {
        try {
            client.Get();
        } catch (const HttpError& e) {
            refusal = e.what();
        }
    };
    client.Get();
    EXPECT_EQ(refusal, "A request is already pending on this client");
    EXPECT_EQ(client.StatusCode(), 200);
    EXPECT_EQ(body.bytes, "<TITLE>Bonjour</TITLE>");
}

TEST_F(HttpClientTest, BadAddressesAndRefusedConnectionsGiveStatusZero) {
    const std::string closed = "http://127.0.0.1:1/";
    for (const std::string& address :
         {std::string(), std::string("htp://x"), std::string("http://exa mple.com/"),
          std::string("http://127.0.0.1:99999/"), std::string("file:///etc/hostname"), closed}) {
        client.Url = address;
        EXPECT_THROW(client.Get(), HttpError) << address;
        EXPECT_EQ(client.StatusCode(), 0) << address;
        EXPECT_FALSE(client.Pending());
    }
    EXPECT_EQ(body.bytes, "");
}

TEST(HttpClientNames, DocumentNameOfAnAddress) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://h/Liaison/MajLogIcieL/v2/41.zip", "41.zip"},
        {"http://h/a/page.php?x=1/2", "page.php"},
        {"http://h/a/", "document.htm"},
        {"http://h", "document.htm"},
        {"http://h?x=/y", "document.htm"},
        {"h/index.html", "index.html"},
        {"", "document.htm"},
    };
    for (const auto& [address, name] : cases) EXPECT_EQ(HttpClient::DocumentNameOf(address), name) << address;
}

TEST(HttpClientProxy, RequestsGoThroughTheProxyWithCredentialsOnlyWithAUser) {
    TestServer proxy;
    std::string seenTarget;
    std::string seenAuthorization;
    proxy.Http().Get(".*", [&](const httplib::Request& req, httplib::Response& res) {
        seenTarget = req.target;
        seenAuthorization = req.get_header_value("Proxy-Authorization");
        res.set_content("via proxy", "text/plain");
    });
    proxy.Start();

    HttpClient client;
    MemorySink body;
    client.SetReceiveSink(&body);
    client.Url = "http://pages.example/accueil.html";
    client.ProxyHost = "127.0.0.1";
    client.ProxyPort = std::to_string(proxy.Port());
    client.Get();
    EXPECT_EQ(body.bytes, "via proxy");
    EXPECT_EQ(seenTarget, "http://pages.example/accueil.html");
    EXPECT_EQ(seenAuthorization, "");

    client.ProxyUsername = "marie";
    client.ProxyPassword = "s3cret";
    client.Get();
    EXPECT_EQ(seenAuthorization, "Basic bWFyaWU6czNjcmV0");

    client.ProxyHost.clear();  // a user without a proxy host sends nothing to anyone
    client.Url = proxy.Address("/direct");
    client.Get();
    EXPECT_EQ(seenTarget, "/direct");
    EXPECT_EQ(seenAuthorization, "");

    client.ProxyHost = "127.0.0.1";
    client.ProxyPort = "";
    EXPECT_THROW(client.Get(), HttpError);
    EXPECT_EQ(client.StatusCode(), 0);
}

TEST(HttpClientTls, HttpsWorksWithATrustedCertificate) {
    const std::string tls = QUENBY_FIXTURES "/tls/";
    auto server = TestServer::Secure(tls + "cert.pem", tls + "key.pem");
    server->Http().Get("/secure", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("chiffre", "text/plain");
    });
    server->Start();
    const std::string address = "https://127.0.0.1:" + std::to_string(server->Port()) + "/secure";

    HttpClient client;
    MemorySink body;
    client.SetReceiveSink(&body);
    client.Url = address;
    EXPECT_THROW(client.Get(), HttpError);  // not trusted yet

    QFile file(QString::fromStdString(tls + "cert.pem"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.addCaCertificates(QSslCertificate::fromData(file.readAll()));
    QSslConfiguration::setDefaultConfiguration(config);
    HttpClient trusting;
    trusting.SetReceiveSink(&body);
    trusting.Url = address;
    trusting.Get();
    EXPECT_EQ(trusting.StatusCode(), 200);
    EXPECT_EQ(body.bytes, "chiffre");
}
