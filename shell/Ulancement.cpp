#include "shell/Ulancement.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>
#include <fstream>

#include "engine/windows1252.h"
#include "platform/application.h"
#include "platform/qtextconvert.h"
#include "platform/systemshell.h"
#include "shell/Common.h"
#include "shell/UnitShowMess.h"
#include "shell/analysisprogram.h"
#include "shell/productinfo.h"
#include "shell/serveraddress.h"
#include "shell/settingsstore.h"
#include "workspace/viewstyle.h"

namespace fs = std::filesystem;

namespace {

constexpr QColor kTitleBlue{0, 51, 153};
constexpr QColor kFaceTop{250, 250, 250};
constexpr QColor kFaceBottom{214, 220, 232};
constexpr QColor kCaption{22, 68, 162};

constexpr const char* kOfferNotWritten =
    "La page de la mise à jour ne peut pas être enregistrée sur ce poste. Quenby Ardentis va se fermer ; "
    "relancez-le depuis un dossier où vous pouvez écrire.";

fs::path PathOf(const QString& folder) {
    return fs::path(QFile::encodeName(folder).toStdString());
}

ShapedButton* LauncherButton(QWidget* parent, const QString& caption, QRect geometry) {
    auto* button = new ShapedButton(parent);
    button->SetCaption(caption);
    button->SetFaceColours(kFaceTop, kFaceBottom);
    button->SetCaptionColour(kCaption);
    button->setFont(ArialPixels(12, true));
    button->setGeometry(geometry);
    return button;
}

QLabel* Text(QWidget* parent, const QString& text, const QFont& font, const QColor& colour, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    label->move(at);
    label->adjustSize();
    return label;
}

}  // namespace

fs::path WriteOfferPage(const std::string& page, const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        if (folder.empty()) continue;
        std::error_code ec;
        fs::create_directories(folder, ec);
        const fs::path file = folder / OfferPageName;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(page.data(), static_cast<std::streamsize>(page.size()));
        out.close();
        if (out) return file;
    }
    return {};
}

