// The cell under a point of the grid, and the bar or slice under a point of the chart.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/chartwidget.h"
#include "platform/gridwidget.h"

TEST(GridHitTest, CellsAndGridLines) {
    GridWidget grid;
    grid.SetSize(3, 2);
    grid.SetColWidth(0, 50);
    grid.SetColWidth(1, 30);
    grid.SetColWidth(2, 20);
    grid.SetDefaultRowHeight(17);
    grid.resize(200, 100);
    struct HitCase {
        QPoint at;
        QPoint cell;
    };
    const HitCase cases[] = {
        {{0, 0}, {0, 0}},
        {{49, 16}, {0, 0}},
        {{50, 17}, {0, 0}},  // the line after a cell belongs to
                             // it
        {{51, 18}, {1, 1}},
        {{81, 0}, {1, 0}},
        {{82, 0}, {2, 0}},
        {{102, 0}, {2, 0}},
        {{103, 0}, {-1, -1}},
        {{10, 36}, {-1, -1}},
        {{-1, 5}, {-1, -1}},
    };
    for (const HitCase& c : cases) EXPECT_EQ(grid.CellAt(c.at), c.cell) << c.at.x() << "," << c.at.y();
    EXPECT_EQ(grid.CellRect(1, 1), QRect(51, 18, 30, 17));
}

TEST(GridHitTest, AutoSizeFitsTheWidestText) {
    GridWidget grid;
    grid.SetSize(2, 2);
    grid.SetCell(1, 0, QStringLiteral("URL 1"));
    grid.SetCell(1, 1, QStringLiteral("http://www.hotel-plage.example/chambres.html"));
    grid.AutoSizeColumns(5);
    EXPECT_GT(grid.ColWidth(1), QFontMetrics(grid.CellFont()).horizontalAdvance(grid.Cell(1, 1)) + 5);
    EXPECT_LT(grid.ColWidth(0), 20);
}

TEST(ChartHitTest, VerticalBarsSideBySide) {
    ChartWidget chart;
    chart.resize(400, 300);
    chart.AddSeries(SeriesKind::VerticalBar).barWidthPercent = 85;
    chart.AddSeries(SeriesKind::VerticalBar);
    for (int i = 0; i < 11; ++i) {
        chart.Series(0).Add(i, QString::number(i), Qt::blue);
        chart.Series(1).Add(10 - i, QString::number(i), Qt::red);
    }
    chart.SetValueAxisMaximum(15);
    for (int s = 0; s < 2; ++s) {
        for (int i = 0; i < 11; ++i) {
            const QRectF bar = chart.BarRect(s, i);
            if (bar.height() < 2) continue;
            EXPECT_EQ(chart.PointAt(bar.center().toPoint()), (ChartWidget::Hit{s, i})) << s << " " << i;
        }
    }
    // Series 0 stands left of series 1 in each slot, and a zero bar answers on its base line.
    EXPECT_LT(chart.BarRect(0, 3).right(), chart.BarRect(1, 3).left() + 0.001);
    const QRectF flat = chart.BarRect(0, 0);
    EXPECT_EQ(chart.PointAt(QPoint(static_cast<int>(flat.center().x()), static_cast<int>(flat.bottom()) - 1)),
              (ChartWidget::Hit{0, 0}));
    EXPECT_EQ(chart.PointAt(QPoint(5, 5)), std::nullopt);
    EXPECT_EQ(chart.ValueAxisMaximum(), 15.0);
}

TEST(ChartHitTest, HorizontalBarsStartAtTheBottom) {
    ChartWidget chart;
    chart.resize(300, 400);
    chart.AddSeries(SeriesKind::HorizontalBar);
    for (int i = 0; i < 11; ++i) chart.Series(0).Add(10 + i, QString::number(i), Qt::green);
    EXPECT_GT(chart.BarRect(0, 0).top(), chart.BarRect(0, 10).top());
    EXPECT_EQ(chart.PointAt(chart.BarRect(0, 10).center().toPoint()), (ChartWidget::Hit{0, 10}));
}

TEST(ChartHitTest, MirroredStackedBars) {
    ChartWidget chart;
    chart.resize(400, 300);
    chart.SetStacked(true);
    chart.AddSeries(SeriesKind::HorizontalBar);
    chart.AddSeries(SeriesKind::HorizontalBar);
    chart.Series(0).Add(-40, "A", Qt::red);
    chart.Series(1).Add(25, "A", Qt::red);
    const QRectF left = chart.BarRect(0, 0);
    const QRectF right = chart.BarRect(1, 0);
    EXPECT_NEAR(left.right(), right.left(), 0.001);  // both grow from zero
    EXPECT_EQ(chart.PointAt(QPoint(static_cast<int>(left.left()) + 2, static_cast<int>(left.center().y()))),
              (ChartWidget::Hit{0, 0}));
    EXPECT_EQ(
        chart.PointAt(QPoint(static_cast<int>(right.right()) - 2, static_cast<int>(right.center().y()))),
        (ChartWidget::Hit{1, 0}));
}

