// The analysis side of the main window, driven from typed inputs over pages served locally.

#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QToolTip>
#include <atomic>

#include "platform/qtextconvert.h"
#include "shell/serveraddress.h"
#include "shell/settingsstore.h"
#include "tests/support/guitesting.h"
#include "tests/support/mainwindowrig.h"
#include "tests/support/testserver.h"

namespace {

// Figures of the detailed page, keyword "hotel": TITLE 3 words 1 hit (33%), H1 2/1 (50%),
// BODY 8/1 (12%), H4 2/0, A.title 2, A 1, IMG.alt 2/1 (50%), IMG.title 1; 21 significant
// words, 4 ignored.
const std::string kDetailPage =
    "<HTML><HEAD><TITLE>Hotel Paris plage</TITLE></HEAD><BODY>\r\n"
    "<H1>Hotel de la plage</H1>\r\n"
    "<P>Un hotel parmi sept autres maisons belles calmes vertes<BR>\r\n"
    "<H4>Chambres calmes</H4>\r\n"
    "<A HREF=\"c.html\" TITLE=\"Voir les chambres\">Chambres</A>\r\n"
    "<IMG SRC=\"p.jpg\" ALT=\"Piscine hotel\" TITLE=\"Vue\">\r\n"
    "<P>fin</P>\r\n";

std::string Words(int count, const char* stem) {
    std::string words;
    for (int i = 1; i <= count; ++i) words += std::string(stem) + std::to_string(i) + " ";
    return words;
}

class Workspace : public ::testing::Test {
protected:
    void SetUp() override {
        auto& http = server.Http();
        const auto page = [](std::string body) {
            return [body](const httplib::Request&, httplib::Response& res) {
                res.set_content(body, "text/html");
            };
        };
        http.Get("/detail", page(kDetailPage));
        http.Get("/other", page("<TITLE>Autre page de voyage</TITLE>\r\n<P>Rien ici<BR>\r\n"));
        http.Get("/big", page("<TITLE>Grand site</TITLE><P>" + Words(850, "mot") + "<BR>"));
        // 120 significant words, 3 of them in the title.
        http.Get("/small", page("<TITLE>Hotel Paris plage</TITLE><P>" + Words(117, "terme") + "<BR>"));
        http.Get("/missing", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("<P>Cette page hotel n'existe pas<BR>", "text/html");
        });
        http.Get("/counted", [this](const httplib::Request&, httplib::Response& res) {
            ++countedHits;
            res.set_content(kDetailPage, "text/html");
        });
        server.Stall("/silent");
        server.Start();
        window = &rig.Open();
        analysis = window->Analysis.get();
        detail = analysis->Detail.get();
        comparison = analysis->Comparison.get();
    }

    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        TypeText(edit, text);
    }

    // Types the inputs and clicks the start button; returns once the run is over.
    void Run(const std::string& first, const std::string& second, const QString& keyword) {
        if (!analysis->Panelanalyse1->isVisible()) {
            ClickAt(window->ImageBas, window->BottomEntryRects.at(0).Rect.center());  // "Nouvelle analyse"
        }
        Type(analysis->PAGE, QString::fromStdString(first));
        Type(analysis->PAGE2, QString::fromStdString(second));
        Type(analysis->MC, keyword);
        QTest::mouseClick(analysis->ButtonLancer, Qt::LeftButton);
        QApplication::processEvents();
    }

    std::string At(const char* path) const { return server.Address(path); }

    static CellStyle StyleOf(GridWidget* grid, int column, int row) {
        CellStyle style = grid->DefaultStyle(column, row);
        grid->OnGetCellColor(row, column, style);
        return style;
    }

    QString Row(int row) const {
        QStringList cells;
        for (int c = 0; c < 5; ++c) cells << detail->AdvResult->Cell(c, row);
        return cells.join('|');
    }

    // Moves the pointer onto bar index of a series of a chart.
    static void PointAtBar(ChartWidget* chart, int series, int index) {
        const QRectF bar = chart->BarRect(series, index);
        PointAt(chart, QPoint(static_cast<int>(bar.center().x()), static_cast<int>(bar.bottom()) - 1));
    }

    void ChooseMeasure(int k) {
        QListWidget* list = comparison->Listcomparatif;
        const QRect item = list->visualItemRect(list->item(k));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
        QApplication::processEvents();
    }

    void OpenComparison() { ClickAt(window->MenuHaut, window->TopEntryRects.at(1).Rect.center()); }

    TestServer server;
    MainWindowRig rig;
    TInterf* window = nullptr;
    AnalysisWorkspace* analysis = nullptr;
    DetailedView* detail = nullptr;
    ComparisonView* comparison = nullptr;
    std::atomic<int> countedHits{0};
};

}  // namespace

