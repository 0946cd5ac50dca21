// The main window frame: skin, menu bars, help line, panel switching, window buttons.

#include <gtest/gtest.h>

#include <QMessageBox>
#include <stdexcept>

#include "tests/support/guitesting.h"
#include "tests/support/mainwindowrig.h"

namespace {

// A fetcher that only counts the abandons asked of it (and may fail on them).
class IdleFetcher : public PageFetcher {
public:
    void Charge(const std::string&) override {}
    int32_t StatusCode() const override { return 0; }
    void Abort() override {
        ++aborts;
        if (failOnAbort) throw std::runtime_error("panne");
    }
    int aborts = 0;
    bool failOnAbort = false;
};

class Frame : public ::testing::Test {
protected:
    void SetUp() override { window = &rig.Open(&fetcher); }

    // Middle of entry n of a bar's last drawing.
    static QPoint Middle(const std::vector<EntryRect>& rects, int n) { return rects.at(n - 1).Rect.center(); }

    void EnterState(const char* state) {
        window->CurrentState = QString::fromUtf8(state);
        window->DrawMenus();
    }

    IdleFetcher fetcher;
    MainWindowRig rig;
    TInterf* window = nullptr;
};

}  // namespace

TEST(FrameRules, WindowsVersionNames) {
    struct VersionCase {
        SystemVersion version;
        const char* name;
    };
    using P = SystemPlatform;
    const VersionCase cases[] = {
        {{3, 51, P::WindowsNT, ""}, "Windows NT 3.51"},
        {{4, 0, P::Windows9x, "A"}, "Windows 95 SP 1"},
        {{4, 0, P::Windows9x, "B"}, "Windows 95 SP 2"},
        {{4, 0, P::Windows9x, ""}, "Inconnue"},
        {{4, 0, P::WindowsNT, ""}, "2000"},
        {{4, 0, P::Other, ""}, "Inconnue"},
        {{4, 10, P::Windows9x, "A"}, "Windows 98 SP 1"},
        {{4, 10, P::Windows9x, "B"}, "Windows 98 SP 2"},
        {{4, 10, P::Windows9x, "C"}, "Inconnue"},
        {{4, 90, P::Windows9x, ""}, "Windows ME"},
        {{4, 3, P::Windows9x, ""}, "Inconnue"},
        {{5, 0, P::WindowsNT, ""}, "2000"},
        {{5, 1, P::WindowsNT, ""}, "Windows XP"},
        {{5, 2, P::WindowsNT, ""}, "Inconnue"},
        {{10, 0, P::WindowsNT, ""}, "Inconnue"},
        {CurrentSystemVersion(), "Inconnue"},  // this machine
    };
    for (const VersionCase& c : cases) {
        EXPECT_EQ(WindowsVersionName(c.version), c.name) << c.version.major << "." << c.version.minor;
    }
}

TEST(FrameRules, SizesFromTheScreenAndTheClientWidth) {
    EXPECT_EQ(MainWindowSizeFor(1050), QSize(900, 675));
    EXPECT_EQ(MainWindowSizeFor(1051), QSize(1000, 750));
    EXPECT_EQ(WebPubWidthFor(899), 468);
    EXPECT_EQ(WebPubWidthFor(900), 568);
    EXPECT_EQ(WebPubWidthFor(999), 568);
    EXPECT_EQ(WebPubWidthFor(1000), 600);
}

TEST_F(Frame, SkinAndLayout) {
    EXPECT_EQ(window->size(), QSize(900, 675));  // the offscreen screen is narrower than 1051
    EXPECT_EQ(window->CaptionStripHeight, 20);
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->BARRECLOSE->geometry(), QRect(900 - 10 - 17, 1, 17, 16));
    EXPECT_EQ(window->BARREAUGMENTER->x(), 900 - 10 - 17 - 5 - 17);
    EXPECT_EQ(window->BARREDIMIN->x(), window->BARREAUGMENTER->x() - 5 - 17);
    EXPECT_EQ(window->PanelTOP->geometry(), QRect(1, 20, 898, 46));
    EXPECT_EQ(window->PanelpUB->geometry(), QRect(0, 675 - 89, 899, 89));
    EXPECT_EQ(window->Analysis->Panelanalyse1->geometry(), QRect(5, 66, 890, 675 - 157));
    EXPECT_EQ(window->WebPUB->width(), 568);
    EXPECT_EQ(window->Analysis->ButtonLancer->x(), static_cast<int>(std::nearbyint((900 - 578 - 180) / 2.0)));
    EXPECT_EQ(window->Analysis->TPDTG->height(), static_cast<int>(std::nearbyint((675 - 157) / 2.0)));
    EXPECT_EQ(window->Imagefond.pixelColor(100, 5), QColor(82, 112, 167));  // the drawn strip
    EXPECT_EQ(window->Imagefond.pixelColor(0, 300), QColor(Qt::black));     // the outline
    EXPECT_EQ(window->CurrentState, "ANALYSE1");
    EXPECT_EQ(window->BarColour, QColor(255, 248, 235));
    EXPECT_TRUE(window->Analysis->Panelanalyse1->isVisible());
    EXPECT_FALSE(window->ImageBas->isVisible());  // no bottom entries in the start state
}

