#pragma once

// A push button with a shape of its own (a rounded rectangle), face colours blending from top
// to bottom, an optional background picture and a caption at a chosen offset.

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>

class ShapedButton : public QWidget {
public:
    explicit ShapedButton(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);  // "&" marks the shortcut letter
    void SetFaceColours(const QColor& top, const QColor& bottom);
    QColor FaceTop() const { return faceTop_; }
    void SetPicture(const QImage& picture);  // drawn over the face, scaled to the button
    bool HasPicture() const { return !picture_.isNull(); }
    void SetGlyph(const QImage& glyph);  // drawn centred, unscaled
    void SetCaptionLeft(int left);       // -1 centres the caption
    int CaptionLeft() const { return captionLeft_; }
    void SetCaptionColour(const QColor& colour);
    QColor CaptionColour() const { return captionColour_; }
    void SetCornerRadius(int radius);

    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void UpdateShape();
    void Click();

    QString caption_;
    QColor faceTop_{225, 225, 225};
    QColor faceBottom_{225, 225, 225};
    QColor captionColour_{Qt::black};
    QImage picture_;
    QImage glyph_;
    int captionLeft_ = -1;
    int radius_ = 6;
    bool pressed_ = false;
    int shortcutId_ = 0;
};
