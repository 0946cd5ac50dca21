// The cell under a point of the grid, and the bar or slice under a point of the chart.

#include <gtest/gtest.h>

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
