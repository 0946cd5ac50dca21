#include "engine/HTTPload.h"

#include "engine/pagelines.h"

namespace {

// The page's lines, cut as the bytes arrive; it wants no more once the page is cut at the cap.
class PageLinesSink : public ReceiveSink {
public:
    PageLinesSink(std::vector<std::string>& lines, int32_t& fetchedChars) : splitter_(lines, fetchedChars) {}

    bool Write(const char* data, size_t length) override {
        return splitter_.Add(std::string_view(data, length));
    }

    // The page has ended; true when it was cut.
    bool Finish() { return !splitter_.Finish(); }

private:
    PageLineSplitter splitter_;
};

// Stops the watchdog and detaches the page however the fetch ends.
class FetchInProgress {
public:
    FetchInProgress(QTimer& timer, HttpClient& client, ReceiveSink& page) : timer_(timer), client_(client) {
        client_.SetReceiveSink(&page);
        client_.Deadline = std::chrono::steady_clock::now() + timer_.intervalAsDuration();
        timer_.start();
    }
    ~FetchInProgress() {
        timer_.stop();
        client_.SetReceiveSink(nullptr);
        client_.Deadline.reset();
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
    // Under a flood of data the watchdog's timer may come late: the deadline is also checked
    // where the data is read.
    httpcli.OnDeadline = [this] { TimerALTTimer(); };
}

void TDatamoduleload::Charge(const std::string& url) {
    engine_.DocumentLines.clear();
    // Cleared for every page, so that one page cut at the cap does not make later pages count
    // as cut.
    engine_.PageTruncated = false;
    FetchedChars = 0;
    PageLinesSink page(engine_.DocumentLines, FetchedChars);
    const FetchInProgress fetch(TimerALT, httpcli, page);

    httpcli.Url = url;
    httpcli.Agent = UserAgent;
    httpcli.Accept = AcceptedTypes;
    httpcli.ProxyHost = proxy_.Host;
    httpcli.ProxyPort = proxy_.Port;
    httpcli.ProxyUsername.clear();
    httpcli.ProxyPassword.clear();
    try {
        httpcli.Get();
    } catch (...) {
        // A failed fetch leaves no text.
        engine_.DocumentLines.clear();
        throw;
    }
    engine_.PageTruncated = page.Finish();
}
