#pragma once

// Keeps a widget disabled while a handler runs, and enables it again however the handler ends.

#include <QWidget>

class DisabledWhile {
public:
    explicit DisabledWhile(QWidget& widget) : widget_(widget) { widget_.setEnabled(false); }
    ~DisabledWhile() { widget_.setEnabled(true); }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

private:
    QWidget& widget_;
};
