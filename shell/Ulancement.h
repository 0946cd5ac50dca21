#pragma once

// The launcher: the program's first window. Half a second after it shows, it asks the maker's
// server whether a newer version exists, then either opens the main window or shows the offer,
// from which the user starts the updater, skips the update (unless it is major) or quits.

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/htmlview.h"
#include "platform/imageview.h"
#include "platform/panels.h"
#include "platform/shapedbutton.h"
#include "shell/updateoffer.h"

class AnalysisProgram;

// Writes the offer page in the first of the folders where it can be written; the path written,
// or an empty path when none could take it.
std::filesystem::path WriteOfferPage(const std::string& page,
                                     const std::vector<std::filesystem::path>& folders);

class TFormLaucher : public QWidget {
public:
    static constexpr int ClientWidth = 650;
    static constexpr int ClientHeight = 531;
    static constexpr std::chrono::milliseconds StartDelay{500};

    explicit TFormLaucher(AnalysisProgram& program);

    void FormCreate();
    // The start-up sequence, once.
    void Timer1Timer();
    void CheckForUpdate();
    // Opens the main window (created the first time, with the last inputs and the information
    // view) and hides the launcher for good.
    void LaunchMainWindow();

    void IAeverButton3Click();  // "&Mettre à jour": starts the updater, ends the program
    void BouttonPasMAJClick();  // "&Ne pas mettre à jour"
    void IAeverButton2Click();  // "&Quitter"

    // The running program and its folder (ending with its separator).
    std::string ProgramPath;
    std::string ProgramDir;

    // Where the offer page goes: the working folder, else the user's cache folder.
    std::vector<std::filesystem::path> OfferFolders;
    std::filesystem::path OfferPagePath;

    QLabel* LabelTitre;
    QLabel* LabelVersion;
    QLabel* LabelBeta;
    ImageView* ImageProduit;
    ShapedButton* IAeverButton2;
    Panel* PanelUPDATE;
    HtmlView* WebBrowser1;
    ShapedButton* IAeverButton3;
    ShapedButton* BouttonPasMAJ;
    QLabel* LabelMajeure;
    QTimer Timer1;

    // Ends the program; how a test sees it.
    std::function<void()> OnTerminate;
    // Starts a program with a parameter text, as the system shell does.
    std::function<bool(const std::string& program, const std::string& parameters)> StartProgram;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowOffer(const UpdateOffer& offer);
    void Terminate();

    AnalysisProgram& program_;
    bool started_ = false;
    bool ending_ = false;
};
