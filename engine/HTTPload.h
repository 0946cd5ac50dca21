#pragma once

// The page fetcher: downloads one page over HTTP into the engine's DocumentLines, cut into
// lines and capped at PageSizeCap characters, under a watchdog.

#include <QObject>
#include <QTimer>
#include <chrono>

#include "engine/pagefetcher.h"
#include "engine/procedureanalyse.h"
#include "platform/httpclient.h"

class TDatamoduleload : public QObject, public PageFetcher {
    Q_OBJECT

public:
    static constexpr const char* UserAgent = "QuenbyArdentis V0.5 ";
    static constexpr const char* AcceptedTypes = "text/html";
    static constexpr std::chrono::milliseconds DefaultWatchdog{20000};

    // proxy: the detected proxy, read at every fetch.
    TDatamoduleload(AnalysisEngine& engine, const ProxyAddress& proxy,
                    std::chrono::milliseconds watchdog = DefaultWatchdog, QObject* parent = nullptr);

    // Fetches the page, cutting it into DocumentLines as it arrives and stopping once it is cut
    // at the cap; raises the client's HttpError when the transfer fails or the server answers
    // 400 or more, leaving DocumentLines empty.
    void Charge(const std::string& url) override;

    int32_t StatusCode() const override { return httpcli.StatusCode(); }

    void Abort() override { httpcli.Abort(); }

    // The watchdog's tick: abandons the request in progress.
    void TimerALTTimer() { httpcli.Abort(); }

    // Characters put into DocumentLines by the current fetch.
    int32_t FetchedChars = 0;

    HttpClient httpcli;
    QTimer TimerALT;

private:
    AnalysisEngine& engine_;
    const ProxyAddress& proxy_;
};
