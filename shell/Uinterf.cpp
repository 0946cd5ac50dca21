#include "shell/Uinterf.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "engine/procedureanalyse.h"
#include "platform/application.h"
#include "platform/disabledwhile.h"
#include "platform/qtextconvert.h"
#include "shell/UnitShowMess.h"
#include "shell/productinfo.h"
#include "shell/settingsstore.h"
#include "workspace/viewstyle.h"

namespace {

constexpr QColor kGrey246{246, 246, 246};
constexpr QColor kStripBlue{82, 112, 167};
constexpr QColor kBarBeige{255, 248, 235};
constexpr int kBottomColumnGap = 20;
constexpr int kBottomRowStep = 25;
constexpr int kBottomMargin = 5;
constexpr int kWebHeight = 77;

QImage Picture(const char* name) {
    return QImage(QStringLiteral(":/pictures/") + QString::fromLatin1(name));
}

const MenuNode* FindState(const MenuTree& tree, const QString& state) {
    for (const MenuNode& node : tree) {
        if (node.Text == state) return &node;
    }
    return nullptr;
}

QString HelpOf(const MenuTree& help, const QString& state, int entry) {
    const MenuNode* node = FindState(help, state);
    if (node == nullptr || entry < 1 || entry > static_cast<int>(node->Children.size())) return {};
    return node->Children[entry - 1].Text;
}

int HitEntry(const std::vector<EntryRect>& rects, QPoint at) {
    for (const EntryRect& r : rects) {
        if (StrictlyInside(r.Rect, at)) return r.Entry;
    }
    return -1;
}

MenuNode Node(const QString& text, std::vector<QString> children = {}) {
    MenuNode node{text, {}};
    for (const QString& child : children) node.Children.push_back({child, {}});
    return node;
}

}  // namespace

const QString TInterf::StartState = QStringLiteral("ANALYSE1");
const QString TInterf::RunningState = QStringLiteral("ANALYSE1ENCOURS");
const QString TInterf::FinishedState = QStringLiteral("ANALYSE1FINI");

std::string WindowsVersionName(const SystemVersion& v) {
    const char sp = v.servicePack.empty() ? '\0' : v.servicePack[0];
    const auto servicePack = [sp](const char* first, const char* second) {
        return std::string(sp == 'A' ? first : sp == 'B' ? second : "Inconnue");
    };
    if (v.major == 3) return "Windows NT 3.51";
    if (v.major == 4) {
        if (v.minor == 0) {
            if (v.platform == SystemPlatform::Windows9x)
                return servicePack("Windows 95 SP 1", "Windows 95 SP 2");
            if (v.platform == SystemPlatform::WindowsNT) return "2000";
            return "Inconnue";
        }
        if (v.minor == 10) return servicePack("Windows 98 SP 1", "Windows 98 SP 2");
        if (v.minor == 90) return "Windows ME";
        return "Inconnue";
    }
    if (v.major == 5) {
        if (v.minor == 0) return "2000";
        if (v.minor == 1) return "Windows XP";
    }
    return "Inconnue";
}

QSize MainWindowSizeFor(int screenWidth) {
    return screenWidth >= 1051 ? QSize(1000, 750) : QSize(900, 675);
}

int WebPubWidthFor(int clientWidth) {
    if (clientWidth > 999) return 600;
    if (clientWidth > 899) return 568;
    return 468;
}

bool StrictlyInside(const QRect& area, QPoint p) {
    // The rectangle's bounds are its left, top, right + 1 and bottom + 1 edges.
    return p.x() > area.left() && p.x() < area.left() + area.width() && p.y() > area.top() &&
           p.y() < area.top() + area.height();
}

