#pragma once

// The detailed results of one page: the result grid, the share and density bar charts, the
// pie of significant against ignored words, the four single figures and the help panel.

#include <QComboBox>
#include <QPlainTextEdit>

#include "platform/chartwidget.h"
#include "platform/gridwidget.h"
#include "platform/label.h"
#include "platform/panels.h"
#include "workspace/VariableText.h"
#include "workspace/analysisstate.h"
#include "workspace/resultformat.h"
#include "workspace/viewstyle.h"

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
    void FitHelpPanel();

    QWidget* panel_;
    QWidget* left_;
    QWidget* right_;
    AnalysisState& state_;
    const VariableText& texts_;
};
