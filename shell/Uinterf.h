#pragma once

// The frame of the main window: the skin (drawn title strip, window buttons, painted
// background), the two drawn menu bars with their help line, the switching between content
// panels, the click sound and the silencing of unhandled errors.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/htmlview.h"
#include "platform/imageview.h"
#include "platform/panels.h"
#include "platform/shapedbutton.h"
#include "platform/soundplayer.h"
#include "platform/systemshell.h"
#include "shell/contactpanel.h"
#include "shell/serverrequest.h"
#include "workspace/UinterfAnalysis.h"

class AnalysisEngine;
class TMessForm;

// What the frame itself works with: the requests to the maker's server and the settings.
struct ShellParts {
    ServerRequests& requests;
    Registry& registry;
};

// One node of a menu tree: a state name at level 0, an entry at level 1.
struct MenuNode {
    QString Text;
    std::vector<MenuNode> Children;
};
using MenuTree = std::vector<MenuNode>;

struct EntryRect {
    int Entry;  // 1-based within its state
    QRect Rect;
};

// Name of the running system as the skin knows it.
std::string WindowsVersionName(const SystemVersion& version);

// Outer size of the main window for a screen width.
QSize MainWindowSizeFor(int screenWidth);

// Width of the information view for a client width.
int WebPubWidthFor(int clientWidth);

// True when the point lies strictly between the bounds of the area on both axes.
bool StrictlyInside(const QRect& area, QPoint point);

class TInterf : public QWidget, public FrameHost {
public:
    static constexpr int TopBarHeight = 46;
    static constexpr int BottomBarHeight = 89;
    static constexpr int DrawnStripHeight = 20;
    static constexpr int WindowButtonWidth = 17;
    static constexpr int WindowButtonHeight = 16;
    static constexpr int BottomEntryWidth = 117;
    static constexpr int BottomEntryHeight = 20;

    static constexpr std::chrono::milliseconds InformationFirstInterval{3000};
    static constexpr std::chrono::milliseconds InformationReload{50000};
    static constexpr const char* InformationScript = "connectINFO.php";

    // messForm may be null (no message form yet); it gets the main window's look.
    TInterf(const AnalysisParts& parts, const ShellParts& shell, TMessForm* messForm,
            SystemVersion system = CurrentSystemVersion());
    ~TInterf() override;

    // States of the window, named in the menu trees.
    static const QString StartState;
    static const QString RunningState;
    static const QString FinishedState;

    // What the analysis side tells the frame.
    void RunBegins() override;
    void RunEnded() override;

    void HideAllPanels();
    void DrawMenus();
    void MenuHautClick();

    void ImageBasClick();
    void MenuHautMouseMove(QPoint at);
    void ImageBasMouseMove(QPoint at);
    void EnterStartState();

    // Loads the information page into WebPUB; from then on every 50 seconds.
    void TimerWebTimer();
    // The address of the information page.
    std::string InformationAddress() const;

    void BARRECLOSEClick();
    void BARREDIMINClick();
    void BARREAUGMENTERClick();
    void BARRENORMALClick();

    // The application-wide error event once the main window exists: errors are dropped.
    static void ApplicationEvents1Exception(const std::string& message);

    // Frame state.
    int CaptionStripHeight = DrawnStripHeight;
    QString CurrentState;
    int HoveredTopEntry = -1;
    int SelectedTopEntry = 0;
    int HoveredBottomEntry = -1;
    std::vector<EntryRect> TopEntryRects;
    std::vector<EntryRect> BottomEntryRects;
    QColor BarColour{246, 246, 246};
    int ClientW = 0;
    int ClientH = 0;

    // Menus and their help texts, two-level trees keyed by state name.
    MenuTree TopMenu;
    MenuTree TopMenuHelp;
    MenuTree BottomMenu;
    MenuTree BottomMenuHelp;

    // Components.
    ShapedButton* BARREDIMIN;
    ShapedButton* BARREAUGMENTER;
    ShapedButton* BARRENORMAL;
    ShapedButton* BARRECLOSE;
    Panel* PanelTOP;
    Panel* PanelTOPInner;
    ImageView* MenuHaut;
    QLabel* Labelaide;
    ContactPanel* PanelContact;
    Panel* PanelpUB;
    HtmlView* WebPUB;
    QTimer TimerWeb;
    std::string InfoSessionId;
    std::string InfoSessionCode;
    ImageView* ImageBas;
    std::unique_ptr<AnalysisWorkspace> Analysis;
    SoundPlayer ClickSound;
    QImage Imagefond;

    // Style holders.
    QFont Shaut;
    QFont Phaut;
    QFont NHaut;
    QFont SlabelN2;
    QFont M2label;
    QColor M2labelColour{82, 112, 167};
    QImage IMGfond;
    QImage ImageFD1;
    QImage Imagemenu;
    QImage ImageGB;
    QImage ImageLogo;

    // Asked when the window closes: ends the program.
    std::function<void()> OnTerminate;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FormCreate(TMessForm* messForm);
    void ApplySkin(TMessForm* messForm);
    void PaintFrame(int w, int h);
    void LayoutFrame();
    void DrawBottomBar();
    void DrawTopBar();
    // The pointer over a bar: the entry it holds becomes hovered and its help shows.
    void TrackPointer(const std::vector<EntryRect>& rects, QPoint at, int& hovered, const MenuTree& help);
    std::vector<QWidget*> ContentPanels() const;
    int OuterWidth() const;
    int OuterHeight() const;

    AnalysisEngine& engine_;
    ServerRequests& requests_;
    SystemVersion system_;
    QSize normalSize_;
    QPoint normalPosition_;
    bool dragging_ = false;
    QPoint dragOffset_;
};