TInterf::TInterf(const AnalysisParts& parts, const ShellParts& shell, TMessForm* messForm,
                 SystemVersion system)
    : QWidget(nullptr), engine_(parts.engine), requests_(shell.requests), system_(std::move(system)) {
    OnTerminate = [] { QCoreApplication::quit(); };
    Shaut = ArialPixels(11, true);
    Phaut = ArialPixels(11, false);
    NHaut = ArialPixels(11, false);
    SlabelN2 = ArialPixels(11, true);
    M2label = ArialPixels(11, false);
    IMGfond = Picture("fond.png");
    ImageFD1 = Picture("decoration-haut.png");
    Imagemenu = Picture("menu-bas.png");
    ImageGB = Picture("bouton-fond.png");
    ImageLogo = Picture("logo.png");

    TopMenu = {
        Node(StartState, {QStringLiteral("Lancer"), QStringLiteral("Nous contacter")}), Node(RunningState),
        Node(FinishedState, {QStringLiteral("Tableau detaillé"), QStringLiteral("Tableau comparatif")})};
    TopMenuHelp = {Node(StartState, {QStringLiteral("Lancer une analyse"), QStringLiteral("Nous contacter")}),
                   Node(RunningState),
                   Node(FinishedState, {QStringLiteral("Analyser en détail une page Web."),
                                        QStringLiteral("Comparer deux pages web")})};
    BottomMenu = {Node(RunningState, {QStringLiteral("Arrêter")}),
                  Node(FinishedState, {QStringLiteral("Nouvelle analyse")})};
    BottomMenuHelp = {Node(RunningState, {QStringLiteral("Arrêter la recherche en cours")}),
                      Node(FinishedState, {QStringLiteral("Lancer une nouvelle recherche")})};

    const auto windowButton = [this](const char* glyph) {
        auto* button = new ShapedButton(this);
        button->resize(WindowButtonWidth, WindowButtonHeight);
        button->SetGlyph(Picture(glyph));
        button->SetCornerRadius(3);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    BARREDIMIN = windowButton("barre-reduire.png");
    BARREAUGMENTER = windowButton("barre-agrandir.png");
    BARRENORMAL = windowButton("barre-restaurer.png");
    BARRECLOSE = windowButton("barre-fermer.png");
    BARRENORMAL->hide();
    BARREDIMIN->OnClick = [this] { BARREDIMINClick(); };
    BARREAUGMENTER->OnClick = [this] { BARREAUGMENTERClick(); };
    BARRENORMAL->OnClick = [this] { BARRENORMALClick(); };
    BARRECLOSE->OnClick = [this] { BARRECLOSEClick(); };

    PanelTOP = new Panel(this, kBarBeige);
    PanelTOPInner = new Panel(PanelTOP, kBarBeige);
    MenuHaut = new ImageView(PanelTOPInner);
    MenuHaut->OnMouseMove = [this](QPoint at) { MenuHautMouseMove(at); };
    MenuHaut->OnClick = [this] { MenuHautClick(); };
    Labelaide = new QLabel(PanelTOPInner);
    Labelaide->setFont(ArialPixels(11, false));
    Labelaide->move(8, 26);

    PanelContact = new ContactPanel(this, shell.requests, shell.registry, parts.texts);
    PanelContact->SetMessageForm(messForm);

    PanelpUB = new Panel(this, BarColour);
    PanelpUB->SetSingleBorder(true);
    WebPUB = new HtmlView(PanelpUB);
    WebPUB->setObjectName(QStringLiteral("WebPUB"));
    TimerWeb.setInterval(InformationFirstInterval);
    connect(&TimerWeb, &QTimer::timeout, this, [this] { RunGuarded([this] { TimerWebTimer(); }); });
    InfoSessionId = ::InfoSessionId(shell.registry);
    InfoSessionCode = ProductVersion;
    ImageBas = new ImageView(PanelpUB);
    ImageBas->OnMouseMove = [this](QPoint at) { ImageBasMouseMove(at); };
    ImageBas->OnClick = [this] { ImageBasClick(); };

    Analysis = std::make_unique<AnalysisWorkspace>(this, *this, parts);
    for (QWidget* panel : ContentPanels()) panel->lower();
    FormCreate(messForm);
}

TInterf::~TInterf() = default;

std::vector<QWidget*> TInterf::ContentPanels() const {
    std::vector<QWidget*> panels = Analysis->ContentPanels();
    panels.push_back(PanelContact);
    return panels;
}

void TInterf::FormCreate(TMessForm* messForm) {
    ApplySkin(messForm);
    BuildEntityTable();
    engine_.InitAnalysis();
    EnterStartState();
    if (Application* application = Application::Instance())
        application->OnException = ApplicationEvents1Exception;
}

void TInterf::ApplySkin(TMessForm* messForm) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect desk = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    normalSize_ = MainWindowSizeFor(desk.width());

    QPalette p = palette();
    p.setColor(QPalette::Window, kGrey246);
    setPalette(p);
    setAutoFillBackground(true);

    CaptionStripHeight = WindowsVersionName(system_) == "2000" ? 0 : DrawnStripHeight;
    for (ShapedButton* button : {BARREDIMIN, BARREAUGMENTER, BARRENORMAL, BARRECLOSE}) {
        button->SetFaceColours(kStripBlue, kStripBlue);
    }
    Analysis->ButtonLancer->SetFaceColours(kGrey246, kGrey246);
    PanelContact->PCTCTenvoyer->SetFaceColours(kGrey246, kGrey246);
    PanelContact->PCTCTenvoyer->SetPicture(ImageGB);
    PanelContact->PCTCTenvoyer->SetCaptionLeft(30);
    if (messForm != nullptr) messForm->ApplyMainWindowLook(ImageGB);

    PanelTOP->setGeometry(1, CaptionStripHeight, desk.width(), TopBarHeight);
    for (QWidget* panel : ContentPanels()) panel->move(5, TopBarHeight + CaptionStripHeight);

    if (CaptionStripHeight == DrawnStripHeight) {
        // No system caption nor border: the window draws its own strip.
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    } else {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint |
                       Qt::WindowCloseButtonHint);
        for (ShapedButton* button : {BARREDIMIN, BARREAUGMENTER, BARRENORMAL, BARRECLOSE}) button->hide();
    }
    setWindowTitle(CaptionStripHeight == 0 ? QString() : QStringLiteral("Quenby Ardentis"));
    setFixedSize(normalSize_);
    move(desk.center() - QPoint(normalSize_.width() / 2, normalSize_.height() / 2));
    PaintFrame(width(), height());

    // Without the file (or with a broken one) the program simply has no sound.
    ClickSound.Open(FromQString(QDir::currentPath() + QStringLiteral("/click.WAV")));
}