TEST_F(Workspace, InitialInputs) {
    EXPECT_EQ(analysis->MC->text(), "quenby");
    EXPECT_EQ(analysis->PAGE->text(), ToQString(SiteRoot()));
    EXPECT_TRUE(analysis->CheckAccent->isChecked());
    EXPECT_FALSE(analysis->PAGE2->text().isEmpty());
}

TEST_F(Workspace, AWholeRunFromTypedInputsToTheDetailedView) {
    Run(At("/detail"), At("/other"), QStringLiteral("Hôtel"));

    EXPECT_EQ(window->CurrentState, "ANALYSE1FINI");
    EXPECT_EQ(window->SelectedTopEntry, 1);
    EXPECT_TRUE(analysis->PanelTableauSimple->isVisible());
    EXPECT_FALSE(analysis->PanelAttente->isVisible());
    EXPECT_EQ(detail->CombolisteURL->count(), 2);
    EXPECT_EQ(detail->CombolisteURL->currentIndex(), 0);
    EXPECT_EQ(detail->CombolisteURL->itemText(1), QString::fromStdString(At("/other")));

    // The keyword folded in the field and the labels, stored as typed.
    EXPECT_EQ(analysis->MC->text(), "Hotel");
    EXPECT_EQ(detail->LabelMC1->text(), "Hotel");
    EXPECT_EQ(comparison->LabelMC2->text(), "Hotel");
    EXPECT_EQ(ReadSetting(rig.registry, "U1"), At("/detail"));
    EXPECT_EQ(ReadSetting(rig.registry, "U2"), At("/other"));
    EXPECT_EQ(ReadSetting(rig.registry, "MC"), FromQString(QStringLiteral("Hôtel")));

    // The grid.
    EXPECT_EQ(Row(0), "|Nbr de blocs|Nbr de mots|Nbr d'occurences|Densité");
    EXPECT_EQ(Row(1), "TITLE|1|3|1|33%");
    EXPECT_EQ(Row(2), "H1|1|2|1|50%");
    EXPECT_EQ(Row(3), "H2|0|0|0|- %");
    EXPECT_EQ(Row(5), "H4|1|2|0|- %");
    EXPECT_EQ(Row(7), "BODY|1|8|1|12%");
    EXPECT_EQ(Row(8), "A|1|1|0|- %");
    EXPECT_EQ(Row(9), "A.title|1|2|0|- %");
    EXPECT_EQ(Row(10), "IMG.title|1|1|0|- %");
    EXPECT_EQ(Row(11), "IMG.alt|1|2|1|50%");

    // Colours and bold figures.
    GridWidget* grid = detail->AdvResult;
    EXPECT_EQ(StyleOf(grid, 4, 1).background, QColor(204, 255, 0));  // 33%: index 3
    EXPECT_EQ(StyleOf(grid, 4, 1).fontColour, QColor(Qt::black));
    EXPECT_EQ(StyleOf(grid, 4, 7).background, QColor(255, 102, 0));  // 12%: index 7
    EXPECT_EQ(StyleOf(grid, 4, 7).fontColour, QColor(Qt::white));
    EXPECT_EQ(StyleOf(grid, 4, 3).background, QColor(Qt::white));
    EXPECT_FALSE(StyleOf(grid, 4, 1).bold);
    EXPECT_TRUE(StyleOf(grid, 1, 1).bold);
    EXPECT_TRUE(StyleOf(grid, 3, 1).bold);
    EXPECT_FALSE(StyleOf(grid, 3, 5).bold);                               // no occurrence
    for (int c = 1; c <= 4; ++c) EXPECT_FALSE(StyleOf(grid, c, 3).bold);  // a row of zeros
    EXPECT_EQ(StyleOf(grid, 0, 1).background, grid->DefaultStyle(0, 1).background);

    // The charts.
    const ChartSeries& density = detail->Chartsimpledensite->Series(0);
    ASSERT_EQ(density.points.size(), 11u);
    EXPECT_EQ(density.points[0].value, 33);
    EXPECT_EQ(density.points[0].label, "TITLE");
    EXPECT_EQ(density.points[2].value, 0);
    EXPECT_EQ(density.points[2].colour, QColor(Qt::black));
    EXPECT_EQ(density.points[6].colour, QColor(255, 102, 0));
    EXPECT_EQ(detail->Chartsimpledensite->ValueAxisMaximum(), 52.0);
    const ChartSeries& shares = detail->Chart1->Series(0);
    ASSERT_EQ(shares.points.size(), 11u);
    EXPECT_EQ(shares.points[0].label, "IMG.alt");
    EXPECT_EQ(shares.points[10].label, "TITLE");
    EXPECT_EQ(shares.points[10].value, 3);
    EXPECT_EQ(shares.points[10].colour, QColor(255, 51, 0));  // 10 * 18 / 21 = 8
    EXPECT_EQ(shares.points[4].colour, QColor(255, 153, 0));  // BODY 8 of 21: 6
    const ChartSeries& pie = detail->ChartREPARTITIONSIGNIFICATIF->Series(0);
    ASSERT_EQ(pie.points.size(), 2u);
    EXPECT_EQ(pie.points[0].value, 21);
    EXPECT_EQ(pie.points[0].label, "Mots clés significatifs.");
    EXPECT_EQ(pie.points[1].value, 4);

    // The four figures.
    EXPECT_EQ(detail->labelnbrsignificatif->text(), "21");
    EXPECT_EQ(detail->Labelnbrignore->text(), "4");
    EXPECT_EQ(detail->labeltaille->text(), QString::number(kDetailPage.size()) + " octets");
    EXPECT_EQ(detail->LabelCodeRetour->text(), "200");
}

