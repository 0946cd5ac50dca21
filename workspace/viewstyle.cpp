#include "workspace/viewstyle.h"

#include "engine/procedureanalyse.h"

namespace {

constexpr int kRowHeight = 17;

}  // namespace

QColor ToColour(const Rgb& rgb) {
    return {rgb.r, rgb.g, rgb.b};
}

QFont TahomaPixels(int pixels, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont ArialPixels(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

GridWidget* ResultGrid(QWidget* parent, int columns) {
    auto* grid = new GridWidget(parent);
    grid->SetSize(columns, DisplayRowCount + 1);
    grid->SetFixed(1, 1);
    grid->SetCellFont(TahomaPixels(11));
    grid->SetFixedFont(TahomaPixels(11, true));
    grid->SetDefaultRowHeight(kRowHeight);
    for (int r = 1; r <= DisplayRowCount; ++r) grid->SetCell(0, r, QString::fromLatin1(ElementRows[r].Label));
    return grid;
}

Label* CaptionAt(QWidget* parent, const QString& text, int x, int y, bool bold) {
    auto* label = new Label(text, parent);
    label->setFont(ArialPixels(12, bold));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* PanelTitle(QWidget* panel, const QString& text) {
    auto* title = new QLabel(text, panel);
    title->setFont(ArialPixels(12, true));
    title->move(16, 10);
    title->adjustSize();
    return title;
}
