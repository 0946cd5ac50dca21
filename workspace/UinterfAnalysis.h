#pragma once

// The analysis side of the main window: the input panel, the waiting panel and the two result
// views, placed on the main window and switched by its frame.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <vector>

#include "imageview.h"
#include "panels.h"
#include "shapedbutton.h"

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

class AnalysisWorkspace {
public:
    // Creates the panels on the window, hidden.
    AnalysisWorkspace(QWidget* window, FrameHost& frame);

    // Places the panels for a client area of w by h, the information view being webWidth wide.
    void Layout(int w, int h, int webWidth);

    // The content panels of the analysis side, which the frame places and switches.
    std::vector<QWidget*> ContentPanels() const;

    // Hides the analysis panels.
    void HidePanels();

    // What the frame's menus do.
    void ShowInputPanel();
    void ShowDetailedView();
    void ShowComparison();
    void StopRun();

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

    // Called when "Arrêter" is chosen while a run is in progress.
    std::function<void()> OnStopRequested;

private:
    FrameHost& frame_;
};

// A bold title at the top left of a content panel.
QLabel* PanelTitle(QWidget* panel, const QString& text);
