#include "workspace/analysisrun.h"

#include <exception>

#include "engine/UnitTrelvoHTMLanalyse.h"

std::string RunKeyword(const AnalysisEngine& engine, const std::string& typed) {
    return engine.RemoveAccents ? FoldAccents(typed) : typed;
}

void RunAnalysisPages(AnalysisEngine& engine, PageFetcher& fetcher, RunStore& store,
                      const std::string& keyword, const std::function<bool()>& stopRequested) {
    store.Pages.assign(store.RunUrls.size(), PageResult{});
    bool stopped = false;
    for (size_t p = 0; p < store.RunUrls.size(); ++p) {
        PageResult& page = store.Pages[p];
        engine.ResetPageCounters();
        stopped = stopped || (stopRequested && stopRequested());
        int32_t status = 0;
        if (stopped) {
            engine.DocumentLines.clear();
            page.Skipped = true;
        } else {
            try {
                fetcher.Charge(store.RunUrls[p]);
            } catch (const std::exception& e) {
                // A failed page shows up as its status code and empty figures.
                page.Error = e.what();
            }
            status = fetcher.StatusCode();
            page.Truncated = engine.PageTruncated;
            if (status == 200 || engine.PageTruncated) engine.AnalysePage(engine.DocumentLines);
        }
        page.Figures = engine.SummarisePage(keyword, status);
    }
}
