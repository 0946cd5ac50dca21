#include "platform/imageview.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/application.h"

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void ImageView::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    RunGuarded([&] {
        if (OnMouseMove) OnMouseMove(at);
    });
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    RunGuarded([&] {
        if (OnClick) OnClick();
    });
}