TEST_F(Frame, InformationViewWidthFollowsTheClientWidth) {
    for (const auto& [width, web] : {std::pair{899, 468}, {900, 568}, {999, 568}, {1000, 600}}) {
        window->setFixedSize(width, 675);
        QApplication::processEvents();
        EXPECT_EQ(window->ClientW, width);
        EXPECT_EQ(window->WebPUB->width(), web) << width;
    }
}

TEST_F(Frame, HoveringTheTopEntriesShowsTheirHelp) {
    ASSERT_EQ(window->TopEntryRects.size(), 2u);
    PointAt(window->MenuHaut, Middle(window->TopEntryRects, 1));
    EXPECT_EQ(window->Labelaide->text(), "Lancer une analyse");
    EXPECT_EQ(window->HoveredTopEntry, 1);
    PointAt(window->MenuHaut, Middle(window->TopEntryRects, 2));
    EXPECT_EQ(window->Labelaide->text(), "Nous contacter");
    // An empty part of the bar clears the line.
    PointAt(window->MenuHaut, QPoint(window->MenuHaut->width() - 20, 10));
    EXPECT_EQ(window->Labelaide->text(), "");
    EXPECT_EQ(window->HoveredTopEntry, -1);
}

TEST_F(Frame, HitAreasAreStrict) {
    const QRect first = window->TopEntryRects.at(0).Rect;
    const QRect second = window->TopEntryRects.at(1).Rect;
    EXPECT_EQ(first.left() + first.width(), second.left());  // each area ends where the next begins
    PointAt(window->MenuHaut, QPoint(first.left() + 1, 10));
    EXPECT_EQ(window->HoveredTopEntry, 1);
    PointAt(window->MenuHaut, QPoint(first.left(), 10));  // on the bound: outside
    EXPECT_EQ(window->HoveredTopEntry, -1);
    PointAt(window->MenuHaut, QPoint(second.left(), 10));  // the shared bound belongs to neither
    EXPECT_EQ(window->HoveredTopEntry, -1);
    PointAt(window->MenuHaut, QPoint(first.left() + 5, 2));
    EXPECT_EQ(window->HoveredTopEntry, -1);
    PointAt(window->MenuHaut, QPoint(first.left() + 5, 3));
    EXPECT_EQ(window->HoveredTopEntry, 1);
}

TEST_F(Frame, BottomEntriesInEachState) {
    EnterState("ANALYSE1ENCOURS");
    EXPECT_TRUE(window->TopEntryRects.empty());  // no top entries while a run is in progress
    ASSERT_EQ(window->BottomEntryRects.size(), 1u);
    EXPECT_EQ(window->BottomEntryRects[0].Rect, QRect(10, 2, 117, 20));
    PointAt(window->ImageBas, Middle(window->BottomEntryRects, 1));
    EXPECT_EQ(window->Labelaide->text(), "Arrêter la recherche en cours");
    PointAt(window->ImageBas, QPoint(127, 12));  // the right bound of the entry
    EXPECT_EQ(window->Labelaide->text(), "");

    EnterState("ANALYSE1FINI");
    PointAt(window->ImageBas, Middle(window->BottomEntryRects, 1));
    EXPECT_EQ(window->Labelaide->text(), "Lancer une nouvelle recherche");
    PointAt(window->MenuHaut, Middle(window->TopEntryRects, 1));
    EXPECT_EQ(window->Labelaide->text(), "Analyser en détail une page Web.");
    PointAt(window->MenuHaut, Middle(window->TopEntryRects, 2));
    EXPECT_EQ(window->Labelaide->text(), "Comparer deux pages web");
}

