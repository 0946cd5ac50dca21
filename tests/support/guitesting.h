#pragma once

// Helpers of the widget tests: acting on a modal window once it shows, and pointer moves.

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

// Runs act on the next modal window (dialog or message box) that shows, then stops looking;
// it stops looking too when the returned watch goes away.
[[nodiscard]] inline std::unique_ptr<QTimer> WhenModal(std::function<void(QWidget*)> act) {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [watch = timer.get(), act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        watch->stop();
        act(modal);
    });
    timer->start(10);
    return timer;
}

// What the next message box said: its caption and its text, once it has shown and been closed.
struct ClosedBox {
    QString title;
    QString text;
};

// Closes the next modal window that shows and records what it said into box.
[[nodiscard]] inline std::unique_ptr<QTimer> CloseNextBox(ClosedBox& box) {
    return WhenModal([&box](QWidget* modal) {
        box.title = modal->windowTitle();
        if (auto* message = qobject_cast<QMessageBox*>(modal)) box.text = message->text();
        modal->close();
    });
}

// Runs the acts in turn on the modal windows that show one after the other (a form shown
// again after it closed counts as a new one).
class ModalScript : public QObject {
public:
    explicit ModalScript(std::vector<std::function<void(QWidget*)>> acts) : acts_(std::move(acts)) {
        qApp->installEventFilter(this);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(10);
    }
    ~ModalScript() override { qApp->removeEventFilter(this); }
    int Done() const { return static_cast<int>(next_); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->isModal()) ++shows_;
        }
        return false;
    }

private:
    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (shows_ == 0 || modal == nullptr || !modal->isVisible() || next_ >= acts_.size()) return;
        --shows_;
        acts_[next_++](modal);
    }

    std::vector<std::function<void(QWidget*)>> acts_;
    size_t next_ = 0;
    int shows_ = 0;
    QTimer timer_;
};

// A pointer move onto a point of a widget, delivered as a real mouse event. It comes from just
// outside the widget, since a move to where the pointer already is delivers nothing.
inline void PointAt(QWidget* widget, QPoint point) {
    QTest::mouseMove(widget, QPoint(-2, -2));
    QTest::mouseMove(widget, point);
    QApplication::processEvents();
}

// Types a text key by key, accented letters and line breaks included.
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(widget, Qt::Key_Return);
        } else if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

inline void ClickAt(QWidget* widget, QPoint point) {
    PointAt(widget, point);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, point);
    QApplication::processEvents();
}
