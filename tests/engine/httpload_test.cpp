// The page fetcher against servers started on 127.0.0.1, and the run loop on top of it.

#include "engine/HTTPload.h"

#include <gtest/gtest.h>

#include "engine/pagelines.h"
#include "tests/engine/enginetesting.h"
#include "tests/support/testserver.h"
#include "workspace/analysisrun.h"

namespace {

using namespace std::chrono_literals;

const std::string kPage = "<TITLE>Hotel de la plage</TITLE>\r\n<P>Un hotel face mer<BR>\r\n";

class Fetcher : public ::testing::Test, public EngineFixture {
protected:
    void SetUp() override {
        auto& http = server.Http();
        const auto page = [](int status, std::string body) {
            return [status, body](const httplib::Request&, httplib::Response& res) {
                res.status = status;
                res.set_content(body, "text/html");
            };
        };
        http.Get("/ok", page(200, kPage));
        http.Get("/partial", page(203, kPage));
        http.Get("/missing", page(404, "<P>Cette page hotel n'existe pas<BR>"));
        http.Get("/moved", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/ok"); });
        http.Get("/exact",
                 page(200, std::string(PageSizeCap / 2, 'a') + "\r\n" + std::string(PageSizeCap / 2, 'b')));
        http.Get("/over", page(200, "<P>hotel<BR>\r\n" + std::string(PageSizeCap, 'c') + "\r\n<P>plage<BR>"));
        http.Get("/overpartial", page(203, "<P>hotel<BR>\r\n" + std::string(PageSizeCap, 'c')));
        http.Get("/lfcr", page(200, "abc\n\rdef\n\rghi"));
        http.Get("/crlf", page(200, "abc\r\ndef\r\nghi"));
        http.Get("/nul", page(200, std::string("abc\0def\r\nghi", 12)));
        server.Stall("/silent");
        server.Delayed("/slow", 1200ms, kPage);
        server.Start();
    }

    // Fetches as the run loop does: errors are the run's to ignore.
    int32_t Fetch(TDatamoduleload& loader, const std::string& address) {
        try {
            loader.Charge(address);
        } catch (const HttpError&) {
        }
        return loader.StatusCode();
    }

    TestServer server;
    ProxyAddress proxy;
    TDatamoduleload loader{engine, proxy};
};

}  // namespace

TEST_F(Fetcher, StatusesAndWhatIsAnalysed) {
    RunStore store;
    store.RunUrls = {server.Address("/ok"), server.Address("/partial"), server.Address("/missing"),
                     server.Address("/moved")};
    RunAnalysisPages(engine, loader, store, "hotel");

    const auto& ok = store.Pages[0].Figures;
    EXPECT_EQ(ok.Summary.StatusCode, 200);
    EXPECT_EQ(ok.Summary.TextLength, static_cast<int32_t>(kPage.size()));
    EXPECT_EQ(ok.Rows[1].Occurrences, 1);  // TITLE
    EXPECT_EQ(ok.Rows[7].Occurrences, 1);  // BODY

    const auto& partial = store.Pages[1].Figures;  // kept, not scanned
    EXPECT_EQ(partial.Summary.StatusCode, 203);
    EXPECT_EQ(partial.Summary.TextLength, static_cast<int32_t>(kPage.size()));
    EXPECT_EQ(partial.Summary.SignificantWords, 0);

    const auto& missing = store.Pages[2].Figures;  // an error page: no lines at all
    EXPECT_EQ(missing.Summary.StatusCode, 404);
    EXPECT_EQ(missing.Summary.TextLength, 0);
    EXPECT_EQ(missing.Summary.SignificantWords, 0);

    const auto& moved = store.Pages[3].Figures;
    EXPECT_EQ(moved.Summary.StatusCode, 200);
    EXPECT_EQ(moved.Rows[1].Occurrences, 1);
}

TEST_F(Fetcher, SendsItsAgentAndAcceptListThroughTheDetectedProxy) {
    RawRequestServer proxyServer("HTTP/1.1 200 OK\r\nContent-Length: 7\r\nConnection: close\r\n\r\nrelayed");
    proxy = {"127.0.0.1", std::to_string(proxyServer.Port())};

    EXPECT_EQ(Fetch(loader, "http://www.concurrent.example/"), 200);
    EXPECT_EQ(engine.DocumentLines, (std::vector<std::string>{"relayed"}));
    const std::string request = proxyServer.Request();
    EXPECT_EQ(request.rfind("GET http://www.concurrent.example/ HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("\r\nUser-Agent: QuenbyArdentis V0.5 \r\n"), std::string::npos) << request;
    EXPECT_NE(request.find("\r\nAccept: text/html\r\n"), std::string::npos) << request;
    for (const char* absent : {"Proxy-Authorization", "Pragma", "Cookie", "Content-Type"}) {
        EXPECT_EQ(request.find(absent), std::string::npos) << absent << " in " << request;
    }
}

TEST_F(Fetcher, TheWatchdogAbandonsASilentServerAndIsFreshForTheNextPage) {
    TDatamoduleload quick(engine, proxy, 2000ms);
    EXPECT_EQ(Fetch(quick, server.Address("/silent")), 404);
    EXPECT_EQ(quick.httpcli.ReasonPhrase(), "Connection aborted on request");
    EXPECT_TRUE(engine.DocumentLines.empty());
    EXPECT_FALSE(engine.PageTruncated);
    EXPECT_FALSE(quick.TimerALT.isActive());

    // Answered after 1.2 s: within a fresh 2 s watchdog.
    EXPECT_EQ(Fetch(quick, server.Address("/slow")), 200);
    EXPECT_EQ(engine.DocumentLines.size(), 2u);
}

TEST_F(Fetcher, CapOnLineText) {
    EXPECT_EQ(Fetch(loader, server.Address("/exact")), 200);
    EXPECT_FALSE(engine.PageTruncated);
    EXPECT_EQ(engine.DocumentLines.size(), 2u);
    EXPECT_EQ(loader.FetchedChars, PageSizeCap);

    EXPECT_EQ(Fetch(loader, server.Address("/over")), 200);
    EXPECT_TRUE(engine.PageTruncated);
    EXPECT_EQ(engine.DocumentLines, (std::vector<std::string>{"<P>hotel<BR>"}));

    // The flag is cleared by the next fetch.
    EXPECT_EQ(Fetch(loader, server.Address("/ok")), 200);
    EXPECT_FALSE(engine.PageTruncated);
}

TEST_F(Fetcher, APageCutAtTheCapIsAnalysedWhateverItsStatus) {
    RunStore store;
    store.RunUrls = {server.Address("/overpartial"), server.Address("/partial")};
    RunAnalysisPages(engine, loader, store, "hotel");
    EXPECT_EQ(store.Pages[0].Figures.Summary.StatusCode, 203);
    EXPECT_TRUE(store.Pages[0].Truncated);
    EXPECT_EQ(store.Pages[0].Figures.Rows[7].Occurrences, 1);
    EXPECT_FALSE(store.Pages[1].Truncated);  // the next page is judged on its own
    EXPECT_EQ(store.Pages[1].Figures.Summary.SignificantWords, 0);
}

TEST_F(Fetcher, LineSeparatorsAndNulBytes) {
    Fetch(loader, server.Address("/lfcr"));
    const std::vector<std::string> lfcr = engine.DocumentLines;
    Fetch(loader, server.Address("/crlf"));
    EXPECT_EQ(engine.DocumentLines, lfcr);
    EXPECT_EQ(lfcr, (std::vector<std::string>{"abc", "def", "ghi"}));
    Fetch(loader, server.Address("/nul"));
    EXPECT_EQ(engine.DocumentLines, (std::vector<std::string>{"abc", "ghi"}));
}

TEST_F(Fetcher, BadAddressesGiveNoLinesAndNoScan) {
    TDatamoduleload quick(engine, proxy, 5000ms);
    RunStore store;
    store.RunUrls = {"",
                     "htp://x",
                     "http://exa mple.com/",
                     "http://127.0.0.1:99999/",
                     "http://nulle-part.invalid/",
                     "http://127.0.0.1:1/"};
    RunAnalysisPages(engine, quick, store, "hotel");
    for (size_t i = 0; i < store.RunUrls.size(); ++i) {
        const PageSummary& summary = store.Pages[i].Figures.Summary;
        // A name that does not resolve in time is abandoned by the watchdog.
        EXPECT_TRUE(summary.StatusCode == 0 || summary.StatusCode == 404) << store.RunUrls[i];
        EXPECT_EQ(summary.TextLength, 0) << store.RunUrls[i];
        EXPECT_EQ(summary.SignificantWords, 0) << store.RunUrls[i];
    }
    EXPECT_EQ(store.Pages[0].Figures.Summary.StatusCode, 0);
}
