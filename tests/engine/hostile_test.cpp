// Servers that misbehave: bodies without end, floods, bad status lines, bodies cut short,
// broken chunks. A fetch stays bounded in bytes, memory and time, and every failure is one.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <fstream>
#include <new>

#include "engine/HTTPload.h"
#include "engine/pagelines.h"
#include "tests/engine/enginetesting.h"
#include "tests/support/hostileserver.h"
#include "workspace/analysisrun.h"

using namespace std::chrono_literals;

namespace {

// The peak of the process's resident memory since the last reset, in bytes.
uint64_t PeakMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    }
    return 0;
}

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

const char* kOk = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n";

// What a fetch may add to the process's peak memory. AddressSanitizer keeps freed blocks aside
// for a while (its quarantine), so that a build with it holds more.
#if defined(__SANITIZE_ADDRESS__)
constexpr uint64_t kFetchMemory = uint64_t{320} << 20;
#else
constexpr uint64_t kFetchMemory = uint64_t{48} << 20;
#endif

class Hostile : public ::testing::Test, public EngineFixture {
protected:
    // Fetches the address; the status code, whatever the fetch raised.
    int Fetch(TDatamoduleload& fetcher, const std::string& address) {
        error.clear();
        QElapsedTimer timer;
        timer.start();
        try {
            fetcher.Charge(address);
        } catch (const HttpError& e) {
            error = e.what();
        }
        elapsed = timer.elapsed();
        return fetcher.StatusCode();
    }

    int32_t KeptChars() const {
        int32_t chars = 0;
        for (const std::string& line : engine.DocumentLines) chars += static_cast<int32_t>(line.size());
        return chars;
    }

    ProxyAddress proxy;
    TDatamoduleload loader{engine, proxy};
    std::string error;
    qint64 elapsed = 0;
};

}  // namespace

TEST_F(Hostile, ABodyOfTwoGigabytesIsCutAtTheCapWithoutFillingMemory) {
    std::string block;
    while (block.size() < 64 * 1024) block += "<P>Un hotel face a la mer, des chambres calmes.<BR>\r\n";
    HostileServer server(std::string(kOk) + "Content-Length: 2147483648\r\n\r\n",
                         HostileServer::Repeat(block));
    ResetPeakMemory();
    const uint64_t before = PeakMemory();
    EXPECT_EQ(Fetch(loader, server.Address()), 200);
    EXPECT_EQ(error, "");
    EXPECT_TRUE(engine.PageTruncated);
    EXPECT_LE(KeptChars(), PageSizeCap);
    EXPECT_GT(KeptChars(), PageSizeCap - 100);
    EXPECT_LT(elapsed, 5000);
    EXPECT_LT(PeakMemory() - before, kFetchMemory);
}

TEST_F(Hostile, AFloodOfEmptyLinesStopsAtTheByteCap) {
    HostileServer server(std::string(kOk) + "\r\n", HostileServer::Repeat(std::string(64 * 1024, '\n')));
    ResetPeakMemory();
    const uint64_t before = PeakMemory();
    EXPECT_EQ(Fetch(loader, server.Address()), 200);
    EXPECT_TRUE(engine.PageTruncated);
    EXPECT_TRUE(engine.DocumentLines.empty());
    EXPECT_LT(elapsed, 15000);  // cut by the byte cap, long before the watchdog
    EXPECT_LT(PeakMemory() - before, kFetchMemory);
    EXPECT_LT(server.Sent(), PageByteCap + (uint64_t{8} << 20));  // the client stopped taking it
}

TEST_F(Hostile, TheWatchdogCutsAFloodOnTime) {
    // About 3 MB a second of empty lines: the byte cap would take five seconds.
    HostileServer server(std::string(kOk) + "\r\n", HostileServer::Repeat(std::string(64 * 1024, '\n')),
                         20ms);
    TDatamoduleload quick(engine, proxy, 500ms);
    EXPECT_EQ(Fetch(quick, server.Address()), 404);
    EXPECT_EQ(error, "Connection aborted on request");
    EXPECT_GE(elapsed, 400);
    EXPECT_LT(elapsed, 2500);
    EXPECT_TRUE(engine.DocumentLines.empty());
}