int TInterf::OuterWidth() const {
    return frameGeometry().width();
}
int TInterf::OuterHeight() const {
    return frameGeometry().height();
}

void TInterf::resizeEvent(QResizeEvent*) {
    RunGuarded([this] { PaintFrame(width(), height()); });
}

void TInterf::PaintFrame(int w, int h) {
    ClientW = w;
    ClientH = h;
    const int outerW = std::max(w, OuterWidth());
    const int outerH = std::max(h, OuterHeight());
    BARRECLOSE->move(outerW - 10 - WindowButtonWidth, 1);
    BARREAUGMENTER->move(BARRECLOSE->x() - 5 - WindowButtonWidth, 1);
    BARRENORMAL->move(BARREAUGMENTER->pos());
    BARREDIMIN->move(BARREAUGMENTER->x() - 5 - WindowButtonWidth, 1);

    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(kGrey246);
    QPainter painter(&picture);
    if (CaptionStripHeight == DrawnStripHeight) {
        painter.fillRect(0, 0, w, DrawnStripHeight, kStripBlue);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, w - 1, DrawnStripHeight - 1);
        painter.drawImage(1, 1, ImageLogo);
        QFont title(QStringLiteral("Arial"));
        title.setPointSize(10);
        title.setBold(true);
        painter.setFont(title);
        painter.setPen(Qt::white);
        painter.drawText(QRect(ImageLogo.width() + 10, 1, w, DrawnStripHeight - 1),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Quenby Ardentis Version ") + QString::fromLatin1(ProductVersion));
    }
    if (!IMGfond.isNull()) {
        for (int y = 30; y < outerH; y += IMGfond.height()) {
            for (int x = 0; x < outerW; x += IMGfond.width()) painter.drawImage(x, y, IMGfond);
        }
    }
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, w - 1, h - 1);
    painter.drawImage(1, PanelTOP->y() + TopBarHeight - 1, ImageFD1);
    painter.end();
    Imagefond = picture;
    update();
    LayoutFrame();
}

