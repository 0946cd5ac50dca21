#pragma once

// The run loop of an analysis: every address of the run fetched, scanned when it answered
// 200 or was cut at the size cap, and summarised, with one vocabulary for the whole run.
// No widgets here: the main window and the headless analyser both drive this loop.

#include <functional>
#include <string>
#include <vector>

#include "engine/pagefetcher.h"
#include "engine/procedureanalyse.h"

struct PageResult {
    PageFigures Figures;
    bool Truncated = false;
    bool Skipped = false;  // the run was stopped before this page was fetched
    std::string Error;     // why the fetch failed, as the fetcher tells it; empty when it did not
};

// What a run leaves for the views: entry i of Pages belongs to RunUrls[i].
struct RunStore {
    std::vector<std::string> RunUrls;
    std::vector<PageResult> Pages;

    int UrlCount() const { return static_cast<int>(RunUrls.size()); }
};

// The keyword text of a run: folded when the engine removes accents.
std::string RunKeyword(const AnalysisEngine& engine, const std::string& typed);

// Fetches, scans and summarises every address of store.RunUrls in order. When stopRequested
// answers true before a page, that page and the following ones are not fetched and get the
// figures of a failed fetch with status code 0.
void RunAnalysisPages(AnalysisEngine& engine, PageFetcher& fetcher, RunStore& store,
                      const std::string& keyword, const std::function<bool()>& stopRequested = {});
