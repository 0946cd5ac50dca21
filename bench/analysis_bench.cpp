// Scanner plus summary over a page at the fetcher's cap of 124000 characters.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "engine/datamodule.h"
#include "engine/pagelines.h"
#include "engine/procedureanalyse.h"

namespace {

// Lines of a page made of text repeated up to the cap.
std::vector<std::string> PageOf(const std::string& unit, const std::string& head = "",
                                const std::string& tail = "") {
    std::string body = head;
    while (body.size() + unit.size() + tail.size() <= static_cast<size_t>(PageSizeCap)) body += unit;
    body += tail;
    std::vector<std::string> lines;
    int32_t fetched = 0;
    LoadMemoFromMemoryStream(lines, body, fetched);
    return lines;
}

std::string SamplePage() {
    std::ifstream in(QUENBY_SAMPLES "/hotel-de-la-plage.html", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RunPage(benchmark::State& state, const std::vector<std::string>& lines, AnalysisEngine& engine) {
    int64_t chars = 0;
    for (const std::string& line : lines) chars += static_cast<int64_t>(line.size());
    for (auto _ : state) {
        engine.ResetPageCounters();
        engine.AnalysePage(lines);
        PageFigures figures = engine.SummarisePage("hotel plage", 200);
        benchmark::DoNotOptimize(figures);
    }
    state.SetBytesProcessed(state.iterations() * chars);
}

void Analyse(benchmark::State& state, const std::vector<std::string>& lines) {
    const TdataM dataM;
    AnalysisEngine engine(dataM);
    RunPage(state, lines, engine);
}

void BM_RealisticPage(benchmark::State& state) {
    Analyse(state, PageOf(SamplePage()));
}

void BM_NestedAmpersands(benchmark::State& state) {
    Analyse(state, PageOf("amp;", "<P>&", "<BR>"));
}

void BM_NamedEntities(benchmark::State& state) {
    Analyse(state, PageOf("&eacute;", "<P>", "<BR>"));
}

void BM_NumericEntities(benchmark::State& state) {
    Analyse(state, PageOf("&#233;", "<P>", "<BR>"));
}

void BM_OneSingleWord(benchmark::State& state) {
    Analyse(state, PageOf("a", "<P>", "<BR>"));
}

void BM_TagsOnly(benchmark::State& state) {
    Analyse(state, PageOf("<P><B></B><BR><TD><A HREF=x.html><IMG SRC=a.gif></A><H1></H1>"));
}

void BM_AfterLargeVocabulary(benchmark::State& state) {
    const TdataM dataM;
    AnalysisEngine engine(dataM);
    std::string words;
    for (int i = 0; i < 100000; ++i) words += "mot" + std::to_string(i) + " ";
    engine.AddBlock(words, ekBody);
    RunPage(state, PageOf(SamplePage()), engine);
}

}  // namespace

BENCHMARK(BM_RealisticPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NestedAmpersands)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NamedEntities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NumericEntities)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneSingleWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagsOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AfterLargeVocabulary)->Unit(benchmark::kMillisecond);
