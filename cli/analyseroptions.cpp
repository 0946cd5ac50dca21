#include "cli/analyseroptions.h"

#include "engine/windows1252.h"

std::optional<AnalyserOptions> ParseAnalyserOptions(const std::vector<std::string>& args,
                                                    std::string& error) {
    AnalyserOptions options;
    bool haveKeyword = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            options.pages.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--keep-accents") {
            options.keepAccents = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--csv") {
            options.csv = true;
        } else if (arg == "--keyword" || arg.rfind("--keyword=", 0) == 0) {
            std::string value;
            if (arg == "--keyword") {
                if (i + 1 >= args.size()) {
                    error = "the option --keyword needs a text";
                    return std::nullopt;
                }
                value = args[++i];
            } else {
                value = arg.substr(std::string("--keyword=").size());
            }
            options.keyword = Utf8ToWindows1252Lossy(value);
            haveKeyword = true;
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    if (options.json && options.csv) {
        error = "--json and --csv cannot be given together";
        return std::nullopt;
    }
    if (!haveKeyword) {
        error = "no keyword given (--keyword TEXT)";
        return std::nullopt;
    }
    if (options.pages.empty()) {
        error = "no page given";
        return std::nullopt;
    }
    return options;
}
