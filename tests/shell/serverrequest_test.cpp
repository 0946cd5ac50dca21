// Requests to the maker's server: what they send, the guard, failures and overlapping calls.

#include "shell/serverrequest.h"

#include <gtest/gtest.h>

#include <QTimer>

#include "shell/serveraddress.h"
#include "tests/support/testserver.h"

namespace {

class ServerRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& http = server.Http();
        http.Post("/update/updateproduit.php", [this](const httplib::Request& req, httplib::Response& res) {
            seen = req;
            res.set_content(std::string("\x11\x2a\0\0", 4), "application/octet-stream");
        });
        http.Post("/absent.php", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("page absente", "text/html");
        });
        http.Post("/lent.php", [this](const httplib::Request&, httplib::Response& res) {
            std::unique_lock<std::mutex> lock(mutex);
            released.wait_for(lock, std::chrono::milliseconds(slowMs), [this] { return stopping; });
            res.set_content("lent", "text/plain");
        });
        server.Start();
        requests.SetRoots(server.Address("/"));
    }
    void TearDown() override {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        released.notify_all();
    }

    TestServer server;  // outlives the client's open connection
    ProxyAddress proxy;
    ServerRequests requests{proxy, std::chrono::milliseconds(300)};
    httplib::Request seen;
    std::mutex mutex;
    std::condition_variable released;
    bool stopping = false;
    int slowMs = 10000;
};

}  // namespace

TEST_F(ServerRequestTest, TheRootsOfTheServer) {
    EXPECT_EQ(requests.SiteRoot, server.Address("/"));
    EXPECT_EQ(requests.ServiceRoot, server.Address("/Liaison/ZVQEL/"));
    EXPECT_EQ(std::string(UpdatePath), "Liaison/MajLogIcieL/");
}

TEST_F(ServerRequestTest, APostSendsTheFormWithTheClientSettings) {
    requests.httpcli1.Cookie = "reste=1";  // cleared before every request
    requests.PostRequest(requests.SiteRoot + "update/updateproduit.php", "produit=41&version=0.6");
    EXPECT_EQ(seen.body, "produit=41&version=0.6");
    EXPECT_EQ(seen.get_header_value("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(seen.get_header_value("User-Agent"), "Mozilla/3.0 (compatible)");
    EXPECT_EQ(seen.get_header_value("Accept"), "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    EXPECT_EQ(seen.get_header_value("Pragma"), "no-cache");
    EXPECT_FALSE(seen.has_header("Cookie"));
    EXPECT_FALSE(seen.has_header("Proxy-Authorization"));
    EXPECT_EQ(requests.ResponseBytes, std::string("\x11\x2a\0\0", 4));
    EXPECT_EQ(requests.Reply().ReadNumber(), 0);
    EXPECT_FALSE(requests.RequestTimedOut);
    EXPECT_FALSE(requests.TimerHttpReady.isActive());
}

TEST_F(ServerRequestTest, TheGuardAbandonsASilentServer) {
    try {
        requests.PostRequest(requests.SiteRoot + "lent.php", "a=1");
        FAIL() << "no error raised";
    } catch (const HttpError& e) {
        EXPECT_STREQ(e.what(), "Connection aborted on request");
    }
    EXPECT_TRUE(requests.RequestTimedOut);
    EXPECT_EQ(requests.ResponseBytes, "");
    EXPECT_FALSE(requests.TimerHttpReady.isActive());
}

TEST_F(ServerRequestTest, FailuresRaiseAndKeepTheReplyBody) {
    requests.ResponseBytes = "ancienne réponse";
    EXPECT_THROW(requests.PostRequest(requests.SiteRoot + "absent.php", "a=1"), HttpError);
    EXPECT_EQ(requests.ResponseBytes, "page absente");
    EXPECT_FALSE(requests.RequestTimedOut);

    try {
        requests.PostRequest("http://127.0.0.1:1/update/updateproduit.php", "a=1");
        FAIL() << "no error raised";
    } catch (const HttpError& e) {
        EXPECT_EQ(e.Status(), 0);
        EXPECT_STRNE(e.what(), "");
    }
    EXPECT_EQ(requests.ResponseBytes, "");
    EXPECT_FALSE(requests.RequestTimedOut);
}

TEST_F(ServerRequestTest, ASecondRequestWhileOneIsPendingIsRefused) {
    slowMs = 200;
    requests.TimerHttpReady.setInterval(5000);
    std::string refusal;
    QTimer::singleShot(50, [&] {
        try {
            requests.PostRequest(requests.SiteRoot + "update/updateproduit.php", "b=2");
        } catch (const HttpError& e) {
            refusal = e.what();
        }
    });
    requests.PostRequest(requests.SiteRoot + "lent.php", "a=1");
    EXPECT_EQ(refusal, "A request is already pending on this client");
    EXPECT_EQ(requests.ResponseBytes, "lent");
    EXPECT_FALSE(requests.RequestTimedOut);
}