TEST_F(Frame, ClicksSwitchPanelsAndHighlightTheEntry) {
    ClickAt(window->MenuHaut, Middle(window->TopEntryRects, 2));
    EXPECT_TRUE(window->PanelContact->isVisible());
    EXPECT_FALSE(window->Analysis->Panelanalyse1->isVisible());
    EXPECT_EQ(window->SelectedTopEntry, 2);
    ClickAt(window->MenuHaut, Middle(window->TopEntryRects, 1));
    EXPECT_TRUE(window->Analysis->Panelanalyse1->isVisible());
    EXPECT_FALSE(window->PanelContact->isVisible());
    EXPECT_EQ(window->SelectedTopEntry, 1);
    EXPECT_TRUE(window->isEnabled());

    EnterState("ANALYSE1FINI");
    ClickAt(window->MenuHaut, Middle(window->TopEntryRects, 1));
    EXPECT_TRUE(window->Analysis->PanelTableauSimple->isVisible());
    ClickAt(window->MenuHaut, Middle(window->TopEntryRects, 2));
    EXPECT_TRUE(window->Analysis->panelcomparatif->isVisible());
    EXPECT_FALSE(window->Analysis->PanelTableauSimple->isVisible());
    EXPECT_EQ(window->SelectedTopEntry, 2);

    // A click where no entry is does nothing.
    ClickAt(window->MenuHaut, QPoint(window->MenuHaut->width() - 20, 10));
    EXPECT_EQ(window->SelectedTopEntry, 2);
}

TEST_F(Frame, NewAnalysisReturnsToTheStartState) {
    EnterState("ANALYSE1FINI");
    window->SelectedTopEntry = 2;
    window->HideAllPanels();
    const int plays = window->ClickSound.PlayCount();
    ASSERT_TRUE(window->ClickSound.IsOpen());
    ClickAt(window->ImageBas, Middle(window->BottomEntryRects, 1));
    EXPECT_EQ(window->CurrentState, "ANALYSE1");
    EXPECT_EQ(window->SelectedTopEntry, 0);
    EXPECT_TRUE(window->Analysis->Panelanalyse1->isVisible());
    EXPECT_FALSE(window->ImageBas->isVisible());
    EXPECT_EQ(window->ClickSound.PlayCount(), plays + 1);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(Frame, StopIsOfferedWhileARunIsInProgress) {
    EnterState("ANALYSE1ENCOURS");
    ClickAt(window->ImageBas, Middle(window->BottomEntryRects, 1));
    EXPECT_EQ(fetcher.aborts, 1);
    EXPECT_TRUE(window->Analysis->StopRequested());
    EXPECT_EQ(window->CurrentState, "ANALYSE1ENCOURS");
}

TEST_F(Frame, AnErrorInAHandlerLeavesTheProgramRunningSilently) {
    fetcher.failOnAbort = true;
    EnterState("ANALYSE1ENCOURS");
    bool boxShown = false;
    const auto watch = WhenModal([&](QWidget* modal) {
        boxShown = true;
        modal->close();
    });
    ClickAt(window->ImageBas, Middle(window->BottomEntryRects, 1));
    QTest::qWait(50);
    EXPECT_FALSE(boxShown);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(window->isVisible());
}

TEST(FrameErrors, BeforeTheMainWindowErrorsAreReportedInABox) {
    Application::Instance()->OnException = Application::ShowExceptionBox;
    ClosedBox box;
    const auto watch = CloseNextBox(box);
    QTimer::singleShot(0, Guarded([] { throw std::runtime_error("Connexion impossible"); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box.title.isEmpty(); }));
    EXPECT_EQ(box.title, "Quenby Ardentis");
    EXPECT_EQ(box.text, "Connexion impossible");
}

TEST_F(Frame, MaximiseAndRestoreSwapTheWindowButtons) {
    window->move(120, 80);
    QApplication::processEvents();
    const QPoint before = window->pos();
    EXPECT_FALSE(window->BARRENORMAL->isVisible());
    QTest::mouseClick(window->BARREAUGMENTER, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(window->BARRENORMAL->isVisible());
    EXPECT_EQ(window->BARRENORMAL->geometry(), window->BARREAUGMENTER->geometry());
    QTest::mouseClick(window->BARRENORMAL, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(window->BARRENORMAL->isVisible());
    EXPECT_EQ(window->size(), QSize(900, 675));
    EXPECT_EQ(window->pos(), before);  // back where it was
}

TEST_F(Frame, TheDrawnStripDragsTheWindow) {
    const QPoint before = window->pos();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QTest::mouseMove(window, QPoint(350, 40));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(350, 40));
    QApplication::processEvents();
    EXPECT_EQ(window->pos(), before + QPoint(50, 30));

    // Below the strip the window does not move.
    const QPoint after = window->pos();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(300, 300));
    QTest::mouseMove(window, QPoint(350, 340));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(350, 340));
    EXPECT_EQ(window->pos(), after);
}

TEST_F(Frame, ClosingEndsTheProgram) {
    QTest::mouseClick(window->BARRECLOSE, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(rig.terminated, 1);
    EXPECT_FALSE(window->isVisible());
}
