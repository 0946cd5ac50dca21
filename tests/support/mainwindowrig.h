#pragma once

// Everything the main window needs, created fresh for one test, with its settings in a file of
// the test's own and its click sound in the working folder.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "HTTPload.h"
#include "Uinterf.h"
#include "UlisteURL.h"
#include "UnitShowMess.h"
#include "VariableText.h"
#include "application.h"
#include "datamodule.h"
#include "procedureanalyse.h"
#include "registry.h"

class MainWindowRig {
public:
    explicit MainWindowRig(std::chrono::milliseconds watchdog = TDatamoduleload::DefaultWatchdog)
        : loader(engine, proxy, watchdog) {
        previous_ = QDir::currentPath();
        QFile::copy(QStringLiteral(QUENBY_RESOURCES "/click.WAV"), folder.filePath("click.WAV"));
        QDir::setCurrent(folder.path());
        setenv("QUENBY_REGISTRY", folder.filePath("registry.ini").toLocal8Bit().constData(), 1);
        texts.BuildTextTable();
        Application::Instance()->OnException = Application::ShowExceptionBox;
    }
    ~MainWindowRig() {
        window.reset();
        unsetenv("QUENBY_REGISTRY");
        QDir::setCurrent(previous_);
    }
    MainWindowRig(const MainWindowRig&) = delete;
    MainWindowRig& operator=(const MainWindowRig&) = delete;

    // Opens the main window with the given fetcher (the page fetcher by default).
    TInterf& Open(PageFetcher* fetcher = nullptr) {
        window = std::make_unique<TInterf>(
            AnalysisParts{engine, fetcher != nullptr ? *fetcher : loader, registry, formURL, texts},
            &messForm);
        window->OnTerminate = [this] { ++terminated; };
        window->show();
        QApplication::processEvents();
        return *window;
    }

    QTemporaryDir folder;
    TdataM dataM;
    AnalysisEngine engine{dataM};
    ProxyAddress proxy;
    TDatamoduleload loader;
    Registry registry;
    TFormURL formURL;
    VariableText texts;
    TMessForm messForm;
    std::unique_ptr<TInterf> window;
    int terminated = 0;

private:
    QString previous_;
};