TEST_F(Workspace, TheSelectorPicksThePageAndIgnoresTyping) {
    Run(At("/detail"), At("/other"), QStringLiteral("hotel"));
    QComboBox* urls = detail->CombolisteURL;
    urls->setFocus();
    QTest::keyClicks(urls, QStringLiteral("zz"));
    EXPECT_EQ(urls->currentIndex(), 0);
    QTest::keyClick(urls, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(urls->currentIndex(), 1);
    EXPECT_EQ(Row(1), "TITLE|1|2|0|- %");  // "Autre page de voyage": "autre" is a stop word
    EXPECT_EQ(detail->labelnbrsignificatif->text(), "3");
    QTest::keyClick(urls, Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_EQ(Row(1), "TITLE|1|3|1|33%");
}

TEST_F(Workspace, AnEmptySecondAddressAndAMissingPage) {
    Run(At("/missing"), "", QStringLiteral("hotel"));
    EXPECT_EQ(detail->CombolisteURL->itemText(1), "");
    EXPECT_EQ(detail->LabelCodeRetour->text(), "404");
    EXPECT_EQ(detail->labeltaille->text(), "0 octets");
    EXPECT_EQ(Row(7), "BODY|0|0|0|- %");
    const PageSummary& second = analysis->State.Store.Pages[1].Figures.Summary;
    EXPECT_EQ(second.StatusCode, 0);
    EXPECT_EQ(analysis->State.Store.Pages[1].Figures.Rows[1].Density, -1);
    // Unscanned pages: flat bars and shares of index 10.
    EXPECT_EQ(detail->Chart1->Series(0).points[0].colour, QColor(249, 0, 0));
    EXPECT_EQ(detail->Chartsimpledensite->ValueAxisMaximum(), 25.0);
}

TEST_F(Workspace, AccentsRemovedOrKept) {
    Run(At("/detail"), At("/other"), QStringLiteral("été"));
    EXPECT_EQ(analysis->MC->text(), "ete");
    EXPECT_EQ(detail->LabelMC1->text(), "ete");
    EXPECT_EQ(comparison->LabelMC2->text(), "ete");
    EXPECT_EQ(ReadSetting(rig.registry, "MC"), FromQString(QStringLiteral("été")));

    ClickAt(window->ImageBas, window->BottomEntryRects.at(0).Rect.center());
    QTest::mouseClick(analysis->CheckAccent, Qt::LeftButton);
    ASSERT_FALSE(analysis->CheckAccent->isChecked());
    Type(analysis->MC, QStringLiteral("été"));
    QTest::mouseClick(analysis->ButtonLancer, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(analysis->MC->text(), "été");
    EXPECT_EQ(detail->LabelMC1->text(), "été");
    EXPECT_FALSE(rig.engine.RemoveAccents);
}

TEST_F(Workspace, PointerOnTheDetailedView) {
    Run(At("/detail"), At("/other"), QStringLiteral("hotel"));
    ASSERT_FALSE(detail->PanelAide->isVisible());

    PointAtBar(detail->Chart1, 0, 10);  // the top bar: TITLE
    EXPECT_EQ(analysis->State.HighlightedRow, 1);
    EXPECT_TRUE(detail->PanelAide->isVisible());
    EXPECT_EQ(detail->LabelAidedetaille->text(), " TITLE");
    EXPECT_TRUE(detail->Memoaide->toPlainText().startsWith(" Balise <title> du document."));
    EXPECT_EQ(StyleOf(detail->AdvResult, 2, 1).background, QColor(231, 232, 250));
    EXPECT_EQ(StyleOf(detail->AdvResult, 4, 1).background, QColor(204, 255, 0));  // density colour wins

    PointAt(detail->Chart1, QPoint(detail->Chart1->width() - 3, 3));  // off the bars
    EXPECT_EQ(analysis->State.HighlightedRow, 0);
    EXPECT_FALSE(detail->PanelAide->isVisible());

    PointAtBar(detail->Chartsimpledensite, 0, 4);  // H4
    EXPECT_EQ(analysis->State.HighlightedRow, 5);
    EXPECT_EQ(detail->LabelAidedetaille->text(), " H4");
    EXPECT_EQ(detail->Memoaide->toPlainText(), " H2 indique un sous titre, etc jusqu'à H5");

    GridWidget* grid = detail->AdvResult;
    PointAt(grid, grid->CellRect(4, 0).center());
    EXPECT_EQ(detail->LabelAidedetaille->text(), " Densité");
    EXPECT_EQ(detail->Memoaide->toPlainText(),
              " Représente le ratio entre le nombre d'occurences et le nombre de mots  significatifs.");
    EXPECT_EQ(analysis->State.HighlightedRow, 5);  // the grid leaves the highlight alone
    PointAt(grid, grid->CellRect(0, 8).center());
    EXPECT_EQ(detail->LabelAidedetaille->text(), " A");
    EXPECT_TRUE(detail->Memoaide->toPlainText().contains("texte</a>.\nIl s'agit du texte"));
    PointAt(grid, grid->CellRect(2, 3).center());  // a figure
    EXPECT_FALSE(detail->PanelAide->isVisible());

    PointAt(detail->ChartREPARTITIONSIGNIFICATIF, detail->ChartREPARTITIONSIGNIFICATIF->rect().center());
    EXPECT_TRUE(detail->PanelAide->isVisible());
    EXPECT_EQ(detail->LabelAidedetaille->text(), " Mots significatifs");
    EXPECT_TRUE(detail->Memoaide->toPlainText().startsWith(" Certains mots ne sont pas pris en compte"));
    PointAt(detail->LabelCodeRetour, QPoint(2, 2));
    EXPECT_EQ(detail->Memoaide->toPlainText(),
              "Header renvoyé par la page.\n200: requête effectuée avec succès ");
    EXPECT_EQ(detail->LabelAidedetaille->text(), " Mots significatifs");  // the caption stays
}

TEST_F(Workspace, ReturnCodeExplanations) {
    Run(At("/missing"), "", QStringLiteral("hotel"));
    PointAt(detail->LabelCodeRetour, QPoint(2, 2));
    EXPECT_EQ(detail->Memoaide->toPlainText(),
              "Header renvoyé par la page.\n404: la page demandée n'existe pas ");
    detail->CombolisteURL->setFocus();
    QTest::keyClick(detail->CombolisteURL, Qt::Key_Down);
    QApplication::processEvents();
    PointAt(detail->LabelCodeRetour, QPoint(2, 2));
    EXPECT_EQ(detail->Memoaide->toPlainText(), "Header renvoyé par la page.");  // 0 has no explanation
}

TEST_F(Workspace, ComparisonForEachMeasure) {
    Run(At("/big"), At("/small"), QStringLiteral("absent"));
    OpenComparison();
    ASSERT_TRUE(analysis->panelcomparatif->isVisible());
    EXPECT_TRUE(rig.formURL.isVisible());
    EXPECT_EQ(comparison->Listcomparatif->currentRow(), 0);
    EXPECT_EQ(comparison->ChartCompare2page->ValueAxisTitle(), "Nbr de blocs");
    EXPECT_EQ(comparison->ChartCompare2page->ValueAxisMaximum(), 15.0);
    EXPECT_EQ(comparison->AdvComparatif->ColCount(), 3);
    EXPECT_EQ(comparison->AdvComparatif->Cell(1, 0), "URL 1");
    EXPECT_EQ(comparison->AdvComparatif->Cell(2, 7), "1");

    ChooseMeasure(1);
    EXPECT_EQ(comparison->Listcomparatif->currentRow(), 1);
    EXPECT_EQ(comparison->AdvComparatif->Cell(1, 7), "850");
    EXPECT_EQ(comparison->ChartCompare2page->ValueAxisMaximum(), 855.0);
    EXPECT_EQ(comparison->ChartCompare2page->ValueAxisTitle(), "Nbr de mots");
    ASSERT_EQ(comparison->ChartCompare2page->Series(0).points.size(), 11u);
    EXPECT_EQ(comparison->ChartCompare2page->Series(0).points[6].value, 850);
    EXPECT_EQ(comparison->ChartCompare2page->Series(1).points[6].colour, QColor(255, 128, 64));

    ChooseMeasure(3);
    for (int r = 1; r <= 11; ++r) {
        EXPECT_EQ(comparison->AdvComparatif->Cell(1, r), "- %");
        EXPECT_EQ(comparison->AdvComparatif->Cell(2, r), "- %");
    }
    EXPECT_EQ(comparison->ChartCompare2page->ValueAxisMaximum(), 15.0);

    ChooseMeasure(2);
    EXPECT_EQ(comparison->AdvComparatif->Cell(2, 1), "0");

    // Significant and ignored words: two bars per page.
    const ChartSeries& words = comparison->Chartcomparatifsignificatif->Series(0);
    ASSERT_EQ(words.points.size(), 4u);
    EXPECT_EQ(words.points[0].label, "Significatifs URL 1");
    EXPECT_EQ(words.points[0].value, 852);
    EXPECT_EQ(words.points[3].label, "Ignorés URL 2");

    // The selected measure stays for the next build.
    OpenComparison();
    EXPECT_EQ(comparison->Listcomparatif->currentRow(), 2);
}

TEST_F(Workspace, TheShareCaptionAndTheUrlListHighlight) {
    Run(At("/big"), At("/small"), QStringLiteral("hotel"));
    OpenComparison();
    EXPECT_EQ(comparison->Labelcaption->text(), "   ");
    PointAtBar(comparison->ChartAdvcomparatif, 1, 10);  // TITLE of URL 2: 3 of 120 words
    EXPECT_EQ(comparison->Labelcaption->text(),
              "2.5% des mots significatifs se trouvent dans la balise TITLE pour l'URL 2");
    EXPECT_EQ(analysis->State.HighlightedUrl, 2);
    PointAtBar(comparison->ChartAdvcomparatif, 0, 4);  // BODY of URL 1: 850 of 852
    EXPECT_EQ(comparison->Labelcaption->text(),
              "99.8% des mots significatifs se trouvent dans la balise BODY pour l'URL 1");
    PointAt(comparison->ChartAdvcomparatif, QPoint(2, 2));  // off the bars: nothing changes
    EXPECT_EQ(analysis->State.HighlightedUrl, 1);
    EXPECT_TRUE(comparison->Labelcaption->text().startsWith("99.8%"));

    GridWidget* list = rig.formURL.AdvlistURL;
    const auto yellow = [&](int row) { return StyleOf(list, 0, row).background == QColor(255, 255, 0); };
    GridWidget* grid = comparison->AdvComparatif;
    PointAt(grid, grid->CellRect(2, 3).center());
    EXPECT_EQ(analysis->State.HighlightedUrl, 2);
    EXPECT_TRUE(yellow(1));
    EXPECT_FALSE(yellow(0));
    PointAt(grid, grid->CellRect(0, 3).center());  // the fixed column
    EXPECT_FALSE(yellow(0) || yellow(1));

    PointAtBar(comparison->Chartcomparatifsignificatif, 0, 3);  // Ignorés URL 2
    EXPECT_TRUE(yellow(1));
    PointAtBar(comparison->Chartcomparatifsignificatif, 0, 0);  // Significatifs URL 1
    EXPECT_TRUE(yellow(0));
    PointAt(comparison->Chartcomparatifsignificatif, QPoint(2, 2));
    EXPECT_FALSE(yellow(0) || yellow(1));

    PointAtBar(comparison->ChartCompare2page, 1, 6);  // BODY of URL 2
    EXPECT_EQ(analysis->State.HighlightedUrl, 2);
    EXPECT_EQ(analysis->State.HighlightedRow, 7);
    EXPECT_TRUE(StyleOf(grid, 1, 7).bold);
}

TEST_F(Workspace, ComparisonCellsFollowTheDensity) {
    Run(At("/detail"), At("/other"), QStringLiteral("hotel"));
    OpenComparison();
    GridWidget* grid = comparison->AdvComparatif;
    EXPECT_EQ(grid->Cell(1, 1), "1");  // blocks, coloured by the density of the row
    EXPECT_EQ(StyleOf(grid, 1, 1).background, QColor(204, 255, 0));
    EXPECT_EQ(StyleOf(grid, 1, 5).background, QColor(Qt::white));  // H4: no occurrence
    EXPECT_EQ(StyleOf(grid, 2, 1).background, QColor(Qt::white));
    analysis->State.SetHighlightedRow(1);
    EXPECT_TRUE(StyleOf(grid, 1, 1).bold);
    EXPECT_EQ(StyleOf(grid, 1, 1).background, QColor(204, 255, 0));
    EXPECT_EQ(StyleOf(grid, 2, 1).background, QColor(231, 232, 250));
    EXPECT_FALSE(StyleOf(grid, 2, 2).bold);
}

TEST_F(Workspace, TheUrlListWindow) {
    TFormURL& form = rig.formURL;
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Liste des urls");
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(form.size(), QSize(336, 70));

    Run(At("/detail"), "", QStringLiteral("hotel"));
    OpenComparison();
    ASSERT_TRUE(form.isVisible());
    EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(626, 280));
    EXPECT_EQ(form.AdvlistURL->RowCount(), 2);
    EXPECT_EQ(form.AdvlistURL->Cell(0, 1), "URL 2");
    EXPECT_EQ(form.AdvlistURL->Cell(1, 1), "");
    EXPECT_EQ(form.AdvlistURL->Cell(1, 0), QString::fromStdString(At("/detail")));
    EXPECT_GT(form.AdvlistURL->ColWidth(1),
              QFontMetrics(form.AdvlistURL->CellFont()).horizontalAdvance(form.AdvlistURL->Cell(1, 0)) + 5);
    EXPECT_EQ(form.size(), QSize(336, 70));  // the window keeps its size

    form.close();
    EXPECT_FALSE(form.isVisible());
    OpenComparison();
    EXPECT_TRUE(form.isVisible());
    ClickAt(window->MenuHaut, window->TopEntryRects.at(0).Rect.center());  // "Tableau detaillé"
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Workspace, StopDuringARunSkipsWhatIsLeft) {
    QTimer::singleShot(300, [this] {
        ASSERT_EQ(window->CurrentState, "ANALYSE1ENCOURS");
        ASSERT_TRUE(analysis->PanelAttente->isVisible());
        ClickAt(window->ImageBas, window->BottomEntryRects.at(0).Rect.center());
    });
    Run(At("/silent"), At("/counted"), QStringLiteral("hotel"));
    EXPECT_EQ(window->CurrentState, "ANALYSE1FINI");
    EXPECT_TRUE(analysis->PanelTableauSimple->isVisible());
    EXPECT_EQ(analysis->State.Store.Pages[0].Figures.Summary.StatusCode, 404);
    EXPECT_TRUE(analysis->State.Store.Pages[1].Skipped);
    EXPECT_EQ(analysis->State.Store.Pages[1].Figures.Summary.StatusCode, 0);
    EXPECT_EQ(countedHits.load(), 0);

    // The next run starts afresh.
    Run(At("/counted"), At("/counted"), QStringLiteral("hotel"));
    EXPECT_EQ(countedHits.load(), 2);
    EXPECT_EQ(Row(1), "TITLE|1|3|1|33%");
}

TEST_F(Workspace, EveryHelpTextIsReadableWhole) {
    Run(At("/detail"), At("/other"), QStringLiteral("hotel"));
    for (int entry = 0; entry < 16; ++entry) {
        detail->ShowHelpEntry(entry);
        QApplication::processEvents();
        EXPECT_EQ(detail->Memoaide->verticalScrollBar()->maximum(), 0) << entry;
        EXPECT_LE(detail->PanelAide->geometry().bottom(), analysis->PanelTableauSimple->height()) << entry;
    }
    // Row "A", the longest, reaches down over the charts, above them.
    PointAt(detail->AdvResult, detail->AdvResult->CellRect(0, 8).center());
    EXPECT_TRUE(detail->PanelAide->isVisible());
    EXPECT_GT(detail->PanelAide->geometry().bottom(), detail->Chartsimpledensite->y());
    EXPECT_EQ(detail->PanelAide->parentWidget()->children().last(), detail->PanelAide);
}

TEST_F(Workspace, LongAddressesAreReadWholeInTooltips) {
    const std::string address =
        At("/detail") + "?campagne=hiver-2026&source=lettre-d-information&page=chambres-vue-mer";
    Run(address, At("/other"), QStringLiteral("hotel"));
    QComboBox* urls = detail->CombolisteURL;
    EXPECT_EQ(urls->toolTip(), QString::fromStdString(address));
    EXPECT_EQ(urls->itemData(0, Qt::ToolTipRole).toString(), QString::fromStdString(address));

    OpenComparison();
    GridWidget* list = rig.formURL.AdvlistURL;
    QHelpEvent help(QEvent::ToolTip, list->CellRect(1, 0).center(),
                    list->mapToGlobal(list->CellRect(1, 0).center()));
    QApplication::sendEvent(list, &help);
    EXPECT_EQ(QToolTip::text(), QString::fromStdString(address));
}

TEST_F(Workspace, EnterInAnyFieldStartsTheAnalysisAndUrl1HasTheFocus) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ClickAt(window->MenuHaut, window->TopEntryRects.at(0).Rect.center());  // "Lancer"
    EXPECT_EQ(QApplication::focusWidget(), analysis->PAGE);
    Type(analysis->PAGE, QString::fromStdString(At("/detail")));
    Type(analysis->PAGE2, QString::fromStdString(At("/other")));
    Type(analysis->MC, QStringLiteral("hotel"));
    QTest::keyClick(analysis->MC, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(window->CurrentState, "ANALYSE1FINI");
    EXPECT_EQ(Row(1), "TITLE|1|3|1|33%");
}
