#include "workspace/comparisonview.h"

#include "platform/application.h"
#include "workspace/detailview.h"
#include "workspace/resultformat.h"

namespace {

constexpr int kAxisFloor = 10;
constexpr int kMargin = 5;

QString LabelOf(int row) {
    return QString::fromLatin1(ElementRows[row].Label);
}

}  // namespace

ComparisonView::ComparisonView(QWidget* panel, QWidget* left, QWidget* right, AnalysisState& state,
                               const QComboBox& urls, TFormURL& formURL)
    : panel_(panel), left_(left), right_(right), state_(state), urls_(urls), formURL_(formURL) {
    CaptionAt(left, Utf8(KeywordCaption), 220, 90);
    LabelMC2 = CaptionAt(left, {}, 220, 110, true);

    Listcomparatif = new QListWidget(left);
    Listcomparatif->setObjectName(QStringLiteral("Listcomparatif"));
    Listcomparatif->setFlow(QListView::TopToBottom);
    Listcomparatif->setWrapping(true);
    Listcomparatif->setResizeMode(QListView::Adjust);
    Listcomparatif->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Listcomparatif->setFont(ArialPixels(12));
    for (const std::string_view caption : MeasureCaptions) {
        Listcomparatif->addItem(Utf8(caption));
    }
    QObject::connect(Listcomparatif, &QListWidget::currentRowChanged,
                     Guarded([this](int) { ListcomparatifClick(); }));

    AdvComparatif = ResultGrid(left, 3);
    AdvComparatif->setObjectName(QStringLiteral("AdvComparatif"));
    AdvComparatif->OnGetCellColor = [this](int row, int column, CellStyle& style) {
        AdvComparatifGetCellColor(row, column, style);
    };
    AdvComparatif->OnMouseMove = [this](QPoint at) { AdvComparatifMouseMove(at); };

    Chartcomparatifsignificatif = new ChartWidget(right);
    Chartcomparatifsignificatif->setObjectName(QStringLiteral("Chartcomparatifsignificatif"));
    Chartcomparatifsignificatif->SetAxisLabelsVisible(false);
    Chartcomparatifsignificatif->SetValueAxisTitle(QStringLiteral("Nombre de mots"));
    Chartcomparatifsignificatif->AddSeries(SeriesKind::HorizontalBar).marks = MarkStyle::LabelValue;
    Chartcomparatifsignificatif->OnMouseMove = [this](QPoint at) {
        ChartcomparatifsignificatifMouseMove(at);
    };

    ChartAdvcomparatif = new ChartWidget(panel);
    ChartAdvcomparatif->setObjectName(QStringLiteral("ChartAdvcomparatif"));
    ChartAdvcomparatif->SetTitle(QStringLiteral("Comparatif des répartitions de  balises"));
    ChartAdvcomparatif->SetStacked(true);
    ChartAdvcomparatif->SetAxisLabelsVisible(false);
    for (int q = 0; q < 2; ++q) {
        ChartSeries& series = ChartAdvcomparatif->AddSeries(SeriesKind::HorizontalBar);
        series.marks = MarkStyle::LabelValue;
        series.negativeSide = q == 0;  // URL 1 on the left
    }
    ChartAdvcomparatif->OnMouseMove = [this](QPoint at) { ChartAdvcomparatifMouseMove(at); };
    Labelcaption = new QLabel(QStringLiteral("   "), panel);
    Labelcaption->setFont(ArialPixels(11, true));

    ChartCompare2page = new ChartWidget(panel);
    ChartCompare2page->setObjectName(QStringLiteral("ChartCompare2page"));
    ChartSeries& first = ChartCompare2page->AddSeries(SeriesKind::VerticalBar);
    first.colour = QColor(0, 0, 255);
    first.barWidthPercent = 85;
    first.marks = MarkStyle::None;
    ChartSeries& second = ChartCompare2page->AddSeries(SeriesKind::VerticalBar);
    second.colour = QColor(255, 128, 64);
    second.barWidthPercent = 95;
    second.marks = MarkStyle::None;
    ChartCompare2page->SetValueAxisMaximum(kAxisFloor + kMargin);
    ChartCompare2page->OnMouseMove = [this](QPoint at) { ChartCompare2pageMouseMove(at); };
}

void ComparisonView::Layout() {
    const int half = left_->height();
    const int width = panel_->width();
    AdvComparatif->move(8, 36);
    // Two rows: the four measures stand in two columns.
    const int rows = 2 * Listcomparatif->sizeHintForRow(0) + 2 * Listcomparatif->frameWidth() + 2;
    Listcomparatif->setGeometry(220, 36, left_->width() - 228, rows);
    Chartcomparatifsignificatif->setGeometry(0, 0, right_->width(), half);
    const int lower = panel_->height() - half;
    ChartAdvcomparatif->setGeometry(0, half, width / 2, lower - 20);
    Labelcaption->setGeometry(8, panel_->height() - 19, width / 2 - 8, 18);
    ChartCompare2page->setGeometry(width / 2, half, width - width / 2, lower);
}

