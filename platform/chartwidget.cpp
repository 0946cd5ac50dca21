#include "platform/chartwidget.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/application.h"

namespace {

constexpr int kTitleHeight = 22;
constexpr int kMargin = 8;
constexpr int kAxisTitle = 16;
constexpr int kAxisLabels = 16;

QFont SmallFont(int pixels, bool bold = false) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A step of 1, 2 or 5 times a power of ten that gives about five ticks.
double TickStep(double span) {
    if (span <= 0) return 1;
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= m * power) return m * power;
    }
    return 10 * power;
}

QString Number(double v) {
    return QString::number(v, 'g', 6);
}

bool IsWhole(double v) {
    return std::abs(v - std::round(v)) < 1e-9;
}

// A mark's number: whole numbers whole, others with three significant digits, never in
// exponent form.
QString MarkNumber(double v) {
    if (IsWhole(v) || std::abs(v) >= 1000) return QString::number(std::llround(v));
    return QString::number(v, 'g', 3);
}

// A mark: its text in a pale box.
void DrawMark(QPainter& painter, const QRectF& box, const QString& text) {
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 225));
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

ChartSeries& ChartWidget::AddSeries(SeriesKind kind) {
    series_.push_back({});
    series_.back().kind = kind;
    update();
    return series_.back();
}

void ChartWidget::SetTitle(const QString& title) {
    title_ = title;
    update();
}

void ChartWidget::SetValueAxisTitle(const QString& title) {
    valueTitle_ = title;
    update();
}

void ChartWidget::SetCategoryAxisTitle(const QString& title) {
    categoryTitle_ = title;
    update();
}

void ChartWidget::SetValueAxisMaximum(double maximum) {
    fixedMaximum_ = maximum;
    update();
}

void ChartWidget::SetAxisLabelsVisible(bool visible) {
    axisLabels_ = visible;
    update();
}

void ChartWidget::SetStacked(bool stacked) {
    stacked_ = stacked;
    update();
}

int ChartWidget::SlotCount() const {
    size_t slotTotal = 0;
    for (const ChartSeries& s : series_) slotTotal = std::max(slotTotal, s.points.size());
    return static_cast<int>(slotTotal);
}

ChartWidget::Range ChartWidget::ValueRange() const {
    if (fixedMaximum_) return {0, *fixedMaximum_};
    double low = 0;
    double high = 0;
    for (const ChartSeries& s : series_) {
        for (const ChartPoint& p : s.points) {
            low = std::min(low, p.value);
            high = std::max(high, p.value);
        }
    }
    const bool mirrored =
        std::any_of(series_.begin(), series_.end(), [](const ChartSeries& s) { return s.negativeSide; });
    if (high - low <= 0) high = low + 1;
    if (stacked_ && (low < 0 || mirrored)) {  // mirrored bars: zero in the middle
        high = std::max(high, -low);
        low = -high;
    }
    const double pad = (high - low) * 0.12;  // room for the marks
    return {low < 0 ? low - pad : 0, high > 0 ? high + pad : 0};
}

QRectF ChartWidget::PlotArea() const {
    QRectF area(kMargin, kMargin, width() - 2 * kMargin, height() - 2 * kMargin);
    if (!title_.isEmpty()) area.setTop(area.top() + kTitleHeight);
    if (IsPie()) return area;
    const QFontMetrics labels(SmallFont(10));
    if (IsHorizontal()) {
        if (axisLabels_) {
            int widest = 0;
            for (const ChartSeries& s : series_) {
                for (const ChartPoint& p : s.points)
                    widest = std::max(widest, labels.horizontalAdvance(p.label));
            }
            area.setLeft(area.left() + widest + 6);
            area.setBottom(area.bottom() - kAxisLabels);
        }
        if (!categoryTitle_.isEmpty()) area.setLeft(area.left() + kAxisTitle);
        if (!valueTitle_.isEmpty()) area.setBottom(area.bottom() - kAxisTitle);
    } else {
        if (axisLabels_) {
            area.setLeft(area.left() + labels.horizontalAdvance(Number(ValueRange().high)) + 6);
            area.setBottom(area.bottom() - kAxisLabels);
        }
        if (!valueTitle_.isEmpty()) area.setLeft(area.left() + kAxisTitle);
        if (!categoryTitle_.isEmpty()) area.setBottom(area.bottom() - kAxisTitle);
    }
    return area;
}

