#pragma once

// What the views of the analysis side share: the figures of the last run and the pointer's
// highlights.

#include <functional>

#include "workspace/analysisrun.h"

struct AnalysisState {
    RunStore Store;

    // Display row (1 to 11) the pointer last designated in a bar chart, 0 for none. One value
    // serves the detailed grid and the comparison grid.
    int HighlightedRow = 0;

    // Page (1 or 2) the pointer last designated in the comparison view, 0 for none.
    int HighlightedUrl = 0;

    // Called after a highlight changed, to repaint what shows it.
    std::function<void()> OnHighlightedRowChanged;
    std::function<void()> OnHighlightedUrlChanged;

    void SetHighlightedRow(int row) {
        if (row == HighlightedRow) return;
        HighlightedRow = row;
        if (OnHighlightedRowChanged) OnHighlightedRowChanged();
    }
    void SetHighlightedUrl(int page) {
        if (page == HighlightedUrl) return;
        HighlightedUrl = page;
        if (OnHighlightedUrlChanged) OnHighlightedUrlChanged();
    }
};