void ComparisonView::BuildComparison() {
    const int n = urls_.count();
    int m = kAxisFloor;
    if (Listcomparatif->currentRow() < 0) {
        const QSignalBlocker quiet(Listcomparatif);
        Listcomparatif->setCurrentRow(0);
    }
    const int k = Listcomparatif->currentRow();
    ChartCompare2page->SetValueAxisTitle(Listcomparatif->item(k)->text());

    AdvComparatif->SetColCount(n + 1);
    GridWidget* list = formURL_.AdvlistURL;
    list->SetRowCount(n);
    for (int i = 0; i < n; ++i) {
        const QString name = QStringLiteral("URL %1").arg(i + 1);
        AdvComparatif->SetCell(i + 1, 0, name);
        list->SetCell(0, i, name);
        list->SetCell(1, i, urls_.itemText(i));
    }
    list->AutoSizeColumns(kMargin);
    list->AutoSizeRows(kMargin);

    const auto pages = std::min<int>(n, static_cast<int>(state_.Store.Pages.size()));
    for (int q = 0; q < ChartCompare2page->SeriesCount(); ++q) ChartCompare2page->Series(q).Clear();
    for (int r = 1; r <= DisplayRowCount; ++r) {
        for (int q = 0; q < pages && q < ChartCompare2page->SeriesCount(); ++q) {
            const ElementStats& s = state_.Store.Pages[q].Figures.Rows[r];
            ChartSeries& series = ChartCompare2page->Series(q);
            if (k == 3) {
                AdvComparatif->SetCell(q + 1, r, QString::fromStdString(DensityText(s.Density)));
                series.Add(s.Density == -1 ? 0 : s.Density, LabelOf(r), series.colour);
                if (s.Density != -1) m = std::max(m, s.Density);
            } else {
                const int32_t v = k == 0 ? s.Blocks : k == 1 ? s.Words : s.Occurrences;
                m = std::max(m, v);
                AdvComparatif->SetCell(q + 1, r, QString::number(v));
                series.Add(v, LabelOf(r), series.colour);
            }
        }
    }
    ChartCompare2page->SetValueAxisMaximum(m + kMargin);
    AdvComparatif->AutoSizeColumns(kMargin);
    AdvComparatif->FitToCells();

    ChartSeries& words = Chartcomparatifsignificatif->Series(0);
    words.Clear();
    for (int q = 0; q < pages; ++q) {
        const PageSummary& summary = state_.Store.Pages[q].Figures.Summary;
        words.Add(summary.SignificantWords, QStringLiteral("Significatifs URL %1").arg(q + 1), ClGreen);
        words.Add(summary.IgnoredWords, QStringLiteral("Ignorés URL %1").arg(q + 1), ClRed);
    }

    for (int q = 0; q < 2; ++q) ChartAdvcomparatif->Series(q).Clear();
    for (int r = DisplayRowCount; r >= 1; --r) {
        for (int q = 0; q < 2 && q < pages; ++q) {
            const PageFigures& figures = state_.Store.Pages[q].Figures;
            const int32_t total = figures.Summary.SignificantWords;
            const int32_t w = figures.Rows[r].Words;
            const double share = total == 0 ? 0.0 : static_cast<double>(w) / total * 100;
            const int index = ShareColourIndex(w, total);
            ChartAdvcomparatif->Series(q).Add(q == 0 ? -share : share, LabelOf(r),
                                              ToColour(ColourScale[index]));
        }
    }
    for (ChartWidget* chart : {Chartcomparatifsignificatif, ChartAdvcomparatif, ChartCompare2page})
        chart->Refresh();
    AdvComparatif->update();
    list->update();
}

void ComparisonView::AdvComparatifGetCellColor(int row, int column, CellStyle& style) const {
    if (!panel_->isVisible() || state_.Store.UrlCount() == 0 || row == 0 || column == 0) return;
    if (column - 1 >= static_cast<int>(state_.Store.Pages.size())) return;
    style.background = Qt::white;
    style.bold = row == state_.HighlightedRow;
    if (style.bold) style.background = HighlightColour;
    const int32_t d = state_.Store.Pages[column - 1].Figures.Rows[row].Density;
    if (d == -1) return;
    const int i = DensityColourIndex(d);
    style.fontColour = WhiteTextOn(i) ? Qt::white : Qt::black;
    style.background = ToColour(ColourScale[i]);
}

QString ComparisonView::ShareCaption(int series, int bar) const {
    const int r = DisplayRowCount - bar;
    const PageFigures& figures = state_.Store.Pages[series].Figures;
    return QString::fromStdString(ShareText(figures.Rows[r].Words, figures.Summary.SignificantWords)) +
           QStringLiteral("% des mots significatifs se trouvent dans la balise ") + LabelOf(r) +
           QStringLiteral(" pour l'URL ") + QString::number(series + 1);
}

void ComparisonView::AdvComparatifMouseMove(QPoint at) {
    const int column = AdvComparatif->CellAt(at).x();
    state_.SetHighlightedUrl(column >= 1 && column <= 2 ? column : 0);
}

void ComparisonView::ChartcomparatifsignificatifMouseMove(QPoint at) {
    const auto hit = Chartcomparatifsignificatif->PointAt(at);
    state_.SetHighlightedUrl(hit ? hit->index / 2 + 1 : 0);
}

void ComparisonView::ChartAdvcomparatifMouseMove(QPoint at) {
    const auto hit = ChartAdvcomparatif->PointAt(at);
    if (!hit) return;
    state_.SetHighlightedUrl(hit->series + 1);
    Labelcaption->setText(ShareCaption(hit->series, hit->index));
}

void ComparisonView::ChartCompare2pageMouseMove(QPoint at) {
    const auto hit = ChartCompare2page->PointAt(at);
    if (!hit) return;
    state_.SetHighlightedUrl(hit->series + 1);
    state_.SetHighlightedRow(hit->index + 1);
}
