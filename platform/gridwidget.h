#pragma once

// A string grid: cell texts, fixed header rows and columns, column widths and row heights,
// colours decided per cell by a callback, and the cell under a point.

#include <QColor>
#include <QFont>
#include <QWidget>
#include <functional>
#include <vector>

struct CellStyle {
    QColor background;
    QColor fontColour;
    bool bold = false;
};

class GridWidget : public QWidget {
public:
    explicit GridWidget(QWidget* parent = nullptr);

    void SetSize(int columns, int rows);
    void SetColCount(int columns) { SetSize(columns, rowCount_); }
    void SetRowCount(int rows) { SetSize(columnCount_, rows); }
    int ColCount() const { return columnCount_; }
    int RowCount() const { return rowCount_; }
    void SetFixed(int columns, int rows);

    void SetCell(int column, int row, const QString& text);
    QString Cell(int column, int row) const;

    void SetColWidth(int column, int width);
    int ColWidth(int column) const { return widths_[column]; }
    void SetRowHeight(int row, int height);
    void SetDefaultRowHeight(int height);

    void SetCellFont(const QFont& font);
    const QFont& CellFont() const { return cellFont_; }
    void SetFixedFont(const QFont& font);
    void SetGridLineColour(const QColor& colour);

    // Resizes the widget to hold every cell and its grid lines.
    void FitToCells();

    // Sizes every column (or row) to its widest (tallest) text plus the margin.
    void AutoSizeColumns(int margin);
    void AutoSizeRows(int margin);

    // The look of a cell before the callback: white data cells, grey fixed cells.
    CellStyle DefaultStyle(int column, int row) const;

    // Look of each cell as painted, called with (row, column) and the default look.
    std::function<void(int row, int column, CellStyle& style)> OnGetCellColor;

    // Column and row of the cell at a point, or (-1, -1) outside every cell.
    QPoint CellAt(QPoint point) const;
    QRect CellRect(int column, int row) const;

    std::function<void(QPoint)> OnMouseMove;

    static constexpr int GridLineWidth = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A cell that shows only part of its text shows it whole as the pointer's tooltip.
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool IsFixed(int column, int row) const { return column < fixedColumns_ || row < fixedRows_; }
    const QFont& FontOf(int column, int row) const { return IsFixed(column, row) ? fixedFont_ : cellFont_; }

    int columnCount_ = 0;
    int rowCount_ = 0;
    int fixedColumns_ = 1;
    int fixedRows_ = 1;
    int defaultWidth_ = 64;
    int defaultHeight_ = 24;
    std::vector<int> widths_;
    std::vector<int> heights_;
    std::vector<std::vector<QString>> cells_;  // [row][column]
    QFont cellFont_;
    QFont fixedFont_;
    QColor gridLine_{192, 192, 192};
};
