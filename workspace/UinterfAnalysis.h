#pragma once

// The analysis side of the main window: the input panel with the run controller, the waiting
// panel, the detailed view and the comparison view, placed on the main window and switched by
// its frame.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <memory>
#include <vector>

#include "VariableText.h"
#include "analysisstate.h"
#include "comparisonview.h"
#include "detailview.h"
#include "imageview.h"
#include "pagefetcher.h"
#include "panels.h"
#include "registry.h"
#include "shapedbutton.h"

class AnalysisEngine;
class TFormURL;

// What the analysis side asks of the main window frame.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    virtual QString CurrentStateName() const = 0;
    virtual void SetCurrentState(const QString& state) = 0;
    virtual void SetHoveredTopEntry(int entry) = 0;
    virtual void HideAllPanels() = 0;
    virtual void DrawMenus() = 0;
    virtual void MenuHautClick() = 0;
};

// The objects of the program the analysis side works with.
struct AnalysisParts {
    AnalysisEngine& engine;
    PageFetcher& fetcher;
    Registry& registry;
    TFormURL& formURL;
    const VariableText& texts;
};

class AnalysisWorkspace {
public:
    // Creates the panels on the window, hidden.
    AnalysisWorkspace(QWidget* window, FrameHost& frame, const AnalysisParts& parts);

    // Places the panels' components for a client area of w by h, the information view being
    // webWidth wide; the frame has sized the content panels.
    void Layout(int w, int h, int webWidth);

    // The content panels of the analysis side, which the frame places and switches.
    std::vector<QWidget*> ContentPanels() const;

    // Hides the analysis panels and the URL list window.
    void HidePanels();

    // What the frame's menus do.
    void ShowInputPanel();
    void ShowDetailedView();
    void ShowComparison();

    // "Arrêter" during a run: the pending fetch is abandoned and the pages not yet fetched
    // are skipped.
    void StopRun();
    bool StopRequested() const { return stopRequested_; }

    // The start button: runs a whole analysis of the two addresses.
    void ButtonLancerClick();
    void RunAnalysis();

    // Input panel.
    TransparentPanel* Panelanalyse1;
    QLineEdit* PAGE;
    QLineEdit* PAGE2;
    QLineEdit* MC;
    QCheckBox* CheckAccent;
    ShapedButton* ButtonLancer;
    ImageView* ImageFD2;

    // Waiting panel.
    TransparentPanel* PanelAttente;

    // Result views and their half-height panels.
    TransparentPanel* PanelTableauSimple;
    TransparentPanel* TPDTG;
    TransparentPanel* TPDTD;
    TransparentPanel* panelcomparatif;
    TransparentPanel* TPCTG;
    TransparentPanel* TPCTD;

    AnalysisState State;
    std::unique_ptr<DetailedView> Detail;
    std::unique_ptr<ComparisonView> Comparison;

private:
    FrameHost& frame_;
    AnalysisParts parts_;
    bool stopRequested_ = false;
};

// A bold title at the top left of a content panel.
QLabel* PanelTitle(QWidget* panel, const QString& text);
