#include "workspace/UinterfAnalysis.h"

#include <QFont>
#include <cmath>

#include "engine/procedureanalyse.h"
#include "platform/application.h"
#include "platform/qtextconvert.h"
#include "workspace/UlisteURL.h"

namespace {

// URL 2 starts as another site's home page.
constexpr const char* kOtherSite = "http://www.example.org/";

}  // namespace

AnalysisWorkspace::AnalysisWorkspace(QWidget* window, FrameHost& frame, const AnalysisParts& parts)
    : frame_(frame), parts_(parts) {
    Panelanalyse1 = new TransparentPanel(window);
    Panelanalyse1->setObjectName(QStringLiteral("Panelanalyse1"));
    PanelTitle(Panelanalyse1, QStringLiteral("Lancer une analyse"));
    ImageFD2 = new ImageView(Panelanalyse1);
    ImageFD2->SetPicture(QImage(QStringLiteral(":/pictures/decoration-analyse.png")));
    ImageFD2->resize(ImageFD2->Picture().size());
    CaptionAt(Panelanalyse1, QStringLiteral("URL 1:"), 40, 70, true);
    PAGE = new QLineEdit(ToQString(parts.homePage), Panelanalyse1);
    PAGE->setObjectName(QStringLiteral("PAGE"));
    PAGE->setGeometry(170, 66, 440, 22);
    CaptionAt(Panelanalyse1, QStringLiteral("URL 2:"), 40, 110, true);
    PAGE2 = new QLineEdit(QString::fromLatin1(kOtherSite), Panelanalyse1);
    PAGE2->setObjectName(QStringLiteral("PAGE2"));
    PAGE2->setGeometry(170, 106, 440, 22);
    CaptionAt(Panelanalyse1, QStringLiteral("Mot(s) clé(s) :"), 40, 150, true);
    MC = new QLineEdit(QStringLiteral("quenby"), Panelanalyse1);
    MC->setObjectName(QStringLiteral("MC"));
    MC->setGeometry(170, 146, 260, 22);
    CheckAccent = new QCheckBox(QStringLiteral("Supprimer accent"), Panelanalyse1);
    CheckAccent->setFont(ArialPixels(12));
    CheckAccent->setChecked(true);
    CheckAccent->move(450, 148);
    CheckAccent->adjustSize();
    ButtonLancer = new ShapedButton(Panelanalyse1);
    ButtonLancer->setObjectName(QStringLiteral("ButtonLancer"));
    ButtonLancer->SetPicture(QImage(QStringLiteral(":/pictures/lancer.png")));
    ButtonLancer->SetCaption(QStringLiteral("Lancer l'analyse"));
    ButtonLancer->SetCaptionColour(Qt::white);
    ButtonLancer->SetCornerRadius(12);
    ButtonLancer->setFont(ArialPixels(14, true));
    ButtonLancer->setGeometry(0, 200, 180, 38);
    ButtonLancer->OnClick = [this] { ButtonLancerClick(); };
    // Enter in any field starts the analysis, as the button does.
    for (QLineEdit* field : {PAGE, PAGE2, MC}) {
        QObject::connect(field, &QLineEdit::returnPressed, field, [this] {
            if (Panelanalyse1->isVisible()) RunGuarded([this] { ButtonLancerClick(); });
        });
    }

    PanelAttente = new TransparentPanel(window);
    PanelAttente->setObjectName(QStringLiteral("PanelAttente"));
    PanelTitle(PanelAttente, QStringLiteral("Analyse En cours"));
    QLabel* patience =
        CaptionAt(PanelAttente, QStringLiteral("Merci de patienter durant l'analyse..."), 16, 40, true);
    QPalette red = patience->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    patience->setPalette(red);

    PanelTableauSimple = new TransparentPanel(window);
    PanelTableauSimple->setObjectName(QStringLiteral("PanelTableauSimple"));
    PanelTitle(PanelTableauSimple, QStringLiteral("Tableau detaillé"));
    TPDTG = new TransparentPanel(PanelTableauSimple);
    TPDTD = new TransparentPanel(PanelTableauSimple);
    Detail = std::make_unique<DetailedView>(PanelTableauSimple, TPDTG, TPDTD, State, parts.texts);

    panelcomparatif = new TransparentPanel(window);
    panelcomparatif->setObjectName(QStringLiteral("panelcomparatif"));
    PanelTitle(panelcomparatif, QStringLiteral("Tableau Comparatif"));
    TPCTG = new TransparentPanel(panelcomparatif);
    TPCTD = new TransparentPanel(panelcomparatif);
    Comparison = std::make_unique<ComparisonView>(panelcomparatif, TPCTG, TPCTD, State,
                                                  *Detail->CombolisteURL, parts.formURL);

    State.OnHighlightedRowChanged = [this] {
        Detail->AdvResult->repaint();
        Comparison->AdvComparatif->repaint();
    };
    State.OnHighlightedUrlChanged = [this] { parts_.formURL.AdvlistURL->repaint(); };
    parts.formURL.HighlightedUrl = [this] { return State.HighlightedUrl; };

    HidePanels();
}

