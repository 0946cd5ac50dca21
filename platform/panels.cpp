#include "platform/panels.h"

#include <QPainter>

Panel::Panel(QWidget* parent, const QColor& colour) : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel::SetColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void Panel::SetBevels(Bevel outer, Bevel inner) {
    outer_ = outer;
    inner_ = inner;
    update();
}

void Panel::SetSingleBorder(bool on) {
    singleBorder_ = on;
    update();
}

int Panel::BorderWidth() const {
    return (singleBorder_ ? 1 : 0) + (outer_ != Bevel::None ? 1 : 0) + (inner_ != Bevel::None ? 1 : 0);
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
    QRect r = rect().adjusted(0, 0, -1, -1);
    const auto line = [&](Bevel bevel) {
        if (bevel == Bevel::None) return;
        const QColor light = colour_.lighter(150);
        const QColor dark = colour_.darker(160);
        const QColor topLeft = bevel == Bevel::Raised ? light : dark;
        const QColor bottomRight = bevel == Bevel::Raised ? dark : light;
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    };
    if (singleBorder_) {
        painter.setPen(Qt::black);
        painter.drawRect(r);
        r.adjust(1, 1, -1, -1);
    }
    line(outer_);
    line(inner_);
}

TransparentPanel::TransparentPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}
