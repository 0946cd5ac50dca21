#pragma once

// The URL list window: tells which address "URL 1" and "URL 2" of the comparison view stand
// for, and highlights the page the pointer designates there.

#include <QWidget>
#include <functional>

#include "platform/gridwidget.h"

class TFormURL : public QWidget {
public:
    static constexpr int ClientWidth = 336;
    static constexpr int ClientHeight = 70;
    static constexpr QPoint FirstPosition{626, 280};

    explicit TFormURL(QWidget* parent = nullptr);

    // Row R is highlighted when R + 1 equals what this answers (0: none).
    std::function<int()> HighlightedUrl;

    void AdvlistURLGetCellColor(int row, CellStyle& style) const;

    GridWidget* AdvlistURL;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool shown_ = false;
};