void AnalysisWorkspace::Layout(int w, int, int webWidth) {
    ImageFD2->move(w - 5 - ImageFD2->width() - Panelanalyse1->x(), 40);
    const int left = static_cast<int>(std::nearbyint((w - (webWidth + 10) - ButtonLancer->width()) / 2.0));
    ButtonLancer->move(left, ButtonLancer->y());
    // The upper half of a result view, cut into its left and right panels.
    const auto halves = [](const QWidget* view, QWidget* left, QWidget* right) {
        const int half = static_cast<int>(std::nearbyint(view->height() / 2.0));
        left->setGeometry(0, 0, view->width() / 2, half);
        right->setGeometry(view->width() / 2, 0, view->width() - view->width() / 2, half);
    };
    halves(PanelTableauSimple, TPDTG, TPDTD);
    halves(panelcomparatif, TPCTG, TPCTD);
    Detail->Layout();
    Comparison->Layout();
}

std::vector<QWidget*> AnalysisWorkspace::ContentPanels() const {
    return {Panelanalyse1, PanelAttente, PanelTableauSimple, panelcomparatif};
}

void AnalysisWorkspace::HidePanels() {
    for (QWidget* panel : ContentPanels()) panel->hide();
    parts_.formURL.hide();
}

void AnalysisWorkspace::ShowInputPanel() {
    Panelanalyse1->show();
}

void AnalysisWorkspace::FocusInput() {
    if (!Panelanalyse1->isHidden()) PAGE->setFocus();
}

void AnalysisWorkspace::ShowWaitingPanel() {
    PanelAttente->show();
}

void AnalysisWorkspace::ShowDetailedView() {
    QComboBox* urls = Detail->CombolisteURL;
    if (urls->currentIndex() < 0 && urls->count() > 0) urls->setCurrentIndex(0);
    PanelTableauSimple->show();
    Detail->CombolisteURLChange();
}

void AnalysisWorkspace::ShowComparison() {
    panelcomparatif->show();
    Comparison->BuildComparison();
    parts_.formURL.show();
}

void AnalysisWorkspace::StopRun() {
    stopRequested_ = true;
    parts_.fetcher.Abort();
}

void AnalysisWorkspace::ButtonLancerClick() {
    State.Store.RunUrls = {FromQString(PAGE->text()), FromQString(PAGE2->text())};
    QComboBox* urls = Detail->CombolisteURL;
    urls->clear();
    for (const QLineEdit* field : {PAGE, PAGE2}) {
        urls->addItem(field->text());
        // A long address is read whole in the tooltip.
        urls->setItemData(urls->count() - 1, field->text(), Qt::ToolTipRole);
    }
    urls->setCurrentIndex(-1);
    parts_.engine.RemoveAccents = CheckAccent->isChecked();

    frame_.RunBegins();
    if (parts_.storeInput) {
        parts_.storeInput("U1", FromQString(PAGE->text()));
        parts_.storeInput("U2", FromQString(PAGE2->text()));
        parts_.storeInput("MC", FromQString(MC->text()));
    }

    RunAnalysis();

    frame_.RunEnded();
}

void AnalysisWorkspace::RunAnalysis() {
    if (parts_.engine.RemoveAccents)
        MC->setText(ToQString(RunKeyword(parts_.engine, FromQString(MC->text()))));
    Detail->LabelMC1->setText(MC->text());
    Comparison->LabelMC2->setText(MC->text());
    Detail->LabelMC1->adjustSize();
    Comparison->LabelMC2->adjustSize();
    stopRequested_ = false;
    RunAnalysisPages(parts_.engine, parts_.fetcher, State.Store, FromQString(MC->text()),
                     [this] { return stopRequested_; });
}
