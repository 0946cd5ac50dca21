#pragma once

// A picture on a window that reports the pointer moving over it and clicks on it.

#include <QImage>
#include <QWidget>
#include <functional>

class ImageView : public QWidget {
public:
    explicit ImageView(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

    std::function<void(QPoint)> OnMouseMove;  // pointer position in the view
    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};
