#pragma once

// Helpers of the widget tests: acting on a modal window once it shows, and pointer moves.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

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

// A pointer move onto a point of a widget, delivered as a real mouse event. It comes from just
// outside the widget, since a move to where the pointer already is delivers nothing.
inline void PointAt(QWidget* widget, QPoint point) {
    QTest::mouseMove(widget, QPoint(-2, -2));
    QTest::mouseMove(widget, point);
    QApplication::processEvents();
}

// Types a text key by key, accented letters included.
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
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
