#pragma once

// A text label that reports the pointer moving over it.

#include <QLabel>
#include <functional>

class Label : public QLabel {
public:
    explicit Label(const QString& text = {}, QWidget* parent = nullptr);

    std::function<void(QPoint)> OnMouseMove;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

// Drops the characters typed into a widget (keys that move or pick still work).
void IgnoreTyping(QWidget* widget);
