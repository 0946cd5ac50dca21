#include "UinterfAnalysis.h"

#include <QFont>
#include <cmath>

namespace {

QFont ArialPixels(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* Caption(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setFont(ArialPixels(12, true));
    label->move(x, y);
    label->adjustSize();
    return label;
}

}  // namespace

QLabel* PanelTitle(QWidget* panel, const QString& text) {
    auto* title = new QLabel(text, panel);
    title->setFont(ArialPixels(12, true));
    title->move(16, 10);
    title->adjustSize();
    return title;
}

AnalysisWorkspace::AnalysisWorkspace(QWidget* window, FrameHost& frame) : frame_(frame) {
    Panelanalyse1 = new TransparentPanel(window);
    Panelanalyse1->setObjectName(QStringLiteral("Panelanalyse1"));
    PanelTitle(Panelanalyse1, QStringLiteral("Lancer une analyse"));
    ImageFD2 = new ImageView(Panelanalyse1);
    ImageFD2->SetPicture(QImage(QStringLiteral(":/pictures/decoration-analyse.png")));
    ImageFD2->resize(ImageFD2->Picture().size());
    Caption(Panelanalyse1, QStringLiteral("URL 1:"), 40, 70);
    PAGE = new QLineEdit(Panelanalyse1);
    PAGE->setGeometry(170, 66, 440, 22);
    Caption(Panelanalyse1, QStringLiteral("URL 2:"), 40, 110);
    PAGE2 = new QLineEdit(Panelanalyse1);
    PAGE2->setGeometry(170, 106, 440, 22);
    Caption(Panelanalyse1, QStringLiteral("Mot(s) clé(s) :"), 40, 150);
    MC = new QLineEdit(Panelanalyse1);
    MC->setGeometry(170, 146, 260, 22);
    MC->setText(QStringLiteral("quenby"));
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

    PanelAttente = new TransparentPanel(window);
    PanelAttente->setObjectName(QStringLiteral("PanelAttente"));
    PanelTitle(PanelAttente, QStringLiteral("Analyse En cours"));
    auto* patience = new QLabel(QStringLiteral("Merci de patienter durant l'analyse..."), PanelAttente);
    patience->setFont(ArialPixels(12, true));
    patience->setStyleSheet(QStringLiteral("color: red"));
    patience->move(16, 40);
    patience->adjustSize();

    PanelTableauSimple = new TransparentPanel(window);
    PanelTableauSimple->setObjectName(QStringLiteral("PanelTableauSimple"));
    PanelTitle(PanelTableauSimple, QStringLiteral("Tableau detaillé"));
    TPDTG = new TransparentPanel(PanelTableauSimple);
    TPDTD = new TransparentPanel(PanelTableauSimple);

    panelcomparatif = new TransparentPanel(window);
    panelcomparatif->setObjectName(QStringLiteral("panelcomparatif"));
    PanelTitle(panelcomparatif, QStringLiteral("Tableau Comparatif"));
    TPCTG = new TransparentPanel(panelcomparatif);
    TPCTD = new TransparentPanel(panelcomparatif);

    HidePanels();
}

void AnalysisWorkspace::Layout(int w, int h, int webWidth) {
    (void)h;
    ImageFD2->move(w - 5 - ImageFD2->width() - Panelanalyse1->x(), 40);
    const int left = static_cast<int>(std::nearbyint((w - (webWidth + 10) - ButtonLancer->width()) / 2.0));
    ButtonLancer->move(left, ButtonLancer->y());
    const int half = static_cast<int>(std::nearbyint(PanelTableauSimple->height() / 2.0));
    const int width = PanelTableauSimple->width();
    TPDTG->setGeometry(0, 0, width / 2, half);
    TPDTD->setGeometry(width / 2, 0, width - width / 2, half);
    TPCTG->setGeometry(0, 0, width / 2, half);
    TPCTD->setGeometry(width / 2, 0, width - width / 2, half);
}

std::vector<QWidget*> AnalysisWorkspace::ContentPanels() const {
    return {Panelanalyse1, PanelAttente, PanelTableauSimple, panelcomparatif};
}

void AnalysisWorkspace::HidePanels() {
    for (QWidget* panel : ContentPanels()) panel->hide();
}

void AnalysisWorkspace::ShowInputPanel() { Panelanalyse1->show(); }

void AnalysisWorkspace::ShowDetailedView() { PanelTableauSimple->show(); }

void AnalysisWorkspace::ShowComparison() { panelcomparatif->show(); }

void AnalysisWorkspace::StopRun() {
    if (OnStopRequested) OnStopRequested();
}