TEST_F(Hostile, BrokenAnswersFailWithTheClientsText) {
    struct Case {
        const char* what;
        std::string head;
        std::string body;
        int status;
    };
    const Case cases[] = {
        {"a negative status", "HTTP/1.1 -5 Minus\r\nContent-Length: 12\r\n\r\n", "<P>hotel<BR>", 0},
        {"a status of four digits", "HTTP/1.1 2000 Trop\r\nContent-Length: 12\r\n\r\n", "<P>hotel<BR>", 0},
        {"a body shorter than its length", std::string(kOk) + "Content-Length: 1000\r\n\r\n",
         "<P>hotel hotel hotel<BR>\r\n", 200},
        {"a chunk size that is no number", std::string(kOk) + "Transfer-Encoding: chunked\r\n\r\n",
         "c\r\n<P>hotel<BR>\r\nzz\r\n<P>hotel<BR>\r\n0\r\n\r\n", 200},
        {"a broken chunk size first", std::string(kOk) + "Transfer-Encoding: chunked\r\n\r\n",
         "zz\r\n<P>hotel<BR>\r\n", 200},
        {"a chunk cut short", std::string(kOk) + "Transfer-Encoding: chunked\r\n\r\n",
         "c\r\n<P>hotel<BR>\r\n100\r\n<P>hotel", 200},
        {"no last chunk", std::string(kOk) + "Transfer-Encoding: chunked\r\n\r\n", "c\r\n<P>hotel<BR>\r\n",
         200},
        {"not HTTP at all", "SSH-2.0-OpenSSH\r\n", "", 0},
        {"a body that does not decompress",
         std::string(kOk) + "Content-Encoding: gzip\r\nContent-Length: 20\r\n\r\n", "ceci n'est pas gzip!",
         200},
    };
    for (const Case& c : cases) {
        HostileServer server(c.head, [&c](uint64_t sent) { return sent == 0 ? c.body : std::string(); });
        EXPECT_EQ(Fetch(loader, server.Address()), c.status) << c.what;
        EXPECT_NE(error, "") << c.what;
        EXPECT_EQ(loader.httpcli.ReasonPhrase(), error) << c.what;
        EXPECT_TRUE(engine.DocumentLines.empty()) << c.what;

        // The run tells the failure with the page, and does not scan it.
        RunStore store;
        store.RunUrls = {server.Address()};
        RunAnalysisPages(engine, loader, store, "hotel");
        EXPECT_EQ(store.Pages[0].Error, error) << c.what;
        EXPECT_EQ(store.Pages[0].Figures.Summary.SignificantWords, 0) << c.what;
    }
}

TEST(HostileClient, AFailureInsideAHandlerBecomesTheRequestsFailure) {
    HostileServer server(std::string(kOk) + "Content-Length: 300000\r\n\r\n",
                         HostileServer::Repeat(std::string(1000, 'a')));
    HttpClient client;
    client.Url = server.Address();
    client.OnDocData = [](size_t) { throw std::bad_alloc(); };
    try {
        client.Get();
        FAIL() << "no error raised";
    } catch (const HttpError& e) {
        EXPECT_STREQ(e.what(), "std::bad_alloc");
    }
    EXPECT_FALSE(client.Pending());
}

TEST(HostileClient, AnAbortEndsTheRequestAlsoAfterItsLastByte) {
    const std::string body(600 * 1024, 'b');
    HostileServer server(std::string(kOk) + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n",
                         [&body](uint64_t sent) { return sent == 0 ? body : std::string(); });
    HttpClient client;
    MemorySink received;
    client.SetReceiveSink(&received);
    client.Url = server.Address();
    client.OnDocData = [&client](size_t) { client.Abort(); };
    EXPECT_THROW(client.Get(), HttpError);
    EXPECT_EQ(client.StatusCode(), HttpClient::AbortStatus);
    EXPECT_LE(received.bytes.size(), 64u * 1024);
}

TEST(HostileClient, ABodyOverItsLimitFailsTheRequest) {
    HostileServer server(std::string(kOk) + "\r\n", HostileServer::Repeat(std::string(4096, 'x')), 0ms,
                         1 << 20);
    HttpClient client;
    client.Url = server.Address();
    client.MaxBodyBytes = 64 * 1024;
    try {
        client.Get();
        FAIL() << "no error raised";
    } catch (const HttpError& e) {
        EXPECT_STREQ(e.what(), "The answer is larger than 65536 bytes");
    }
}