QRectF ChartWidget::BarRect(int seriesIndex, int index) const {
    if (IsPie() || seriesIndex < 0 || seriesIndex >= SeriesCount()) return {};
    const ChartSeries& series = series_[seriesIndex];
    if (index < 0 || index >= static_cast<int>(series.points.size())) return {};
    const QRectF area = PlotArea();
    const int slotTotal = std::max(1, SlotCount());
    const int lanes = stacked_ ? 1 : SeriesCount();
    const int lane = stacked_ ? 0 : seriesIndex;
    const Range range = ValueRange();

    double base = 0;  // stacked: the bars of earlier series with the same sign lie beneath
    const double value = series.points[index].value;
    if (stacked_) {
        for (int s = 0; s < seriesIndex; ++s) {
            if (index < static_cast<int>(series_[s].points.size())) {
                const double v = series_[s].points[index].value;
                if ((v < 0) == (value < 0)) base += v;
            }
        }
    }
    const double from = std::clamp(base, range.low, range.high);
    const double to = std::clamp(base + value, range.low, range.high);
    const double span = range.high - range.low;

    if (IsHorizontal()) {
        const double slot = area.height() / slotTotal;
        const double laneHeight = slot / lanes;
        const double thickness = laneHeight * series.barWidthPercent / 100.0;
        // Point 0 stands at the bottom.
        const double top =
            area.bottom() - (index + 1) * slot + lane * laneHeight + (laneHeight - thickness) / 2;
        const double x0 = area.left() + (std::min(from, to) - range.low) / span * area.width();
        const double x1 = area.left() + (std::max(from, to) - range.low) / span * area.width();
        return {x0, top, x1 - x0, thickness};
    }
    const double slot = area.width() / slotTotal;
    const double laneWidth = slot / lanes;
    const double thickness = laneWidth * series.barWidthPercent / 100.0;
    const double left = area.left() + index * slot + lane * laneWidth + (laneWidth - thickness) / 2;
    const double y0 = area.bottom() - (std::max(from, to) - range.low) / span * area.height();
    const double y1 = area.bottom() - (std::min(from, to) - range.low) / span * area.height();
    return {left, y0, thickness, y1 - y0};
}

bool ChartWidget::WholeValues() const {
    for (const ChartSeries& s : series_) {
        for (const ChartPoint& p : s.points) {
            if (!IsWhole(p.value)) return false;
        }
    }
    return true;
}

QRectF ChartWidget::PieRect() const {
    const QRectF area = PlotArea();
    const double side = std::min(area.width(), area.height()) - 24;
    return {area.center().x() - side / 2, area.center().y() - side / 2, side, side};
}

std::optional<ChartWidget::Hit> ChartWidget::PointAt(QPoint point) const {
    if (IsPie()) {
        const ChartSeries& pie = series_[0];
        double total = 0;
        for (const ChartPoint& p : pie.points) total += std::max(0.0, p.value);
        const QRectF circle = PieRect();
        const QPointF d = QPointF(point) - circle.center();
        if (total <= 0 || std::hypot(d.x(), d.y()) > circle.width() / 2) return std::nullopt;
        // Angles counted clockwise from the top, as the slices are drawn.
        double angle = std::atan2(d.x(), -d.y()) * 180 / std::numbers::pi;
        if (angle < 0) angle += 360;
        double start = 0;
        for (int i = 0; i < static_cast<int>(pie.points.size()); ++i) {
            const double sweep = std::max(0.0, pie.points[i].value) / total * 360;
            if (sweep > 0 && angle >= start && angle < start + sweep) return Hit{0, i};
            start += sweep;
        }
        return std::nullopt;
    }
    for (int s = SeriesCount() - 1; s >= 0; --s) {
        for (int i = 0; i < static_cast<int>(series_[s].points.size()); ++i) {
            QRectF bar = BarRect(s, i);
            // A bar of no length still answers along its base line.
            if (IsHorizontal() && bar.width() < 3) bar.adjust(-2, 0, 2, 0);
            if (!IsHorizontal() && bar.height() < 3) bar.adjust(0, -2, 0, 2);
            if (bar.contains(QPointF(point) + QPointF(0.5, 0.5))) return Hit{s, i};
        }
    }
    return std::nullopt;
}

