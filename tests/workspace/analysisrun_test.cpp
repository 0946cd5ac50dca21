// The run loop over the addresses of a run.

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "engine/pagelines.h"
#include "tests/engine/enginetesting.h"
#include "workspace/analysisrun.h"

namespace {

struct FakeAnswer {
    int32_t status = 200;
    std::string body;
    bool throws = false;
};

// Answers each address as told, the way the page fetcher fills the engine.
class FakeFetcher : public PageFetcher {
public:
    explicit FakeFetcher(AnalysisEngine& engine) : engine_(engine) {}

    void Charge(const std::string& url) override {
        ++fetches;
        engine_.DocumentLines.clear();
        engine_.PageTruncated = false;
        const FakeAnswer& answer = answers[url];
        status_ = answer.status;
        int32_t fetched = 0;
        engine_.PageTruncated = !LoadMemoFromMemoryStream(engine_.DocumentLines, answer.body, fetched);
        if (answer.throws) {
            engine_.DocumentLines.clear();
            throw std::runtime_error("refused");
        }
    }
    int32_t StatusCode() const override { return status_; }

    std::map<std::string, FakeAnswer> answers;
    int fetches = 0;

private:
    AnalysisEngine& engine_;
    int32_t status_ = 0;
};

class RunLoop : public ::testing::Test, public EngineFixture {
protected:
    FakeFetcher fetcher{engine};
    RunStore store;

    void Run(std::vector<std::string> urls, const std::string& keyword,
             const std::function<bool()>& stop = {}) {
        store.RunUrls = std::move(urls);
        RunAnalysisPages(engine, fetcher, store, RunKeyword(engine, W(keyword)), stop);
    }

    const ElementStats& Body(int page) const { return store.Pages[page].Figures.Rows[7]; }
};

const std::string kPage = "<TITLE>Hotel</TITLE>\r\n<P>hotel plage<BR>\r\n";

}  // namespace

TEST_F(RunLoop, ScansOnly200AndTruncatedPages) {
    fetcher.answers["ok"] = {200, kPage};
    fetcher.answers["partial"] = {203, kPage};
    fetcher.answers["missing"] = {404, "<P>introuvable page<BR>", true};
    fetcher.answers["big"] = {203, "<P>hotel plage<BR>\r\n" + std::string(PageSizeCap, 'x')};
    Run({"ok", "partial", "missing", "big"}, "hotel");

    ASSERT_EQ(store.Pages.size(), 4u);
    EXPECT_EQ(Body(0).Occurrences, 1);
    EXPECT_EQ(store.Pages[0].Figures.Summary.SignificantWords, 3);

    // 203: text kept and measured, but not scanned.
    EXPECT_EQ(store.Pages[1].Figures.Summary.StatusCode, 203);
    EXPECT_EQ(store.Pages[1].Figures.Summary.TextLength, static_cast<int32_t>(kPage.size()));
    EXPECT_EQ(store.Pages[1].Figures.Summary.SignificantWords, 0);
    EXPECT_EQ(Body(1).Density, -1);

    // A failed fetch: its status, no text, nothing scanned, and the run goes on.
    EXPECT_EQ(store.Pages[2].Figures.Summary.StatusCode, 404);
    EXPECT_EQ(store.Pages[2].Figures.Summary.TextLength, 0);
    EXPECT_EQ(Body(2).Blocks, 0);

    // Cut at the cap: scanned whatever the status.
    EXPECT_TRUE(store.Pages[3].Truncated);
    EXPECT_EQ(Body(3).Occurrences, 1);
}

TEST_F(RunLoop, IdenticalAddressesAreFetchedTwiceWithIdenticalFigures) {
    fetcher.answers["same"] = {200, kPage};
    Run({"same", "same"}, "plage");
    EXPECT_EQ(fetcher.fetches, 2);
    EXPECT_EQ(Body(0).Occurrences, 1);
    EXPECT_EQ(Body(1).Occurrences, Body(0).Occurrences);
    EXPECT_EQ(store.Pages[1].Figures.Summary.SignificantWords,
              store.Pages[0].Figures.Summary.SignificantWords);
}

TEST_F(RunLoop, AnEmptyAddressIsFetchedAndFails) {
    fetcher.answers["a"] = {200, kPage};
    fetcher.answers[""] = {0, "", true};
    Run({"a", ""}, "hotel");
    EXPECT_EQ(fetcher.fetches, 2);
    EXPECT_EQ(store.Pages[1].Figures.Summary.StatusCode, 0);
    EXPECT_EQ(Body(1).Density, -1);
}

TEST_F(RunLoop, KeywordIsFoldedOnlyWhenAccentsAreRemoved) {
    EXPECT_EQ(RunKeyword(engine, W("été")), "ete");
    engine.RemoveAccents = false;
    EXPECT_EQ(RunKeyword(engine, W("été")), W("été"));
}

TEST_F(RunLoop, StoppingSkipsThePagesNotYetFetched) {
    fetcher.answers["a"] = {200, kPage};
    fetcher.answers["b"] = {200, kPage};
    int asked = 0;
    Run({"a", "b"}, "hotel", [&] { return ++asked > 1; });
    EXPECT_EQ(fetcher.fetches, 1);
    EXPECT_FALSE(store.Pages[0].Skipped);
    EXPECT_TRUE(store.Pages[1].Skipped);
    EXPECT_EQ(store.Pages[1].Figures.Summary.StatusCode, 0);
    EXPECT_EQ(store.Pages[1].Figures.Summary.TextLength, 0);
    EXPECT_EQ(Body(1).Density, -1);
}

TEST_F(RunLoop, ANewRunReplacesEveryFigure) {
    fetcher.answers["a"] = {200, kPage};
    Run({"a", "a"}, "hotel");
    fetcher.answers["a"] = {500, "", true};
    Run({"a", "a"}, "hotel");
    EXPECT_EQ(store.Pages[0].Figures.Summary.StatusCode, 500);
    EXPECT_EQ(Body(0).Occurrences, 0);
}
