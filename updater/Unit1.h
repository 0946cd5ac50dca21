#pragma once

// The updater's window and its work: the command line, the version check with the maker's
// server, the download of the package, its installation over the product's folder, and the
// proxy panel offered after every failure.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/httpclient.h"
#include "platform/panels.h"
#include "platform/shapedbutton.h"
#include "updater/proxysettingsfile.h"

// The waits of the updater; tests shorten them.
struct UpdaterTimings {
    std::chrono::milliseconds antiWait{10000};  // the whole check
    std::chrono::milliseconds ready{20000};     // one check request
    std::chrono::milliseconds progress{500};
    std::chrono::milliseconds stall{60000};  // a download that receives nothing
    std::chrono::milliseconds retryDelay{500};
};

class TForm1 : public QWidget {
public:
    static constexpr int ClientWidth = 551;
    static constexpr int ClientHeight = 410;

    explicit TForm1(UpdaterTimings timings = {});
    ~TForm1() override;

    // The start-up: shows the window, reads the command line, loads the proxy settings and
    // runs the check (and, when all goes well, the download and the installation). False when
    // the program is to end without running its message loop.
    bool FormCreate(const std::vector<std::string>& args);

    void SearchNewVersion();
    void PostToUpdateServer(const std::string& address, const std::string& body);
    void DownloadUpdate(const std::string& address);
    void FetchPackage(const std::string& address);
    // Fetches the package's signature (address + ".sig") and checks it with the key the updater
    // was built with; a package that fails is deleted and told. True without a key.
    bool VerifyPackage(const std::string& address);
    void Dezipper();

    void HttpClimAJHeaderEnd();
    void HttpClimAJDocBegin();
    void HttpClimAJDocData(size_t length);
    void HttpClimAJDocEnd();
    void TimerProgressTimer();
    void TimerReadyTimer();
    void timerantiattenteTimer();

    void LoadProxySettings();
    void SaveProxySettings();
    // The key the packages are checked with (the build's by default).
    std::string PublicKey;

    void ProxyOupasClick();
    void CheckIdtfHTTPClick();
    void IAeverButton1Click();  // "Tenter à nouveau"

    // Updater state.
    std::string ProgramPath;
    std::string ProductNumber;
    std::string ProgramFolder;
    std::string BaseUrl;
    std::string ResponseBytes;
    bool SelfUpdate = false;
    bool FailureReported = false;
    std::string PackageFileName;
    uint64_t BytesReceived = 0;
    ProxySettings Proxy;

    // Window.
    QLabel* LabelEtat;
    QLabel* Label2;
    QProgressBar* ProgressBar1;
    QProgressBar* ProgressBar2;
    QPlainTextEdit* DisplayMemo;
    Panel* pANELGlobProxy;
    QCheckBox* ProxyOupas;
    Panel* PanelPROXY;
    QLineEdit* EditProxy;
    QLineEdit* EditPort;
    QCheckBox* CheckIdtfHTTP;
    Panel* Panelsock;
    QLineEdit* utilisateur;
    QLineEdit* motdepasse;
    ShapedButton* IAeverButton1;

    HttpClient httpcli1;
    HttpClient HttpClimAJ;
    QTimer timerantiattente;
    QTimer TimerReady;
    QTimer TimerProgress;
    QTimer TimerStall;

    // The plain message box (UTF-8 text); how a test sees the messages.
    std::function<void(const std::string& text)> ShowMessage;
    // Starts a program with a parameter text, as the system shell does.
    std::function<bool(const std::string& program, const std::string& parameters)> StartProgram;
    // Ends the program.
    std::function<void()> OnTerminate;
    bool Ended() const { return ended_; }

private:
    class PackageFile;

    void SetStatus(const char* utf8);
    void ShowProxyPanel();
    void Terminate();
    void ConfigureClient(HttpClient& client);
    // The proxy settings of the panel, given to a client before each request.
    void UseProxy(HttpClient& client) const;
    void LoadProxySettings(bool mayRewrite);
    void ApplySettingsFields(const ProxySettingsRead& read);
    ProxyPanelValues PanelValues() const;
    std::string SettingsFile() const;

    UpdaterTimings timings_;
    std::unique_ptr<PackageFile> packageFile_;
    bool ended_ = false;
    bool packageTooLarge_ = false;  // the announced package does not fit
};
