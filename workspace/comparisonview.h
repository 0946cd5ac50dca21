#pragma once

// The two pages of the last run side by side, one measure at a time: the grid, the bars of
// both pages, their significant and ignored words, and the mirrored shares per element kind.

#include <QComboBox>
#include <QListWidget>

#include "platform/chartwidget.h"
#include "platform/gridwidget.h"
#include "platform/label.h"
#include "workspace/UlisteURL.h"
#include "workspace/analysisstate.h"

class ComparisonView {
public:
    ComparisonView(QWidget* panel, QWidget* left, QWidget* right, AnalysisState& state, const QComboBox& urls,
                   TFormURL& formURL);

    void Layout();

    // Fills the whole view and the URL list window's grid for the measure selected.
    void BuildComparison();
    void ListcomparatifClick() { BuildComparison(); }

    void AdvComparatifGetCellColor(int row, int column, CellStyle& style) const;

    // Pointer tracking.
    void AdvComparatifMouseMove(QPoint at);
    void ChartcomparatifsignificatifMouseMove(QPoint at);
    void ChartAdvcomparatifMouseMove(QPoint at);
    void ChartCompare2pageMouseMove(QPoint at);

    // The caption under the mirrored chart for bar b of series q.
    QString ShareCaption(int series, int bar) const;

    QListWidget* Listcomparatif;
    GridWidget* AdvComparatif;
    Label* LabelMC2;
    ChartWidget* Chartcomparatifsignificatif;
    ChartWidget* ChartAdvcomparatif;
    QLabel* Labelcaption;
    ChartWidget* ChartCompare2page;

private:
    QWidget* panel_;
    QWidget* left_;
    QWidget* right_;
    AnalysisState& state_;
    const QComboBox& urls_;
    TFormURL& formURL_;
};
