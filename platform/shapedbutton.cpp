#include "platform/shapedbutton.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcutEvent>

#include "platform/application.h"

ShapedButton::ShapedButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ShapedButton::SetCaption(const QString& caption) {
    caption_ = caption;
    if (shortcutId_ != 0) releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    if (!mnemonic.isEmpty()) shortcutId_ = grabShortcut(mnemonic);
    update();
}

void ShapedButton::SetFaceColours(const QColor& top, const QColor& bottom) {
    faceTop_ = top;
    faceBottom_ = bottom;
    update();
}

void ShapedButton::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ShapedButton::SetGlyph(const QImage& glyph) {
    glyph_ = glyph;
    update();
}

void ShapedButton::SetCaptionLeft(int left) {
    captionLeft_ = left;
    update();
}

void ShapedButton::SetCaptionColour(const QColor& colour) {
    captionColour_ = colour;
    update();
}

void ShapedButton::SetCornerRadius(int radius) {
    radius_ = radius;
    UpdateShape();
    update();
}

void ShapedButton::UpdateShape() {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), radius_, radius_);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void ShapedButton::resizeEvent(QResizeEvent*) {
    UpdateShape();
}

void ShapedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius_, radius_);
    QLinearGradient face(0, 0, 0, height());
    face.setColorAt(0, pressed_ ? faceTop_.darker(115) : faceTop_);
    face.setColorAt(1, pressed_ ? faceBottom_.darker(115) : faceBottom_);
    painter.fillPath(path, face);
    if (!picture_.isNull()) {
        painter.setClipPath(path);
        painter.drawImage(rect(), picture_);
        painter.setClipping(false);
    }
    if (!glyph_.isNull()) {
        painter.drawImage((width() - glyph_.width()) / 2, (height() - glyph_.height()) / 2, glyph_);
    }
    painter.setPen(faceBottom_.darker(140));
    painter.drawPath(path);
    if (!caption_.isEmpty()) {
        painter.setFont(font());
        painter.setPen(isEnabled() ? captionColour_ : QColor(128, 128, 128));
        const int shift = pressed_ ? 1 : 0;
        QRect text = rect().translated(shift, shift);
        int flags = Qt::AlignVCenter | Qt::TextShowMnemonic;
        if (captionLeft_ >= 0) {
            text.setLeft(captionLeft_ + shift);
            flags |= Qt::AlignLeft;
        } else {
            flags |= Qt::AlignHCenter;
        }
        painter.drawText(text, flags, caption_);
    }
    if (hasFocus()) {
        painter.setPen(QPen(captionColour_, 1, Qt::DotLine));
        painter.drawRoundedRect(QRectF(rect()).adjusted(3, 3, -3, -3), radius_ / 2.0, radius_ / 2.0);
    }
}

void ShapedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    update();
}

void ShapedButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint())) Click();
}

void ShapedButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool ShapedButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
        if (isVisible() && isEnabled()) Click();
        return true;
    }
    return QWidget::event(event);
}

void ShapedButton::Click() {
    RunGuarded([this] {
        if (OnClick) OnClick();
    });
}
