#include "engine/HTTPload.h"

#include "engine/pagelines.h"

namespace {

// Stops the watchdog and detaches the buffer however the fetch ends.
class FetchInProgress {
public:
    FetchInProgress(QTimer& timer, HttpClient& client, ReceiveSink& buffer) : timer_(timer), client_(client) {
        client_.SetReceiveSink(&buffer);
        timer_.start();
    }
    ~FetchInProgress() {
        timer_.stop();
        client_.SetReceiveSink(nullptr);
    }
    FetchInProgress(const FetchInProgress&) = delete;
    FetchInProgress& operator=(const FetchInProgress&) = delete;

private:
    QTimer& timer_;
    HttpClient& client_;
};

}  // namespace

TDatamoduleload::TDatamoduleload(AnalysisEngine& engine, const ProxyAddress& proxy,
                                 std::chrono::milliseconds watchdog, QObject* parent)
    : QObject(parent), engine_(engine), proxy_(proxy) {
    TimerALT.setInterval(watchdog);
    TimerALT.setSingleShot(false);
    connect(&TimerALT, &QTimer::timeout, this, &TDatamoduleload::TimerALTTimer);
}

void TDatamoduleload::Charge(const std::string& url) {
    engine_.DocumentLines.clear();
    // Cleared for every page, so that one page cut at the cap does not make later pages count
    // as cut.
    engine_.PageTruncated = false;
    FetchedChars = 0;
    MemorySink buffer;
    FetchInProgress fetch(TimerALT, httpcli, buffer);

    httpcli.Url = url;
    httpcli.Agent = UserAgent;
    httpcli.Accept = AcceptedTypes;
    httpcli.ProxyHost = proxy_.Host;
    httpcli.ProxyPort = proxy_.Port;
    httpcli.ProxyUsername.clear();
    httpcli.ProxyPassword.clear();
    httpcli.Get();

    if (!LoadMemoFromMemoryStream(engine_.DocumentLines, buffer.bytes, FetchedChars)) {
        engine_.PageTruncated = true;
        httpcli.Abort();
    }
}
