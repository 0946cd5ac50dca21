#pragma once

// The detailed results of one page: the result grid, the share and density bar charts, the
// pie of significant against ignored words, the four single figures and the help panel.

#include <QComboBox>
#include <QPlainTextEdit>

#include "VariableText.h"
#include "analysisstate.h"
#include "chartwidget.h"
#include "gridwidget.h"
#include "label.h"
#include "panels.h"
#include "resultformat.h"

class DetailedView {
public:
    // Builds the view's components on the panel and its two upper halves.
    DetailedView(QWidget* panel, QWidget* left, QWidget* right, AnalysisState& state,
                 const VariableText& texts);

    // Places the components after the panels were sized.
    void Layout();

    // Fills the whole view for the selected address.
    void CombolisteURLChange();

    void AdvResultGetCellColor(int row, int column, CellStyle& style) const;

    // Pointer tracking.
    void Chart1MouseMove(QPoint at);
    void ChartsimpledensiteMouseMove(QPoint at);
    void AdvResultMouseMove(QPoint at);
    void ChartREPARTITIONSIGNIFICATIFMouseMove();
    void LabelCodeRetourMouseMove();

    // Help entry i (0 to 15) in the help panel; -1 hides the panel.
    void ShowHelpEntry(int entry);

    QComboBox* CombolisteURL;
    Label* labelnbrsignificatif;
    Label* Labelnbrignore;
    Label* labeltaille;
    Label* LabelCodeRetour;
    Label* LabelMC1;
    ChartWidget* ChartREPARTITIONSIGNIFICATIF;
    GridWidget* AdvResult;
    ChartWidget* Chart1;
    ChartWidget* Chartsimpledensite;
    Panel* PanelAide;
    QLabel* LabelAidedetaille;
    QPlainTextEdit* Memoaide;

private:
    const PageResult* SelectedPage() const;

    QWidget* panel_;
    QWidget* left_;
    QWidget* right_;
    AnalysisState& state_;
    const VariableText& texts_;
};

// Figures are drawn in these colours.
inline constexpr QColor ClGreen{0, 128, 0};
inline constexpr QColor ClRed{255, 0, 0};
inline constexpr QColor ClNavy{0, 0, 128};
inline constexpr QColor HighlightColour{231, 232, 250};

QColor ToColour(const Rgb& rgb);

QFont TahomaPixels(int pixels, bool bold = false);
QFont ArialPixels(int pixels, bool bold = false);

// A grid of the result views: one fixed header row and column, the row labels of the element
// kinds, rows 17 pixels high, Tahoma.
GridWidget* ResultGrid(QWidget* parent, int columns);

// A caption label at a place of a panel.
Label* CaptionAt(QWidget* parent, const QString& text, int x, int y, bool bold = false);
