#include "workspace/UlisteURL.h"

#include "workspace/viewstyle.h"

TFormURL::TFormURL(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormURL"));
    setWindowTitle(QStringLiteral("Liste des urls"));
    resize(ClientWidth, ClientHeight);
    AdvlistURL = new GridWidget(this);
    AdvlistURL->SetFixed(0, 0);
    AdvlistURL->SetSize(2, 0);
    AdvlistURL->SetDefaultRowHeight(17);
    AdvlistURL->SetCellFont(TahomaPixels(11));
    AdvlistURL->SetGridLineColour(QColor(192, 192, 192));
    AdvlistURL->OnGetCellColor = [this](int row, int, CellStyle& style) {
        AdvlistURLGetCellColor(row, style);
    };
    AdvlistURL->setGeometry(rect());
}

void TFormURL::AdvlistURLGetCellColor(int row, CellStyle& style) const {
    if (HighlightedUrl && row + 1 == HighlightedUrl()) style.background = QColor(255, 255, 0);
}

void TFormURL::showEvent(QShowEvent*) {
    if (shown_) return;
    shown_ = true;
    move(FirstPosition);
}

void TFormURL::resizeEvent(QResizeEvent*) {
    AdvlistURL->setGeometry(rect());
}