QString ChartWidget::MarkText(const ChartSeries& series, int index) const {
    const ChartPoint& p = series.points[index];
    double total = 0;
    for (const ChartPoint& q : series.points) total += std::abs(q.value);
    const QString percent = QString::number(total > 0 ? std::abs(p.value) / total * 100 : 0, 'f', 0) + " %";
    switch (series.marks) {
        case MarkStyle::None:
            return {};
        case MarkStyle::Value:
            return MarkNumber(std::abs(p.value));
        case MarkStyle::Percent:
            return percent;
        case MarkStyle::Label:
            return p.label;
        case MarkStyle::LabelPercent:
            return p.label + " " + percent;
        case MarkStyle::LabelValue:
            return p.label + " " + MarkNumber(std::abs(p.value));
    }
    return {};
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!title_.isEmpty()) {
        painter.setFont(SmallFont(12, true));
        painter.setPen(QColor(0, 0, 128));
        painter.drawText(QRect(0, kMargin / 2, width(), kTitleHeight), Qt::AlignCenter, title_);
    }
    if (IsPie()) {
        PaintPie(painter);
        return;
    }
    PaintAxes(painter);
    PaintBars(painter);
}

void ChartWidget::PaintAxes(QPainter& painter) const {
    const QRectF area = PlotArea();
    const Range range = ValueRange();
    const bool horizontal = IsHorizontal();
    painter.setFont(SmallFont(10));
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(area);

    // Value grid and labels.
    for (const double v : AxisTicks()) {
        const double t = (v - range.low) / (range.high - range.low);
        painter.setPen(QColor(224, 224, 224));
        if (horizontal) {
            const double x = area.left() + t * area.width();
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
            if (axisLabels_) {
                painter.setPen(Qt::black);
                painter.drawText(QRectF(x - 30, area.bottom() + 2, 60, kAxisLabels),
                                 Qt::AlignHCenter | Qt::AlignTop, Number(std::abs(v)));
            }
        } else {
            const double y = area.bottom() - t * area.height();
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            if (axisLabels_) {
                painter.setPen(Qt::black);
                painter.drawText(QRectF(0, y - 8, area.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                                 Number(v));
            }
        }
    }

    // Category labels.
    if (axisLabels_ && !series_.empty()) {
        painter.setPen(Qt::black);
        const auto& points = series_[0].points;
        const int slotTotal = std::max(1, SlotCount());
        for (int i = 0; i < static_cast<int>(points.size()); ++i) {
            if (horizontal) {
                const double slot = area.height() / slotTotal;
                const QRectF cell(0, area.bottom() - (i + 1) * slot, area.left() - 4, slot);
                painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, points[i].label);
            } else {
                const double slot = area.width() / slotTotal;
                const QRectF cell(area.left() + i * slot - 4, area.bottom() + 2, slot + 8, kAxisLabels);
                painter.save();
                painter.setFont(SmallFont(slot < 48 ? 8 : 10));
                painter.drawText(cell, Qt::AlignHCenter | Qt::AlignTop, points[i].label);
                painter.restore();
            }
        }
    }

    // Axis titles.
    painter.setFont(SmallFont(11));
    painter.setPen(Qt::black);
    const QString& bottomTitle = horizontal ? valueTitle_ : categoryTitle_;
    const QString& leftTitle = horizontal ? categoryTitle_ : valueTitle_;
    if (!bottomTitle.isEmpty()) {
        painter.drawText(QRectF(area.left(), height() - kMargin - kAxisTitle, area.width(), kAxisTitle),
                         Qt::AlignCenter, bottomTitle);
    }
    if (!leftTitle.isEmpty()) {
        painter.save();
        painter.translate(kMargin, area.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-area.height() / 2, 0, area.height(), kAxisTitle), Qt::AlignCenter,
                         leftTitle);
        painter.restore();
    }
}

