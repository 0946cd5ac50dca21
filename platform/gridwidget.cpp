#include "platform/gridwidget.h"

#include <QHelpEvent>
#include <QToolTip>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/application.h"

namespace {

constexpr int kTextPadding = 3;

}  // namespace

GridWidget::GridWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    fixedFont_.setBold(true);
}

void GridWidget::SetSize(int columns, int rows) {
    columnCount_ = std::max(0, columns);
    rowCount_ = std::max(0, rows);
    widths_.resize(columnCount_, defaultWidth_);
    heights_.resize(rowCount_, defaultHeight_);
    cells_.resize(rowCount_);
    for (auto& row : cells_) row.resize(columnCount_);
    update();
}

void GridWidget::SetFixed(int columns, int rows) {
    fixedColumns_ = columns;
    fixedRows_ = rows;
    update();
}

void GridWidget::SetCell(int column, int row, const QString& text) {
    if (column < 0 || row < 0 || column >= columnCount_ || row >= rowCount_) return;
    cells_[row][column] = text;
    update();
}

QString GridWidget::Cell(int column, int row) const {
    if (column < 0 || row < 0 || column >= columnCount_ || row >= rowCount_) return {};
    return cells_[row][column];
}

void GridWidget::SetColWidth(int column, int width) {
    if (column < 0 || column >= columnCount_) return;
    widths_[column] = width;
    update();
}

void GridWidget::SetRowHeight(int row, int height) {
    if (row < 0 || row >= rowCount_) return;
    heights_[row] = height;
    update();
}

void GridWidget::SetDefaultRowHeight(int height) {
    defaultHeight_ = height;
    std::fill(heights_.begin(), heights_.end(), height);
    update();
}

void GridWidget::SetCellFont(const QFont& font) {
    cellFont_ = font;
    update();
}

void GridWidget::SetFixedFont(const QFont& font) {
    fixedFont_ = font;
    update();
}

void GridWidget::SetGridLineColour(const QColor& colour) {
    gridLine_ = colour;
    update();
}

void GridWidget::AutoSizeColumns(int margin) {
    for (int c = 0; c < columnCount_; ++c) {
        int widest = 0;
        for (int r = 0; r < rowCount_; ++r) {
            widest = std::max(widest, QFontMetrics(FontOf(c, r)).horizontalAdvance(cells_[r][c]));
        }
        widths_[c] = widest + 2 * kTextPadding + margin;
    }
    update();
}

void GridWidget::AutoSizeRows(int margin) {
    for (int r = 0; r < rowCount_; ++r) {
        int tallest = 0;
        for (int c = 0; c < columnCount_; ++c)
            tallest = std::max(tallest, QFontMetrics(FontOf(c, r)).height());
        heights_[r] = tallest + margin;
    }
    update();
}

void GridWidget::FitToCells() {
    int w = 0;
    for (const int width : widths_) w += width + GridLineWidth;
    int h = 0;
    for (const int height : heights_) h += height + GridLineWidth;
    resize(w + GridLineWidth, h + GridLineWidth);
}

CellStyle GridWidget::DefaultStyle(int column, int row) const {
    return {IsFixed(column, row) ? QColor(240, 240, 240) : QColor(Qt::white), QColor(Qt::black),
            IsFixed(column, row) && fixedFont_.bold()};
}

QRect GridWidget::CellRect(int column, int row) const {
    int x = 0;
    for (int c = 0; c < column; ++c) x += widths_[c] + GridLineWidth;
    int y = 0;
    for (int r = 0; r < row; ++r) y += heights_[r] + GridLineWidth;
    return {x, y, widths_[column], heights_[row]};
}

QPoint GridWidget::CellAt(QPoint point) const {
    int column = -1;
    for (int c = 0, x = 0; c < columnCount_; x += widths_[c] + GridLineWidth, ++c) {
        if (point.x() >= x && point.x() < x + widths_[c] + GridLineWidth) column = c;
    }
    int row = -1;
    for (int r = 0, y = 0; r < rowCount_; y += heights_[r] + GridLineWidth, ++r) {
        if (point.y() >= y && point.y() < y + heights_[r] + GridLineWidth) row = r;
    }
    if (column < 0 || row < 0 || point.x() < 0 || point.y() < 0) return {-1, -1};
    return {column, row};
}

bool GridWidget::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPoint cell = CellAt(help->pos());
    QString text;
    if (cell.x() >= 0) {
        text = Cell(cell.x(), cell.y());
        const QRect rect = CellRect(cell.x(), cell.y()).intersected(this->rect());
        if (QFontMetrics(FontOf(cell.x(), cell.y())).horizontalAdvance(text) + 4 <= rect.width())
            text.clear();
    }
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

void GridWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (int r = 0; r < rowCount_; ++r) {
        for (int c = 0; c < columnCount_; ++c) {
            const QRect cell = CellRect(c, r);
            CellStyle style = DefaultStyle(c, r);
            RunGuarded([&] {
                if (OnGetCellColor) OnGetCellColor(r, c, style);
            });
            painter.fillRect(cell, style.background);
            QFont font = FontOf(c, r);
            font.setBold(style.bold);
            painter.setFont(font);
            painter.setPen(style.fontColour);
            painter.drawText(cell.adjusted(kTextPadding, 0, -kTextPadding, 0),
                             Qt::AlignLeft | Qt::AlignVCenter, cells_[r][c]);
            painter.setPen(gridLine_);
            painter.drawLine(cell.right() + 1, cell.top(), cell.right() + 1, cell.bottom() + 1);
            painter.drawLine(cell.left(), cell.bottom() + 1, cell.right() + 1, cell.bottom() + 1);
        }
    }
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    RunGuarded([&] {
        if (OnMouseMove) OnMouseMove(at);
    });
}
