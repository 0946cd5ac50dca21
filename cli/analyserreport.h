#pragma once

// What quenby-analyse prints: a plain report per page, or one JSON document.

#include <string>

#include "workspace/analysisrun.h"

// keyword: the text the run passed to the summary (after folding), Windows-1252.
std::string TextReport(const RunStore& store, const std::string& keyword);
std::string JsonReport(const RunStore& store, const std::string& keyword, bool removeAccents);