TEST(ChartHitTest, PieSlices) {
    ChartWidget chart;
    chart.resize(200, 200);
    chart.AddSeries(SeriesKind::Pie);
    chart.Series(0).Add(75, "oui", Qt::green);
    chart.Series(0).Add(25, "non", Qt::red);
    const QPoint centre = chart.rect().center();
    // Slices run clockwise from the top: the first covers three quarters.
    EXPECT_EQ(chart.PointAt(centre + QPoint(30, 0)), (ChartWidget::Hit{0, 0}));
    EXPECT_EQ(chart.PointAt(centre + QPoint(0, 30)), (ChartWidget::Hit{0, 0}));
    EXPECT_EQ(chart.PointAt(centre + QPoint(-30, -5)), (ChartWidget::Hit{0, 1}));
    EXPECT_EQ(chart.PointAt(QPoint(2, 2)), std::nullopt);

    chart.Series(0).Clear();
    chart.Series(0).Add(0, "oui", Qt::green);
    chart.Series(0).Add(0, "non", Qt::red);
    EXPECT_EQ(chart.PointAt(centre), std::nullopt);  // two empty slices: nothing to point at
}

TEST(ChartMarks, WholeNumbersStayWholeAndEachSideKeepsItsMarks) {
    ChartWidget words;
    words.resize(400, 200);
    words.AddSeries(SeriesKind::HorizontalBar).marks = MarkStyle::LabelValue;
    words.Series(0).Add(1700, "Ignorés URL 2", Qt::red);
    words.Series(0).Add(7.456, "TITLE", Qt::red);
    EXPECT_EQ(words.BarMark(0, 0).text, "Ignorés URL 2 1700");
    EXPECT_EQ(words.BarMark(0, 1).text, "TITLE 7.46");

    // URL 1 on the left, its empty bars too; a mark too long for its side is cut.
    ChartWidget shares;
    shares.resize(300, 200);
    shares.SetStacked(true);
    for (int q = 0; q < 2; ++q) {
        ChartSeries& series = shares.AddSeries(SeriesKind::HorizontalBar);
        series.marks = MarkStyle::LabelValue;
        series.negativeSide = q == 0;
    }
    shares.Series(0).Add(0, "TITLE", Qt::red);
    shares.Series(0).Add(-59.7, "BODY d'une page aux titres interminables", Qt::red);
    shares.Series(1).Add(7.5, "TITLE", Qt::red);
    shares.Series(1).Add(52.5, "BODY", Qt::red);
    const QRectF plot = shares.PlotArea();
    const double zero = shares.BarRect(1, 0).left();
    for (int i = 0; i < 2; ++i) {
        const QRectF left = shares.BarMark(0, i).box;
        const QRectF right = shares.BarMark(1, i).box;
        EXPECT_LE(left.right(), zero) << i;
        EXPECT_GE(right.left(), zero) << i;
        EXPECT_GE(left.left(), plot.left()) << i;
        EXPECT_LE(right.right(), plot.right()) << i;
    }
    EXPECT_TRUE(shares.BarMark(0, 1).text.endsWith(QChar(0x2026)));  // cut, with an ellipsis
}

TEST(ChartMarks, CountsHaveWholeTicksAndAWholePieHasNoEdge) {
    ChartWidget counts;
    counts.resize(300, 200);
    counts.AddSeries(SeriesKind::HorizontalBar);
    counts.Series(0).Add(1, "TITLE", Qt::red);
    counts.Series(0).Add(0, "H1", Qt::red);
    for (const double tick : counts.AxisTicks()) EXPECT_EQ(tick, std::round(tick));

    ChartWidget pie;
    pie.resize(200, 200);
    pie.AddSeries(SeriesKind::Pie).marks = MarkStyle::None;
    pie.Series(0).Add(12, "oui", QColor(0, 128, 0));
    pie.Series(0).Add(0, "non", Qt::red);
    const QImage image = pie.grab().toImage();
    const QPoint centre = pie.rect().center();
    // Along the radius to the top, where a slice that is the whole pie would draw its edge.
    for (const int up : {20, 40, 60})
        EXPECT_EQ(image.pixelColor(centre - QPoint(0, up)), QColor(0, 128, 0)) << up;
}
