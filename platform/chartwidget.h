#pragma once

// A chart painted with QPainter: horizontal bars, vertical bars or a pie, points with value,
// label and colour, marks, axis titles, a fixed value-axis maximum, series side by side or
// stacked on one another, and the point under the pointer. Flat, without legend.

#include <QColor>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

enum class SeriesKind { HorizontalBar, VerticalBar, Pie };

enum class MarkStyle { None, Value, Percent, Label, LabelPercent, LabelValue };

struct ChartPoint {
    double value = 0;
    QString label;
    QColor colour;
};

struct ChartSeries {
    SeriesKind kind = SeriesKind::VerticalBar;
    QColor colour{Qt::blue};
    int barWidthPercent = 70;
    MarkStyle marks = MarkStyle::Value;
    // The series of the negative side of mirrored bars: its marks stay on that side, also for a
    // bar of no length.
    bool negativeSide = false;
    std::vector<ChartPoint> points;

    void Clear() { points.clear(); }
    void Add(double value, const QString& label, const QColor& colour) {
        points.push_back({value, label, colour});
    }
};

class ChartWidget : public QWidget {
public:
    explicit ChartWidget(QWidget* parent = nullptr);

    ChartSeries& AddSeries(SeriesKind kind);
    ChartSeries& Series(int index) { return series_[index]; }
    const ChartSeries& Series(int index) const { return series_[index]; }
    int SeriesCount() const { return static_cast<int>(series_.size()); }

    void SetTitle(const QString& title);
    void SetValueAxisTitle(const QString& title);     // the axis of the values
    void SetCategoryAxisTitle(const QString& title);  // the axis of the points
    QString ValueAxisTitle() const { return valueTitle_; }

    // A fixed value range from 0 to maximum; without it the range follows the values.
    void SetValueAxisMaximum(double maximum);
    std::optional<double> ValueAxisMaximum() const { return fixedMaximum_; }

    void SetAxisLabelsVisible(bool visible);
    void SetStacked(bool stacked);  // every series in the same slot, one upon the other

    // Redraws after the points changed.
    void Refresh() { update(); }

    struct Hit {
        int series;
        int index;
        bool operator==(const Hit&) const = default;
    };
    // The bar or slice under a point.
    std::optional<Hit> PointAt(QPoint point) const;

    // Where a bar is drawn (empty for a pie).
    QRectF BarRect(int series, int index) const;

    // A bar's mark as drawn: its box and its text (cut when too long for its place).
    struct Mark {
        QRectF box;
        QString text;
    };
    Mark BarMark(int series, int index) const;

    // The values of the value axis' grid lines.
    std::vector<double> AxisTicks() const;
    QRectF PlotArea() const;

    std::function<void(QPoint)> OnMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct Range {
        double low;
        double high;
    };
    bool IsPie() const { return !series_.empty() && series_[0].kind == SeriesKind::Pie; }
    bool IsHorizontal() const { return !series_.empty() && series_[0].kind == SeriesKind::HorizontalBar; }
    int SlotCount() const;
    bool WholeValues() const;  // every value a whole number: the axis counts
    Range ValueRange() const;
    QRectF PieRect() const;
    QString MarkText(const ChartSeries& series, int index) const;
    void PaintBars(QPainter& painter) const;
    void PaintAxes(QPainter& painter) const;
    void PaintPie(QPainter& painter) const;

    std::vector<ChartSeries> series_;
    QString title_;
    QString valueTitle_;
    QString categoryTitle_;
    std::optional<double> fixedMaximum_;
    bool axisLabels_ = true;
    bool stacked_ = false;
};
