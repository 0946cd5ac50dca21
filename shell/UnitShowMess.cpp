#include "shell/UnitShowMess.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTextLayout>
#include <QWindow>
#include <cmath>

#include "platform/qtextconvert.h"

namespace {

constexpr int kTextMargin = 13;  // left margin of the text area
constexpr QColor kDesignFace{225, 225, 225};
constexpr QColor kDesignCaption{22, 68, 162};
constexpr QColor kMainWindowGrey{246, 246, 246};
constexpr int kCaptionLeft = 30;

// Nearest integer, halves to the even neighbour.
int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

void DesignLook(ShapedButton* button) {
    button->SetFaceColours(kDesignFace, kDesignFace);
    button->SetPicture({});
    button->SetCaptionLeft(kCaptionLeft);
    button->SetCaptionColour(kDesignCaption);
}

}  // namespace

TMessForm::TMessForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Quenby Plixor"));
    setModal(true);
    resize(ClientWidth, 440);

    Panel1 = new Panel(this, Qt::white);
    Panel1->SetBevels(Panel::Bevel::Lowered, Panel::Bevel::Lowered);
    Panel1->SetSingleBorder(true);

    Panel2 = new Panel(Panel1, Qt::white);
    Panel2->setEnabled(false);  // takes neither focus nor input
    Memo1 = new QPlainTextEdit(Panel2);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setReadOnly(true);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Memo1->document()->setDocumentMargin(0);
    QFont memoFont(QStringLiteral("MS Sans Serif"));
    memoFont.setPixelSize(13);
    memoFont.setBold(true);
    Memo1->setFont(memoFont);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, Qt::white);
    memoPalette.setColor(QPalette::Text, Qt::black);
    memoPalette.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    memoPalette.setColor(QPalette::Disabled, QPalette::Base, Qt::white);
    Memo1->setPalette(memoPalette);

    Panel3 = new Panel(Panel1, Qt::white);
    Edit1 = new QLineEdit(Panel3);
    Edit1->setGeometry(40, 12, 345, 19);

    Panel4 = new Panel(Panel1, Qt::white);
    QFont buttonFont(QStringLiteral("Tahoma"));
    buttonFont.setPixelSize(12);
    OK = new ShapedButton(Panel4);
    OK->SetCaption(QStringLiteral("&Ok"));
    OK->OnClick = [this] { done(1); };
    Annuler = new ShapedButton(Panel4);
    Annuler->SetCaption(QStringLiteral("&Annuler"));
    Annuler->OnClick = [this] { done(2); };
    for (ShapedButton* button : {OK, Annuler}) {
        button->setFont(buttonFont);
        button->resize(ButtonWidth, 22);
        button->move(button->x(), 17);
        DesignLook(button);
    }
    LayoutPanels();
}

void TMessForm::ApplyMainWindowLook(const QImage& buttonPicture) {
    QPalette p = palette();
    p.setColor(QPalette::Window, kMainWindowGrey);
    setPalette(p);
    for (ShapedButton* button : {OK, Annuler}) {
        button->SetFaceColours(kMainWindowGrey, kMainWindowGrey);
        button->SetPicture(buttonPicture);
        button->SetCaptionLeft(kCaptionLeft);
    }
}

int TMessForm::DisplayedLineCount(const QString& message) const {
    // The text area's width as the form lays it out, known before the form first shows.
    const double width = ClientWidth - 2 * Panel1->BorderWidth() - kTextMargin;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int lines = 0;
    for (const QString& paragraph : message.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        QTextLayout layout(paragraph, Memo1->font());
        layout.setTextOption(option);
        layout.beginLayout();
        int pieces = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++pieces;
        }
        layout.endLayout();
        lines += std::max(1, pieces);
    }
    return lines;
}

QMargins TMessForm::Frame() const {
    // Some platforms tell the frame only while the window shows: keep what was told.
    if (windowHandle() != nullptr && !windowHandle()->frameMargins().isNull())
        frame_ = windowHandle()->frameMargins();
    return frame_;
}

int TMessForm::FrameHeight() const {
    return Frame().top() + Frame().bottom();
}

int TMessForm::FrameWidth() const {
    return Frame().left() + Frame().right();
}
int TMessForm::OuterHeight() const {
    return height() + FrameHeight();
}
int TMessForm::OuterWidth() const {
    return width() + FrameWidth();
}

void TMessForm::LayoutPanels() {
    Panel1->setGeometry(rect());
    const int border = Panel1->BorderWidth();
    const int inner = width() - 2 * border;
    int y = border + TopMargin;
    Panel2->setGeometry(border, y, inner, Panel2->height());
    Memo1->setGeometry(kTextMargin, 0, inner - kTextMargin, Panel2->height());
    y += Panel2->height();
    Panel3->setGeometry(border, y, inner, InputRowHeight);
    Panel4->setGeometry(border, height() - border - ButtonRowHeight, inner, ButtonRowHeight);
}

void TMessForm::resizeEvent(QResizeEvent*) {
    LayoutPanels();
}

void TMessForm::reject() {
    done(2);
}

int TMessForm::ShowMessage(const std::string& message, int kind) {
    if (windowHandle() == nullptr) create();  // the frame's size is known from here on
    const QString text = ToQString(message);
    Memo1->setPlainText(text);
    Panel2->resize(Panel2->width(), DisplayedLineCount(text) * LineHeight + 25);

    OK->show();
    const int w = OuterWidth();
    const int b = OK->width();
    switch (kind) {
        case mkMessage:
            OK->move(RoundEven((w - b) / 2.0), OK->y());
            Annuler->hide();
            Panel3->hide();
            break;
        case mkConfirm:
        case mkInput:
        case mkConfirmAlt:
            OK->move(RoundEven((w - b) / 4.0), OK->y());
            Annuler->move(RoundEven((w - b) * 0.75), Annuler->y());
            Annuler->show();
            Panel3->setVisible(kind == mkInput);
            if (kind == mkInput) Edit1->clear();
            break;
        default:
            break;
    }
    const int outer = ButtonRowHeight + Panel2->height() + 80;
    setFixedSize(width(), outer - FrameHeight());
    LayoutPanels();

    if (isVisible()) hide();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        move(desk.center() - QPoint(OuterWidth() / 2, OuterHeight() / 2));
    }
    if (kind == mkInput) Edit1->setFocus();
    return exec();
}