void TInterf::LayoutFrame() {
    const int w = ClientW;
    const int h = ClientH;
    PanelTOP->setGeometry(1, CaptionStripHeight, w - 2, TopBarHeight);
    PanelTOPInner->setGeometry(PanelTOP->rect());
    MenuHaut->setGeometry(0, 0, w - 2, 22);
    const int webWidth = WebPubWidthFor(w);

    const int border = 1;
    const int bottomClient = BottomBarHeight - 2 * border;
    PanelpUB->setGeometry(0, h - bottomClient - 2, w - 1, BottomBarHeight);
    WebPUB->setGeometry(border + kBottomMargin, border + kBottomMargin, webWidth, kWebHeight);
    const int menuLeft = WebPUB->x() + webWidth + kBottomMargin;
    ImageBas->setGeometry(menuLeft, border + kBottomMargin,
                          PanelpUB->width() - menuLeft - border - kBottomMargin, kWebHeight);

    for (QWidget* panel : ContentPanels()) {
        panel->setGeometry(5, TopBarHeight + CaptionStripHeight, w - 10,
                           h - (BottomBarHeight + TopBarHeight + PanelTOP->y() + 2));
    }
    Analysis->Layout(w, h, webWidth);
    DrawMenus();
}

void TInterf::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Imagefond);
}

void TInterf::DrawMenus() {
    DrawBottomBar();
    DrawTopBar();
}

void TInterf::DrawBottomBar() {
    BottomEntryRects.clear();
    const MenuNode* node = FindState(BottomMenu, CurrentState);
    if (node == nullptr) {
        ImageBas->hide();
        return;
    }
    ImageBas->show();
    QImage picture(ImageBas->size(), QImage::Format_RGB32);
    picture.fill(BarColour);
    QPainter painter(&picture);
    painter.setFont(M2label);
    painter.setPen(M2labelColour);
    for (int i = 0; i < static_cast<int>(node->Children.size()); ++i) {
        const int x = i % 2 == 0 ? 10 : 10 + BottomEntryWidth + kBottomColumnGap;
        const int y = 2 + (i / 2) * kBottomRowStep;
        painter.drawImage(x, y, Imagemenu);
        painter.drawText(QRect(x + 25, y + 2, BottomEntryWidth, BottomEntryHeight),
                         Qt::AlignLeft | Qt::AlignTop, node->Children[i].Text);
        BottomEntryRects.push_back(
            {i + 1, QRect(x, y, BottomEntryWidth, BottomEntryHeight)});  // x to x + 117
    }
    painter.end();
    ImageBas->SetPicture(picture);
}

void TInterf::DrawTopBar() {
    TopEntryRects.clear();
    QImage picture(MenuHaut->size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QColor(163, 163, 163));
    painter.drawLine(0, 20, picture.width(), 20);
    if (const MenuNode* node = FindState(TopMenu, CurrentState)) {
        const QFontMetrics measure(SlabelN2);
        int x = 15;
        for (int i = 0; i < static_cast<int>(node->Children.size()); ++i) {
            const int entry = i + 1;
            const QString& caption = node->Children[i].Text;
            painter.setFont(entry == SelectedTopEntry ? Shaut : entry == HoveredTopEntry ? Phaut : NHaut);
            painter.setPen(Qt::black);
            painter.drawText(QRect(x + 10, 2, 1000, 20), Qt::AlignLeft | Qt::AlignTop, caption);
            const int w = measure.horizontalAdvance(caption);
            TopEntryRects.push_back({entry, QRect(x + 10, 2, w + 10, 23)});  // x + 10 to x + w + 20, 2 to 25
            x += w + 10;
        }
    }
    painter.end();
    MenuHaut->SetPicture(picture);
}

void TInterf::TrackPointer(const std::vector<EntryRect>& rects, QPoint at, int& hovered,
                           const MenuTree& help) {
    const int entry = HitEntry(rects, at);
    if (entry != -1) {
        if (entry != hovered) {
            hovered = entry;
            Labelaide->setText(HelpOf(help, CurrentState, entry));
            Labelaide->adjustSize();
        }
    } else if (hovered != -1) {
        Labelaide->clear();
        hovered = -1;
    }
}