TFormLaucher::TFormLaucher(AnalysisProgram& program)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), program_(program) {
    setObjectName(QStringLiteral("FormLaucher"));
    setWindowTitle(QStringLiteral("Quenby Ardentis"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    OnTerminate = [] { QCoreApplication::quit(); };
    StartProgram = ShellOpen;

    QFont title = ArialPixels(30, true);
    LabelTitre = Text(this, QStringLiteral("Quenby Ardentis"), title, kTitleBlue, {24, 10});
    LabelVersion = Text(this, QStringLiteral("Version ") + QString::fromLatin1(ProductVersion),
                        ArialPixels(14), Qt::black, {28, 52});
    QFont beta = ArialPixels(14, true);
    beta.setItalic(true);
    LabelBeta = Text(this, QStringLiteral("VERSION BETA "), beta, Qt::red, {130, 52});
    ImageProduit = new ImageView(this);
    ImageProduit->SetPicture(QImage(QStringLiteral(":/pictures/produit.png")));
    ImageProduit->setGeometry(QRect(QPoint(175, 130), ImageProduit->Picture().size()));

    IAeverButton2 = LauncherButton(this, QStringLiteral("&Quitter"), {525, 18, 105, 28});
    IAeverButton2->setObjectName(QStringLiteral("IAeverButton2"));
    IAeverButton2->OnClick = [this] { IAeverButton2Click(); };

    PanelUPDATE = new Panel(this, Qt::white);
    PanelUPDATE->setObjectName(QStringLiteral("PanelUPDATE"));
    PanelUPDATE->SetSingleBorder(true);
    PanelUPDATE->setGeometry(18, 80, 613, 441);
    WebBrowser1 = new HtmlView(PanelUPDATE);
    WebBrowser1->setGeometry(15, 15, 582, 337);
    IAeverButton3 = LauncherButton(PanelUPDATE, QStringLiteral("&Mettre à jour"), {60, 372, 200, 32});
    IAeverButton3->setObjectName(QStringLiteral("IAeverButton3"));
    IAeverButton3->OnClick = [this] { IAeverButton3Click(); };
    BouttonPasMAJ = LauncherButton(PanelUPDATE, QStringLiteral("&Ne pas mettre à jour"), {353, 372, 200, 32});
    BouttonPasMAJ->setObjectName(QStringLiteral("BouttonPasMAJ"));
    BouttonPasMAJ->OnClick = [this] { BouttonPasMAJClick(); };
    LabelMajeure = Text(PanelUPDATE,
                        QStringLiteral("Cette mise à jour \"majeure\" doit être réalisée.\n"
                                       "Cliquez sur \"Mettre à jour\"."),
                        ArialPixels(12, true), Qt::black, {353, 370});
    LabelMajeure->hide();
    PanelUPDATE->hide();

    Timer1.setInterval(StartDelay);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, [this] { RunGuarded([this] { Timer1Timer(); }); });
    FormCreate();
}

void TFormLaucher::FormCreate() {
    ProgramPath = FromQString(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    ProgramDir = FromQString(QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/"));
    OfferFolders = {PathOf(QDir::currentPath()),
                    PathOf(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))};
    program_.texts.BuildTextTable();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormLaucher::showEvent(QShowEvent*) {
    if (started_) return;
    started_ = true;
    Timer1.start();
}

void TFormLaucher::paintEvent(QPaintEvent*) {
    // Without a frame of its own, a thin line keeps the window apart from what lies behind it.
    QPainter painter(this);
    painter.setPen(QColor(160, 168, 184));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TFormLaucher::Timer1Timer() {
    Timer1.stop();
    program_.MessageForm();
    program_.proxy = DetectProxy(program_.registry);
    program_.requests.SetRoots(SiteRoot());
    CheckForUpdate();
}

void TFormLaucher::CheckForUpdate() {
    ServerRequests& requests = program_.requests;
    requests.ResponseBytes.clear();
    requests.RequestTimedOut = false;
    try {
        requests.PostRequest(requests.SiteRoot + UpdateCheckScript, UpdateCheckBody());
    } catch (const HttpError& e) {
        if (ending_) return;
        // A server that cannot be reached must not keep the user from the analysis: the
        // failure is told, then the program goes on as without an update.
        if (!requests.RequestTimedOut) ReportUnhandled(e.what());
        requests.ResponseBytes.clear();
        LaunchMainWindow();
        return;
    }
    if (ending_) return;
    const UpdateOffer offer = ReadUpdateOffer(requests.ResponseBytes);
    requests.ResponseBytes.clear();
    if (!offer.offered) {
        LaunchMainWindow();
        return;
    }
    ShowOffer(offer);
}

void TFormLaucher::ShowOffer(const UpdateOffer& offer) {
    OfferPagePath = WriteOfferPage(OfferPageText(offer), OfferFolders);
    if (OfferPagePath.empty()) {
        ShowMessageDialog(program_.MessForm.get(), Utf8ToWindows1252Lossy(kOfferNotWritten),
                          mkMessage);
        Terminate();
        return;
    }
    WebBrowser1->Navigate(FromQString(QFile::decodeName(OfferPagePath.string().c_str())));
    BouttonPasMAJ->setVisible(!offer.major);
    LabelMajeure->setVisible(offer.major);
    PanelUPDATE->show();
    PanelUPDATE->raise();
}

void TFormLaucher::LaunchMainWindow() {
    setEnabled(false);
    if (!program_.Interf) {
        TInterf& window = program_.CreateMainWindow();
        program_.RestoreInputs();
        window.TimerWeb.start();
        window.TimerWebTimer();
    }
    hide();
    program_.Interf->show();
}

void TFormLaucher::IAeverButton3Click() {
    // Whether or not the updater starts, the program ends so that its files can be replaced.
    StartProgram(UpdaterFile(ProgramDir), UpdaterParameters(ProgramPath));
    Terminate();
}

void TFormLaucher::BouttonPasMAJClick() {
    LaunchMainWindow();
}

void TFormLaucher::IAeverButton2Click() {
    Terminate();
}

void TFormLaucher::Terminate() {
    ending_ = true;
    program_.requests.httpcli1.Abort();
    if (OnTerminate) OnTerminate();
}
