#pragma once

// Command line of quenby-analyse.

#include <optional>
#include <string>
#include <vector>

struct AnalyserOptions {
    bool keepAccents = false;
    bool json = false;
    bool csv = false;
    std::string keyword;             // Windows-1252
    std::vector<std::string> pages;  // as given on the command line
};

inline constexpr const char* AnalyserUsage =
    "usage: quenby-analyse [--keep-accents] [--json | --csv] --keyword TEXT PAGE...";

// The options, or nothing with error set to a one-line description of the problem.
std::optional<AnalyserOptions> ParseAnalyserOptions(const std::vector<std::string>& args, std::string& error);
