#include "platform/application.h"

#include <QFont>
#include <QMessageBox>
#include <cstdio>

#include "platform/qtextconvert.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv), OnException(ShowExceptionBox) {
    // Where the Windows fonts the windows name are missing, their metric twins stand in.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

void Application::ShowExceptionBox(const std::string& message) {
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), ToQString(message));
}

void Application::SetName(const QString& name) {
    QApplication::setApplicationName(name);
}

Application* Application::Instance() {
    return dynamic_cast<Application*>(QCoreApplication::instance());
}

void Application::ReportException(const std::string& message) {
    if (OnException) OnException(message);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportException(e.what());
    } catch (...) {
        ReportException("unknown error");
    }
    return false;
}

void ReportUnhandled(const std::string& message) {
    if (Application* application = Application::Instance()) {
        application->ReportException(message);
    } else {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
}
