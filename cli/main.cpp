// quenby-analyse: the analysis of the main window, without a window, for scripts and batch work.

#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/analyseroptions.h"
#include "cli/analyserreport.h"
#include "cli/localpages.h"
#include "cli/pagerouter.h"
#include "engine/HTTPload.h"
#include "engine/datamodule.h"
#include "engine/procedureanalyse.h"
#include "engine/windows1252.h"
#include "shell/settingsstore.h"
#include "workspace/analysisrun.h"

namespace {

constexpr int kBadInput = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "quenby-analyse: %s\n", message.c_str());
    return kBadInput;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    QCoreApplication application(argc, argv);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::printf("%s\n", AnalyserUsage);
        return 0;
    }
    std::string error;
    const auto options = ParseAnalyserOptions(args, error);
    if (!options) return Fail(error + " (see --help)");

    const TdataM dataM;
    AnalysisEngine engine(dataM);
    engine.RemoveAccents = !options->keepAccents;

    const Registry registry;
    const ProxyAddress proxy = DetectProxy(registry);
    TDatamoduleload web(engine, proxy);
    LocalPages files(engine);
    PageRouter pages(web, files);
    RunStore store;
    for (const std::string& page : options->pages) {
        const std::string address = Utf8ToWindows1252Lossy(page);
        if (!PageRouter::IsWebAddress(address) && !files.Load(address, page)) {
            return Fail("cannot read the page file " + page);
        }
        store.RunUrls.push_back(address);
    }

    const std::string keyword = RunKeyword(engine, options->keyword);
    RunAnalysisPages(engine, pages, store, keyword);

    const std::string report = options->json  ? JsonReport(store, keyword, engine.RemoveAccents)
                               : options->csv ? CsvReport(store)
                                              : TextReport(store, keyword);
    std::fwrite(report.data(), 1, report.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
