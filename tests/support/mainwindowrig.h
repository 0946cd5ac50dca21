#pragma once

// Everything the main window needs, created fresh for one test, with its settings in a file of
// the test's own and its click sound in the working folder.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>

#include "platform/application.h"
#include "shell/analysisprogram.h"

class MainWindowRig {
public:
    explicit MainWindowRig(std::chrono::milliseconds watchdog = TDatamoduleload::DefaultWatchdog)
        : MainWindowRig(ProgramTimings{watchdog}) {}
    explicit MainWindowRig(ProgramTimings timings) : program(timings) {
        Application::Instance()->OnException = Application::ShowExceptionBox;
    }
    ~MainWindowRig() {
        program.Interf.reset();
        unsetenv("QUENBY_REGISTRY");
        QDir::setCurrent(previous_);
    }
    MainWindowRig(const MainWindowRig&) = delete;
    MainWindowRig& operator=(const MainWindowRig&) = delete;

    // Opens the main window with the given fetcher (the page fetcher by default).
    TInterf& Open(PageFetcher* fetcher = nullptr) {
        TInterf& window = program.CreateMainWindow(fetcher);
        window.OnTerminate = [this] { ++terminated; };
        window.show();
        QApplication::processEvents();
        return window;
    }

private:
    QString previous_ = QDir::currentPath();

public:
    QTemporaryDir folder;
    // The program's parts find their working folder and settings when they are created.
    bool prepared = Prepare();
    AnalysisProgram program;
    AnalysisEngine& engine = program.engine;
    Registry& registry = program.registry;
    TFormURL& formURL = program.FormURL;
    TMessForm& messForm = program.MessageForm();
    int terminated = 0;

private:
    bool Prepare() {
        QFile::copy(QStringLiteral(QUENBY_RESOURCES "/click.WAV"), folder.filePath("click.WAV"));
        setenv("QUENBY_REGISTRY", folder.filePath("registry.ini").toLocal8Bit().constData(), 1);
        return QDir::setCurrent(folder.path());
    }
};
