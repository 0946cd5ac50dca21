#pragma once

// The analysis side of the main window: the input panel with the run controller, the waiting
// panel, the detailed view and the comparison view, placed on the main window and switched by
// its frame.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/pagefetcher.h"
#include "platform/imageview.h"
#include "platform/panels.h"
#include "platform/shapedbutton.h"
#include "workspace/VariableText.h"
#include "workspace/analysisstate.h"
#include "workspace/comparisonview.h"
#include "workspace/detailview.h"

class AnalysisEngine;
class TFormURL;

// What the analysis side tells the main window frame; the frame decides what the window shows.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    // The inputs are taken: the window shows that a run is in progress.
    virtual void RunBegins() = 0;
    // Every page has its figures: the window shows the results.
    virtual void RunEnded() = 0;
};

// Keeps one input of the analysis panel ("U1", "U2" or "MC") for the next start.
using StoreInput = std::function<void(const std::string& name, const std::string& value)>;

// The objects of the program the analysis side works with.
struct AnalysisParts {
    AnalysisEngine& engine;
    PageFetcher& fetcher;
    TFormURL& formURL;
    const VariableText& texts;
    StoreInput storeInput;
    std::string homePage;  // the first address offered in URL 1
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

    // What the frame's menus and states show.
    void ShowInputPanel();
    void ShowWaitingPanel();
    // URL 1 takes the focus when the input panel shows (once the window takes input again).
    void FocusInput();
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
