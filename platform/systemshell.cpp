#include "platform/systemshell.h"

#include <QApplication>
#include <QMessageBox>
#include <QOperatingSystemVersion>
#include <QProcess>

#include "platform/qtextconvert.h"

SystemVersion CurrentSystemVersion() {
    const QOperatingSystemVersion os = QOperatingSystemVersion::current();
    if (os.type() != QOperatingSystemVersion::Windows) return {};
    return {os.majorVersion(), os.minorVersion(), SystemPlatform::WindowsNT, ""};
}

void DefaultBeep() {
    QApplication::beep();
}

void PlainMessageBox(const std::string& title, const std::string& text, QWidget* parent) {
    QMessageBox::information(parent, ToQString(title), ToQString(text));
}

bool ShellOpen(const std::string& program, const std::string& parameters) {
    return QProcess::startDetached(ToQString(program), ToQString(parameters).split(' ', Qt::SkipEmptyParts));
}