void TInterf::MenuHautMouseMove(QPoint at) {
    TrackPointer(TopEntryRects, at, HoveredTopEntry, TopMenuHelp);
}

void TInterf::ImageBasMouseMove(QPoint at) {
    TrackPointer(BottomEntryRects, at, HoveredBottomEntry, BottomMenuHelp);
}

void TInterf::HideAllPanels() {
    Analysis->HidePanels();
    PanelContact->hide();
}

void TInterf::MenuHautClick() {
    if (HoveredTopEntry == -1) return;
    {
        const DisabledWhile disabled(*this);
        try {
            if (CurrentState == StartState) {
                HideAllPanels();
                if (HoveredTopEntry == 1) Analysis->ShowInputPanel();
                if (HoveredTopEntry == 2) PanelContact->show();
            } else if (CurrentState == FinishedState) {
                HideAllPanels();
                if (HoveredTopEntry == 1) Analysis->ShowDetailedView();
                if (HoveredTopEntry == 2) Analysis->ShowComparison();
            }
        } catch (const std::exception&) {
            // A failed switch leaves the window as it is.
        }
        SelectedTopEntry = HoveredTopEntry;
        QCoreApplication::processEvents();
        DrawMenus();
    }
    Analysis->FocusInput();
}

void TInterf::RunBegins() {
    CurrentState = RunningState;
    HideAllPanels();
    Analysis->ShowWaitingPanel();
    DrawMenus();
}

void TInterf::RunEnded() {
    CurrentState = FinishedState;
    HoveredTopEntry = 1;
    MenuHautClick();
}

void TInterf::ImageBasClick() {
    if (HoveredBottomEntry == -1) return;
    const DisabledWhile disabled(*this);
    DefaultBeep();
    if (CurrentState == FinishedState && HoveredBottomEntry == 1) {
        EnterStartState();
    } else if (CurrentState == RunningState && HoveredBottomEntry == 1) {
        Analysis->StopRun();
    }
}

void TInterf::EnterStartState() {
    ClickSound.Play();
    {
        const DisabledWhile disabled(*this);
        SelectedTopEntry = 0;
        CurrentState = StartState;
        HideAllPanels();
        Analysis->ShowInputPanel();
        BarColour = kBarBeige;
        PanelpUB->SetColour(BarColour);
        DrawMenus();
    }
    Analysis->FocusInput();
}

std::string TInterf::InformationAddress() const {
    return requests_.ServiceRoot + InformationScript + "?IdS=" + InfoSessionId + "&PT2=" + InfoSessionCode;
}

void TInterf::TimerWebTimer() {
    TimerWeb.setInterval(InformationReload);
    try {
        WebPUB->SetProxy(requests_.Proxy().Host, requests_.Proxy().Port);
        WebPUB->Navigate(InformationAddress());
    } catch (const std::exception&) {
        // The view shows its own failures; nothing else is told.
    }
}

void TInterf::BARRECLOSEClick() {
    close();
}

void TInterf::BARREDIMINClick() {
    showMinimized();
}

void TInterf::BARREAUGMENTERClick() {
    normalPosition_ = pos();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showMaximized();
    BARRENORMAL->show();
    BARRENORMAL->raise();
}

void TInterf::BARRENORMALClick() {
    showNormal();
    setFixedSize(normalSize_);
    move(normalPosition_);  // back where it was before it filled the screen
    BARRENORMAL->hide();
}

void TInterf::ApplicationEvents1Exception(const std::string&) {}

void TInterf::closeEvent(QCloseEvent* event) {
    event->accept();
    if (OnTerminate) OnTerminate();
}

void TInterf::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || CaptionStripHeight == 0 ||
        event->position().y() > CaptionStripHeight) {
        return;
    }
    // The drawn strip drags the window like a system caption.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TInterf::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) move(event->globalPosition().toPoint() - dragOffset_);
}

void TInterf::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}
