#pragma once

// What the views of the main window share: their fonts and colours, captions, panel titles and
// the result grid of the element kinds.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <string_view>

#include "platform/gridwidget.h"
#include "platform/label.h"
#include "workspace/resultformat.h"

// Figures are drawn in these colours.
inline constexpr QColor ClGreen{0, 128, 0};
inline constexpr QColor ClRed{255, 0, 0};
inline constexpr QColor ClNavy{0, 0, 128};
inline constexpr QColor HighlightColour{231, 232, 250};

QColor ToColour(const Rgb& rgb);

QFont TahomaPixels(int pixels, bool bold = false);
QFont ArialPixels(int pixels, bool bold = false);

// A caption written in the source (UTF-8).
QString Utf8(std::string_view text);

// A grid of the result views: one fixed header row and column, the row labels of the element
// kinds, rows 17 pixels high, Tahoma.
GridWidget* ResultGrid(QWidget* parent, int columns);

// A caption label at a place of a panel.
Label* CaptionAt(QWidget* parent, const QString& text, int x, int y, bool bold = false);

// A bold title at the top left of a content panel.
QLabel* PanelTitle(QWidget* panel, const QString& text);
