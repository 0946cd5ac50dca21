#pragma once

// What quenby-analyse prints: a plain report per page, one JSON document, or CSV lines for
// spreadsheets.

#include <string>

#include "workspace/analysisrun.h"

// keyword: the text the run passed to the summary (after folding), Windows-1252.
std::string TextReport(const RunStore& store, const std::string& keyword);
std::string JsonReport(const RunStore& store, const std::string& keyword, bool removeAccents);

// A header line, then one line per page and display row: address, status, label, blocks, words,
// occurrences, density (empty when the keyword does not occur). UTF-8, CR LF line ends.
std::string CsvReport(const RunStore& store);
