#include "platform/label.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/application.h"

namespace {

class TypingFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        return !key->text().isEmpty() && key->text().at(0).isPrint();
    }
};

}  // namespace

Label::Label(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setMouseTracking(true);
}

void Label::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    RunGuarded([&] {
        if (OnMouseMove) OnMouseMove(at);
    });
}

void IgnoreTyping(QWidget* widget) {
    widget->installEventFilter(new TypingFilter(widget));
}
