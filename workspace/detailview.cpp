#include "workspace/detailview.h"

#include "platform/application.h"
#include "platform/qtextconvert.h"
#include "workspace/resultformat.h"

namespace {

constexpr std::array<int, 5> kColumnWidths = {64, 83, 85, 102, 93};
constexpr int kDensityAxisFloor = 23;

// Help text with the line breaks of the table shown as line breaks.
QString HelpText(const std::string& text) {
    return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

DetailedView::DetailedView(QWidget* panel, QWidget* left, QWidget* right, AnalysisState& state,
                           const VariableText& texts)
    : panel_(panel), left_(left), right_(right), state_(state), texts_(texts) {
    CaptionAt(left, Utf8(PageCaption), 150, 10);
    CombolisteURL = new QComboBox(left);
    CombolisteURL->setObjectName(QStringLiteral("CombolisteURL"));
    IgnoreTyping(CombolisteURL);
    QObject::connect(CombolisteURL, &QComboBox::activated, Guarded([this](int) { CombolisteURLChange(); }));

    AdvResult = ResultGrid(left, 5);
    AdvResult->setObjectName(QStringLiteral("AdvResult"));
    for (int c = 0; c < 5; ++c) AdvResult->SetColWidth(c, kColumnWidths[c]);
    for (int c = 1; c <= 4; ++c) AdvResult->SetCell(c, 0, Utf8(MeasureCaptions[c - 1]));
    AdvResult->FitToCells();
    AdvResult->OnGetCellColor = [this](int row, int column, CellStyle& style) {
        AdvResultGetCellColor(row, column, style);
    };
    AdvResult->OnMouseMove = [this](QPoint at) { AdvResultMouseMove(at); };

    CaptionAt(right, Utf8(KeywordCaption), 8, 10);
    LabelMC1 = CaptionAt(right, {}, 125, 10, true);
    const auto figure = [right](std::string_view caption, int y, const QColor& colour, Label*& value) {
        Label* label = CaptionAt(right, Utf8(caption), 8, y);
        value = CaptionAt(right, QStringLiteral("0"), 150, y, true);
        QPalette p = value->palette();
        p.setColor(QPalette::WindowText, colour);
        value->setPalette(p);
        return label;
    };
    Label* significant = figure(SignificantCaption, 40, ClGreen, labelnbrsignificatif);
    Label* ignored = figure(IgnoredCaption, 62, ClRed, Labelnbrignore);
    figure(SizeCaption, 84, ClNavy, labeltaille);
    Label* code = figure(ReturnCodeCaption, 106, ClNavy, LabelCodeRetour);
    for (Label* label : {significant, ignored, labelnbrsignificatif, Labelnbrignore}) {
        label->OnMouseMove = [this](QPoint) { ChartREPARTITIONSIGNIFICATIFMouseMove(); };
    }
    for (Label* label : {code, LabelCodeRetour})
        label->OnMouseMove = [this](QPoint) { LabelCodeRetourMouseMove(); };

    ChartREPARTITIONSIGNIFICATIF = new ChartWidget(right);
    ChartREPARTITIONSIGNIFICATIF->AddSeries(SeriesKind::Pie).marks = MarkStyle::Percent;
    ChartREPARTITIONSIGNIFICATIF->OnMouseMove = [this](QPoint) { ChartREPARTITIONSIGNIFICATIFMouseMove(); };

    // On the whole view, so that a long help text can reach down over the charts.
    PanelAide = new Panel(panel, QColor(255, 255, 128));
    PanelAide->SetSingleBorder(true);
    LabelAidedetaille = new QLabel(PanelAide);
    LabelAidedetaille->setFont(ArialPixels(12, true));
    LabelAidedetaille->move(6, 4);
    Memoaide = new QPlainTextEdit(PanelAide);
    Memoaide->setReadOnly(true);
    Memoaide->setFrameShape(QFrame::NoFrame);
    Memoaide->setFont(ArialPixels(11));
    Memoaide->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memoaide->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette help = Memoaide->palette();
    help.setColor(QPalette::Base, QColor(255, 255, 128));
    Memoaide->setPalette(help);
    PanelAide->hide();

    Chart1 = new ChartWidget(panel);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->SetTitle(QStringLiteral("Répartition par balise"));
    Chart1->SetValueAxisTitle(QStringLiteral("Nombre total de mots significatifs"));
    Chart1->SetCategoryAxisTitle(QStringLiteral("Type de balises"));
    Chart1->AddSeries(SeriesKind::HorizontalBar).marks = MarkStyle::LabelPercent;
    Chart1->OnMouseMove = [this](QPoint at) { Chart1MouseMove(at); };

    Chartsimpledensite = new ChartWidget(panel);
    Chartsimpledensite->setObjectName(QStringLiteral("Chartsimpledensite"));
    Chartsimpledensite->SetTitle(QStringLiteral("Densité par balise"));
    Chartsimpledensite->SetValueAxisTitle(QStringLiteral("Densité %"));
    ChartSeries& density = Chartsimpledensite->AddSeries(SeriesKind::VerticalBar);
    density.barWidthPercent = 95;
    density.marks = MarkStyle::None;
    Chartsimpledensite->SetValueAxisMaximum(kDensityAxisFloor + 2);
    Chartsimpledensite->OnMouseMove = [this](QPoint at) { ChartsimpledensiteMouseMove(at); };
}

void DetailedView::Layout() {
    const int half = left_->height();
    const int width = panel_->width();
    CombolisteURL->setGeometry(245, 6, std::max(120, left_->width() - 245 - 8), 22);
    AdvResult->move(8, 36);
    const int pieSize = std::min(right_->width() - 236, half - 36);
    ChartREPARTITIONSIGNIFICATIF->setGeometry(right_->width() - pieSize - 6, 30, pieSize, pieSize);
    PanelAide->setGeometry(right_->x() + 8, right_->y() + 130, ChartREPARTITIONSIGNIFICATIF->x() - 16,
                           half - 136);
    LabelAidedetaille->resize(PanelAide->width() - 12, 18);
    FitHelpPanel();
    Chart1->setGeometry(0, half, width / 2, panel_->height() - half);
    Chartsimpledensite->setGeometry(width / 2, half, width - width / 2, panel_->height() - half);
}

const PageResult* DetailedView::SelectedPage() const {
    const int p = CombolisteURL->currentIndex();
    if (p < 0 || p >= static_cast<int>(state_.Store.Pages.size())) return nullptr;
    return &state_.Store.Pages[p];
}

void DetailedView::CombolisteURLChange() {
    CombolisteURL->setToolTip(CombolisteURL->currentText());
    const PageResult* page = SelectedPage();
    if (page == nullptr) return;
    const PageFigures& figures = page->Figures;
    ChartSeries& shares = Chart1->Series(0);
    ChartSeries& pie = ChartREPARTITIONSIGNIFICATIF->Series(0);
    ChartSeries& densities = Chartsimpledensite->Series(0);
    shares.Clear();
    pie.Clear();
    densities.Clear();

    int m = kDensityAxisFloor;
    for (int r = 1; r <= DisplayRowCount; ++r) {
        const ElementStats& s = figures.Rows[r];
        const QString label = QString::fromLatin1(ElementRows[r].Label);
        AdvResult->SetCell(1, r, QString::number(s.Blocks));
        AdvResult->SetCell(2, r, QString::number(s.Words));
        AdvResult->SetCell(3, r, QString::number(s.Occurrences));
        AdvResult->SetCell(4, r, QString::fromStdString(DensityText(s.Density)));
        if (s.Density == -1) {
            densities.Add(0, label, Qt::black);
        } else {
            m = std::max(m, s.Density);
            densities.Add(s.Density, label, ToColour(ColourScale[DensityColourIndex(s.Density)]));
        }
    }
    Chartsimpledensite->SetValueAxisMaximum(m + 2);

    const int32_t total = figures.Summary.SignificantWords;
    for (int r = DisplayRowCount; r >= 1; --r) {
        const int32_t words = figures.Rows[r].Words;
        shares.Add(words, QString::fromLatin1(ElementRows[r].Label),
                   ToColour(ColourScale[ShareColourIndex(words, total)]));
    }

    pie.Add(figures.Summary.SignificantWords, QStringLiteral("Mots clés significatifs."), ClGreen);
    labelnbrsignificatif->setText(QString::number(figures.Summary.SignificantWords));
    pie.Add(figures.Summary.IgnoredWords, QStringLiteral("Mots clés ignorés."), ClRed);
    Labelnbrignore->setText(QString::number(figures.Summary.IgnoredWords));
    labeltaille->setText(QString::fromStdString(SizeText(figures.Summary.TextLength)));
    LabelCodeRetour->setText(QString::number(figures.Summary.StatusCode));
    for (Label* value : {labelnbrsignificatif, Labelnbrignore, labeltaille, LabelCodeRetour})
        value->adjustSize();
    for (ChartWidget* chart : {Chart1, ChartREPARTITIONSIGNIFICATIF, Chartsimpledensite}) chart->Refresh();
    AdvResult->update();
}

void DetailedView::AdvResultGetCellColor(int row, int column, CellStyle& style) const {
    const PageResult* page = SelectedPage();
    if (!panel_->isVisible() || page == nullptr || row < 1 || column < 1) return;
    if (row == state_.HighlightedRow) style.background = HighlightColour;
    const ElementStats& s = page->Figures.Rows[row];
    const int32_t figure = column == 1 ? s.Blocks : column == 2 ? s.Words : s.Occurrences;
    if (column <= 3 && figure != 0) style.bold = true;
    if (column == 4) {
        if (s.Density == -1) {
            style.background = Qt::white;
        } else {
            const int i = DensityColourIndex(s.Density);
            style.fontColour = WhiteTextOn(i) ? Qt::white : Qt::black;
            style.background = ToColour(ColourScale[i]);
        }
    }
}

void DetailedView::Chart1MouseMove(QPoint at) {
    if (const auto hit = Chart1->PointAt(at)) {
        state_.SetHighlightedRow(DisplayRowCount - hit->index);
        ShowHelpEntry(DisplayRowCount + 3 - hit->index);
    } else {
        state_.SetHighlightedRow(0);
        ShowHelpEntry(-1);
    }
}

void DetailedView::ChartsimpledensiteMouseMove(QPoint at) {
    if (const auto hit = Chartsimpledensite->PointAt(at)) {
        state_.SetHighlightedRow(hit->index + 1);
        ShowHelpEntry(hit->index + 4);
    } else {
        state_.SetHighlightedRow(0);
        ShowHelpEntry(-1);
    }
}

void DetailedView::AdvResultMouseMove(QPoint at) {
    const QPoint cell = AdvResult->CellAt(at);
    if (cell.y() == 0 && cell.x() >= 1 && cell.x() <= 4) {
        ShowHelpEntry(cell.x() - 1);
    } else if (cell.x() == 0 && cell.y() >= 1 && cell.y() <= DisplayRowCount) {
        ShowHelpEntry(cell.y() + 3);
    } else {
        ShowHelpEntry(-1);
    }
}

void DetailedView::ChartREPARTITIONSIGNIFICATIFMouseMove() {
    ShowHelpEntry(15);
}

void DetailedView::ShowHelpEntry(int entry) {
    if (entry < 0) {
        PanelAide->hide();
        return;
    }
    LabelAidedetaille->setText(ToQString(texts_[entry + 30]));
    Memoaide->setPlainText(HelpText(texts_[entry]));
    FitHelpPanel();
    PanelAide->show();
    PanelAide->raise();
}

void DetailedView::FitHelpPanel() {
    // Tall enough for its whole text, down to the foot of the view at most.
    const int textWidth =
        PanelAide->width() - 8 - 2 * static_cast<int>(Memoaide->document()->documentMargin()) - 4;
    const QRect text = QFontMetrics(Memoaide->font())
                           .boundingRect(QRect(0, 0, std::max(1, textWidth), 100000), Qt::TextWordWrap,
                                         Memoaide->toPlainText());
    const int wanted = 24 + text.height() + 2 * static_cast<int>(Memoaide->document()->documentMargin()) + 8;
    const int shortest = left_->height() - 136;
    const int height =
        std::clamp(wanted, shortest, std::max(shortest, panel_->height() - PanelAide->y() - 4));
    PanelAide->resize(PanelAide->width(), height);
    Memoaide->setGeometry(4, 24, PanelAide->width() - 8, PanelAide->height() - 28);
}

void DetailedView::LabelCodeRetourMouseMove() {
    Memoaide->setPlainText(QStringLiteral("Header renvoyé par la page."));
    const std::string code = FromQString(LabelCodeRetour->text());
    const std::string explanation = ExplanationOf(code);
    if (!explanation.empty()) Memoaide->appendPlainText(ToQString(code + ": " + explanation));
    FitHelpPanel();
}