ChartWidget::Mark ChartWidget::BarMark(int seriesIndex, int index) const {
    const ChartSeries& series = series_[seriesIndex];
    Mark mark{{}, MarkText(series, index)};
    if (mark.text.isEmpty()) return mark;
    const QRectF bar = BarRect(seriesIndex, index);
    const QFontMetrics fm(SmallFont(10));
    const double w = fm.horizontalAdvance(mark.text) + 6;
    const double h = fm.height() + 2;
    const QRectF area = PlotArea();
    if (!IsHorizontal()) {
        mark.box = QRectF(bar.center().x() - w / 2, bar.top() - h - 2, w, h);
        if (mark.box.top() < area.top()) mark.box.moveTop(area.top() + 2);
        return mark;
    }
    // Each side of mirrored bars keeps its marks, inside the plot; a mark too long for its
    // side is cut.
    const bool left = series.negativeSide || series.points[index].value < 0;
    const Range range = ValueRange();
    const double zero = area.left() + (0 - range.low) / (range.high - range.low) * area.width();
    const double sideLeft = left || range.low >= 0 ? area.left() + 2 : zero + 1;
    const double sideRight = left && range.low < 0 ? zero - 1 : area.right() - 2;
    const double room = std::max(0.0, sideRight - sideLeft);
    double width = w;
    if (width > room) {
        mark.text = fm.elidedText(mark.text, Qt::ElideRight, static_cast<int>(std::max(0.0, room - 6)));
        width = room;
    }
    mark.box = QRectF(left ? bar.left() - width - 3 : bar.right() + 3, bar.center().y() - h / 2, width, h);
    // A mark that would leave its side comes back over its bar.
    if (mark.box.right() > sideRight) mark.box.moveRight(sideRight);
    if (mark.box.left() < sideLeft) mark.box.moveLeft(sideLeft);
    return mark;
}

std::vector<double> ChartWidget::AxisTicks() const {
    const Range range = ValueRange();
    double step = TickStep(range.high - range.low);
    if (WholeValues()) step = std::max(1.0, std::round(step));  // counts get whole steps
    std::vector<double> ticks;
    for (double v = std::ceil(range.low / step) * step; v <= range.high + 1e-9; v += step) ticks.push_back(v);
    return ticks;
}

void ChartWidget::PaintBars(QPainter& painter) const {
    painter.setFont(SmallFont(10));
    for (int s = 0; s < SeriesCount(); ++s) {
        const ChartSeries& series = series_[s];
        for (int i = 0; i < static_cast<int>(series.points.size()); ++i) {
            const QRectF bar = BarRect(s, i);
            const ChartPoint& p = series.points[i];
            const QColor colour = p.colour.isValid() ? p.colour : series.colour;
            painter.fillRect(bar, colour);
            painter.setPen(colour.darker(130));
            painter.drawRect(bar);
            const Mark mark = BarMark(s, i);
            if (!mark.text.isEmpty()) DrawMark(painter, mark.box, mark.text);
        }
    }
}

void ChartWidget::PaintPie(QPainter& painter) const {
    const ChartSeries& pie = series_[0];
    const QRectF circle = PieRect();
    double total = 0;
    for (const ChartPoint& p : pie.points) total += std::max(0.0, p.value);
    painter.setPen(QColor(96, 96, 96));
    if (total <= 0) {
        painter.drawEllipse(circle);
        return;
    }
    painter.setFont(SmallFont(10));
    const QFontMetrics fm(painter.font());
    std::vector<std::pair<QRectF, QString>> marks;  // drawn over all the slices
    double start = 0;
    for (int i = 0; i < static_cast<int>(pie.points.size()); ++i) {
        const double sweep = std::max(0.0, pie.points[i].value) / total * 360;
        if (sweep <= 0) continue;
        painter.setPen(QColor(96, 96, 96));
        painter.setBrush(pie.points[i].colour.isValid() ? pie.points[i].colour : pie.colour);
        // Qt counts angles anticlockwise from three o'clock, in sixteenths of a degree. A slice
        // that is the whole pie has no edge to draw.
        if (sweep >= 360 - 1e-9) {
            painter.drawEllipse(circle);
        } else {
            painter.drawPie(circle, static_cast<int>((90 - start) * 16), static_cast<int>(-sweep * 16));
        }
        const double middle = (start + sweep / 2) * std::numbers::pi / 180;
        const double r = circle.width() / 2 * 0.62;
        const QPointF at(circle.center().x() + r * std::sin(middle),
                         circle.center().y() - r * std::cos(middle));
        const QString mark = MarkText(pie, i);
        const double w = fm.horizontalAdvance(mark) + 6;
        if (!mark.isEmpty())
            marks.push_back(
                {QRectF(at.x() - w / 2, at.y() - fm.height() / 2.0 - 1, w, fm.height() + 2), mark});
        start += sweep;
    }
    for (const auto& [box, mark] : marks) DrawMark(painter, box, mark);
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    RunGuarded([&] {
        if (OnMouseMove) OnMouseMove(at);
    });
}
