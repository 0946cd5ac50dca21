#include "updater/Unit1.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "engine/windows1252.h"
#include "platform/application.h"
#include "platform/packagesignature.h"
#include "platform/qtextconvert.h"
#include "platform/systemshell.h"
#include "shell/replycoding.h"
#include "shell/serveraddress.h"
#include "updater/installation.h"
#include "updater/packagedownload.h"
#include "updater/updatercheck.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kCaption = "Logiciel de mise a jour Morvane";
constexpr QColor kWindowGrey{0xD1, 0xD1, 0xD1};
constexpr QColor kPanelGrey{0xF3, 0xF3, 0xF3};

constexpr const char* kNoConnection =
    "Pas de connection Internet vérifiez vos paramètres de proxy HTTP, Puis retentez l'opération.";
constexpr const char* kSiteUnavailable =
    "Le site pour la mise à jour n'est pas disponible pour le moment. Veuillez nous excuser et rententer "
    "l'opération plus tard.";
constexpr const char* kDownloadFailed = "Exception lors de la mise à jour... Verifiez vos parametres proxy.";
constexpr const char* kInstallFailed =
    "Un problème avec votre connection internet est survenu, vérifiez vos paramètres de proxy et votre "
    "connection, Puis retentez l'opération.";

constexpr const char* kNotVerified =
    "Le paquet de la mise à jour n'a pas pu être vérifié : il a peut-être été modifié en chemin. Rien n'a "
    "été installé ; retentez l'opération plus tard.";
// A signature is 128 hexadecimal digits; anything much longer is no signature.
constexpr size_t kLargestSignature = 1024;
// The largest check reply and the largest package taken.
constexpr uint64_t kLargestReply = 1 << 20;
constexpr uint64_t kLargestPackage = uint64_t{512} << 20;
constexpr const char* kNoRoom =
    "La mise à jour ne tient pas dans la place libre du dossier du logiciel. Libérez de la place sur ce "
    "disque, puis retentez l'opération.";

constexpr const char* kSearching = "Recherche d'une nouvelle version de l'updater";
constexpr const char* kFetchingUpdater = "Connection pour téléchargement de l'updater";
constexpr const char* kFetchingProduct = "Connection pour téléchargement du logiciel";
constexpr const char* kDownloading = "Telechargement en cours de la mise a jour";
constexpr const char* kInstalling = "Installation de la mise à jour";

QFont SansSerif(int pixels, bool bold = false) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* Caption(QWidget* parent, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    return label;
}

QLineEdit* Edit(QWidget* parent, QRect geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    edit->setMaxLength(255);
    return edit;
}

QCheckBox* BoldCheckBox(QWidget* parent, const QString& text, QPoint at) {
    auto* box = new QCheckBox(text, parent);
    QFont bold = box->font();
    bold.setBold(true);
    box->setFont(bold);
    box->move(at);
    box->adjustSize();
    return box;
}

}  // namespace

// The downloaded package, written as its blocks arrive.
class TForm1::PackageFile : public ReceiveSink {
public:
    explicit PackageFile(const fs::path& path) : out_(path, std::ios::binary | std::ios::trunc) {}
    bool IsOpen() const { return out_.is_open(); }
    bool Write(const char* data, size_t length) override {
        out_.write(data, static_cast<std::streamsize>(length));
        // A full disk fails the download.
        if (!out_) throw std::runtime_error("the package cannot be written");
        return true;
    }

private:
    std::ofstream out_;
};

TForm1::TForm1(UpdaterTimings timings) : QWidget(nullptr), timings_(timings) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kCaption));
    setFixedSize(ClientWidth, ClientHeight);
    move(341, 52);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, kWindowGrey);
    setPalette(grey);
    setAutoFillBackground(true);
    setFont(SansSerif(11));
    ShowMessage = [this](const std::string& text) {
        PlainMessageBox(Utf8ToWindows1252Lossy(kCaption), Utf8ToWindows1252Lossy(text), this);
    };
    StartProgram = ShellOpen;
    OnTerminate = [] { QCoreApplication::quit(); };
    PublicKey = UpdatePublicKey;

    LabelEtat = new QLabel(this);
    LabelEtat->setObjectName(QStringLiteral("LabelEtat"));
    LabelEtat->setFont(SansSerif(13, true));
    QPalette red = LabelEtat->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    LabelEtat->setPalette(red);
    LabelEtat->move(112, 56);
    Label2 = Caption(this, QStringLiteral("V %1 ").arg(QString::fromLatin1(UpdaterVersion)), {521, 396});

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setGeometry(85, 88, 354, 22);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    ProgressBar2 = new QProgressBar(this);
    ProgressBar2->setGeometry(86, 139, 354, 22);
    ProgressBar2->setRange(0, 100);
    ProgressBar2->setTextVisible(false);
    ProgressBar2->hide();
    DisplayMemo = new QPlainTextEdit(this);
    DisplayMemo->setGeometry(80, 363, 361, 224);
    QFont courier(QStringLiteral("Courier New"));
    courier.setPixelSize(11);
    DisplayMemo->setFont(courier);
    DisplayMemo->setToolTip(QStringLiteral("This area show the activity with the host"));
    DisplayMemo->setReadOnly(true);
    DisplayMemo->hide();

    pANELGlobProxy = new Panel(this, kPanelGrey);
    pANELGlobProxy->setObjectName(QStringLiteral("pANELGlobProxy"));
    pANELGlobProxy->SetBevels(Panel::Bevel::None, Panel::Bevel::Lowered);
    pANELGlobProxy->setGeometry(40, 128, 449, 273);
    ProxyOupas = BoldCheckBox(pANELGlobProxy, QStringLiteral("Utiliser un proxy HTTP"), {16, 16});
    PanelPROXY = new Panel(pANELGlobProxy, kWindowGrey);
    PanelPROXY->setGeometry(48, 40, 369, 153);
    Caption(PanelPROXY, QStringLiteral("Proxy"), {40, 14});
    EditProxy = Edit(PanelPROXY, {99, 11, 169, 21});
    Caption(PanelPROXY, QStringLiteral("Port"), {40, 38});
    EditPort = Edit(PanelPROXY, {99, 35, 169, 21});
    CheckIdtfHTTP = BoldCheckBox(PanelPROXY, QStringLiteral("Identification nécessaire"), {16, 63});
    Panelsock = new Panel(PanelPROXY, kWindowGrey);
    Panelsock->setGeometry(7, 84, 313, 49);
    Caption(Panelsock, QStringLiteral("Utilisateur"), {16, 5});
    utilisateur = Edit(Panelsock, {96, 2, 169, 21});
    Caption(Panelsock, QStringLiteral("Mot de passe"), {16, 31});
    motdepasse = Edit(Panelsock, {96, 28, 169, 21});
    IAeverButton1 = new ShapedButton(pANELGlobProxy);
    IAeverButton1->setObjectName(QStringLiteral("IAeverButton1"));
    IAeverButton1->SetCaption(QStringLiteral("Tenter à nouveau"));
    QFont times(QStringLiteral("Times New Roman"));
    times.setPixelSize(14);
    times.setBold(true);
    IAeverButton1->setFont(times);
    IAeverButton1->SetFaceColours(QColor(250, 250, 250), QColor(200, 206, 218));
    IAeverButton1->SetCornerRadius(10);
    IAeverButton1->setGeometry(128, 211, 151, 31);
    pANELGlobProxy->hide();

    QObject::connect(ProxyOupas, &QCheckBox::clicked, this,
                     [this] { RunGuarded([this] { ProxyOupasClick(); }); });
    QObject::connect(CheckIdtfHTTP, &QCheckBox::clicked, this,
                     [this] { RunGuarded([this] { CheckIdtfHTTPClick(); }); });
    IAeverButton1->OnClick = [this] { IAeverButton1Click(); };

    for (HttpClient* client : {&httpcli1, &HttpClimAJ}) ConfigureClient(*client);
    HttpClimAJ.OnHeaderEnd = [this] { HttpClimAJHeaderEnd(); };
    HttpClimAJ.OnDocBegin = [this] { HttpClimAJDocBegin(); };
    HttpClimAJ.OnDocData = [this](size_t length) { HttpClimAJDocData(length); };
    HttpClimAJ.OnDocEnd = [this] { HttpClimAJDocEnd(); };

    const auto timer = [this](QTimer& t, std::chrono::milliseconds interval, bool once,
                              void (TForm1::*tick)()) {
        t.setInterval(interval);
        t.setSingleShot(once);
        QObject::connect(&t, &QTimer::timeout, this,
                         [this, tick] { RunGuarded([this, tick] { (this->*tick)(); }); });
    };
    timer(timerantiattente, timings_.antiWait, true, &TForm1::timerantiattenteTimer);
    timer(TimerReady, timings_.ready, true, &TForm1::TimerReadyTimer);
    timer(TimerProgress, timings_.progress, false, &TForm1::TimerProgressTimer);
    TimerStall.setInterval(timings_.stall);
    TimerStall.setSingleShot(true);
    QObject::connect(&TimerStall, &QTimer::timeout, this, [this] {
        HttpClimAJ.Abort();
        httpcli1.Abort();
    });
}

TForm1::~TForm1() = default;

void TForm1::ConfigureClient(HttpClient& client) {
    client.Agent = MakerClientAgent;
    client.Accept = MakerClientAccept;
    client.NoCache = true;
    client.ContentTypePost = "application/x-www-form-urlencoded";
    client.MaxBodyBytes = &client == &HttpClimAJ ? kLargestPackage : kLargestReply;
}

void TForm1::UseProxy(HttpClient& client) const {
    client.ProxyHost = Proxy.Host;
    client.ProxyPort = Proxy.Port;
    client.ProxyUsername = Proxy.User;
    client.ProxyPassword = Proxy.Password;
}

void TForm1::SetStatus(const char* utf8) {
    LabelEtat->setText(QString::fromUtf8(utf8));
    LabelEtat->adjustSize();
}

void TForm1::ShowProxyPanel() {
    pANELGlobProxy->show();
    pANELGlobProxy->raise();
}

void TForm1::Terminate() {
    ended_ = true;
    if (OnTerminate) OnTerminate();
}

bool TForm1::FormCreate(const std::vector<std::string>& args) {
    show();
    const CommandOutcome outcome = ReadUpdaterCommand(args);
    if (std::holds_alternative<EndSilently>(outcome)) {
        Terminate();
        return false;
    }
    if (const auto* problem = std::get_if<CommandProblem>(&outcome)) {
        ShowMessage(problem->message);
        Terminate();
        return false;
    }
    const UpdaterCommand& command = std::get<UpdaterCommand>(outcome);
    ProgramPath = command.ProgramPath;
    ProductNumber = command.ProductNumber;
    ProgramFolder = command.ProgramFolder;
    if (!QDir::setCurrent(QString::fromStdString(ProgramFolder))) {
        ShowMessage("Le dossier du logiciel \"" + ProgramFolder +
                    "\" n'existe pas : la mise à jour ne peut pas se faire.");
        Terminate();
        return false;
    }
    BaseUrl = SiteRoot() + UpdatePath;
    LoadProxySettings();
    SearchNewVersion();
    return !ended_;
}

void TForm1::SearchNewVersion() {
    SelfUpdate = false;
    ResponseBytes.clear();
    if (!timerantiattente.isActive()) timerantiattente.start();
    SetStatus(kSearching);
    FailureReported = false;

    CheckFields self;
    try {
        PostToUpdateServer(BaseUrl + CheckScript, SelfCheckBody());
        self = ReadCheckReply(ResponseBytes, UpdaterNumber);
    } catch (const std::exception&) {
        // No answer, a refusal, an error status or a reply shorter than its fields.
        if (!FailureReported) ShowMessage(kNoConnection);
        TimerReady.stop();
        ShowProxyPanel();
        return;
    }
    if (!self.field1.empty()) {
        SetStatus(kFetchingUpdater);
        SelfUpdate = true;
        DownloadUpdate(PackageAddress(BaseUrl, self.field2, std::to_string(UpdaterNumber) + ".zip"));
        return;
    }

    ResponseBytes.clear();
    CheckFields product;
    try {
        PostToUpdateServer(BaseUrl + CheckScript, ProductCheckBody(ProductNumber));
        product = ReadCheckReply(ResponseBytes, std::stoll(ProductNumber));
    } catch (const ShortReply&) {
        ShowMessage(kNoConnection);
        ShowProxyPanel();
        return;
    } catch (const HttpError& e) {
        // Told as the client words it; the panel then offers a retry.
        ShowMessage(e.what());
        ShowProxyPanel();
        return;
    }
    SetStatus(kFetchingProduct);
    ResponseBytes.clear();
    DownloadUpdate(PackageAddress(BaseUrl, product.field2, ProductNumber + ".zip"));
}

void TForm1::PostToUpdateServer(const std::string& address, const std::string& body) {
    httpcli1.SendBody = body;
    UseProxy(httpcli1);
    httpcli1.Cookie.clear();
    httpcli1.Url = address;
    PostUnderGuard(httpcli1, TimerReady, ResponseBytes);
}

void TForm1::TimerReadyTimer() {
    TimerReady.stop();
    httpcli1.Abort();
    ShowMessage(kSiteUnavailable);
    FailureReported = true;
}

void TForm1::timerantiattenteTimer() {
    timerantiattente.stop();
    httpcli1.Abort();
}

void TForm1::DownloadUpdate(const std::string& address) {
    try {
        FetchPackage(address);
    } catch (const InstallError& e) {
        // Nothing was started: the product stays as it was, the user can retry once the file
        // is free.
        ShowMessage(
            "Le fichier \"" + e.Target().string() +
            "\" n'a pas pu être remplacé. Fermez les programmes qui l'utilisent, puis retentez l'opération.");
        ShowProxyPanel();
    } catch (const std::exception&) {
        ShowMessage(kInstallFailed);
        ShowProxyPanel();
    }
}

void TForm1::FetchPackage(const std::string& address) {
    TimerProgress.start();
    DisplayMemo->clear();
    PackageFileName.clear();
    HttpClimAJ.SetReceiveSink(nullptr);
    HttpClimAJ.Url = address;
    UseProxy(HttpClimAJ);
    TimerStall.start();
    packageTooLarge_ = false;
    bool downloaded = true;
    try {
        HttpClimAJ.Get();
    } catch (const HttpError&) {
        downloaded = false;
        HttpClimAJDocEnd();
        if (packageTooLarge_) {
            // Refused before anything was written: nothing to install either.
            TimerProgress.stop();
            ShowMessage(kNoRoom);
            ShowProxyPanel();
            return;
        }
        ShowMessage(kDownloadFailed);
        ShowProxyPanel();
    }
    TimerStall.stop();
    TimerProgressTimer();
    TimerProgress.stop();
    if (downloaded && !VerifyPackage(address)) return;
    Dezipper();
}

bool TForm1::VerifyPackage(const std::string& address) {
    if (PublicKey.empty()) return true;
    MemorySink signature;
    httpcli1.Url = address + ".sig";
    UseProxy(httpcli1);
    httpcli1.SetReceiveSink(&signature);
    httpcli1.MaxBodyBytes = kLargestSignature;
    TimerStall.start();
    try {
        httpcli1.Get();
    } catch (const HttpError&) {
        signature.bytes.clear();  // no signature: the package is not trusted
    }
    TimerStall.stop();
    httpcli1.MaxBodyBytes = kLargestReply;
    httpcli1.SetReceiveSink(nullptr);
    const fs::path package = fs::path(ProgramFolder) / PackageFileName;
    if (signature.bytes.size() <= kLargestSignature && VerifyFile(package, signature.bytes, PublicKey))
        return true;
    std::error_code ec;
    fs::remove(package, ec);
    ShowMessage(kNotVerified);
    ShowProxyPanel();
    return false;
}

void TForm1::HttpClimAJHeaderEnd() {
    TimerStall.start();
    const std::vector<std::string>& lines = HttpClimAJ.RcvdHeader();
    if (const std::optional<uint64_t> length = ContentLengthOf(lines)) {
        std::error_code ec;
        const fs::space_info space = fs::space(ProgramFolder, ec);
        if (*length > kLargestPackage || (!ec && *length > space.available)) {
            packageTooLarge_ = true;
            HttpClimAJ.Abort();
            return;
        }
        ProgressBar1->setMaximum(static_cast<int>(std::min<uint64_t>(*length, INT32_MAX)));
        ProgressBar1->setValue(0);
        ProgressBar1->show();
        BytesReceived = 0;
    }
    QStringList text;
    for (const std::string& line : lines) text << ToQString(line);
    DisplayMemo->setPlainText(text.join('\n'));
}

void TForm1::HttpClimAJDocBegin() {
    SetStatus(kDownloading);
    const std::string name = HttpClimAJ.DocName();
    DisplayMemo->appendPlainText(ToQString(HttpClimAJ.ContentType() + " => " + name));
    DisplayMemo->appendPlainText(ToQString("Document = " + name));
    PackageFileName = PackageFileNameFor(name, HttpClimAJ.ContentType());
    packageFile_ = std::make_unique<PackageFile>(fs::path(ProgramFolder) / PackageFileName);
    if (!packageFile_->IsOpen()) {
        DisplayMemo->appendPlainText(QStringLiteral("Error opening file: ") +
                                     QString::fromStdString(std::strerror(errno)));
        PackageFileName = FallbackPackageName;
        DisplayMemo->appendPlainText(QStringLiteral("Using default file name: HttpTst.htm"));
        packageFile_ = std::make_unique<PackageFile>(fs::path(FallbackPackageName));
    }
    HttpClimAJ.SetReceiveSink(packageFile_.get());
}

void TForm1::HttpClimAJDocData(size_t length) {
    TimerStall.start();
    BytesReceived += length;
}

void TForm1::HttpClimAJDocEnd() {
    HttpClimAJ.SetReceiveSink(nullptr);
    packageFile_.reset();
}

void TForm1::TimerProgressTimer() {
    ProgressBar1->setValue(static_cast<int>(std::min<uint64_t>(BytesReceived, ProgressBar1->maximum())));
    QCoreApplication::processEvents();
}

void TForm1::Dezipper() {
    ProgressBar1->setValue(ProgressBar1->maximum());
    ProgressBar2->setValue(0);
    ProgressBar2->show();
    SetStatus(kInstalling);
    const fs::path folder(ProgramFolder);
    const fs::path extraction = folder / ProductNumber;
    ExtractPackage(folder / PackageFileName, extraction);

    Installer installer(extraction / "PROGRAM", folder);
    installer.RetryDelay = timings_.retryDelay;
    installer.Wait = [](std::chrono::milliseconds delay) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < delay.count()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    };
    installer.InstallAll([] { QCoreApplication::processEvents(); });

    if (SelfUpdate) {
        StartProgram((folder / "PROGRAM" / "morvaneupdater").string(),
                     CommandLinePath(ProgramPath) + " " + ProductNumber);
    } else {
        StartProgram(ProgramPath, "MAJ");
    }
    Terminate();
}

std::string TForm1::SettingsFile() const {
    return (fs::path(ProgramFolder) / ProxySettingsFileName).string();
}

ProxyPanelValues TForm1::PanelValues() const {
    return {ProxyOupas->isChecked(), FromQString(EditProxy->text()), FromQString(EditPort->text()),
            FromQString(utilisateur->text()), FromQString(motdepasse->text())};
}

void TForm1::SaveProxySettings() {
    // A folder that cannot be written is not reported: the panel's values are used all the same.
    WriteProxySettingsFile(SettingsFile(), PanelValues());
}

void TForm1::LoadProxySettings() {
    LoadProxySettings(true);
}

void TForm1::LoadProxySettings(bool mayRewrite) {
    std::error_code ec;
    if (!fs::exists(SettingsFile(), ec)) SaveProxySettings();
    const std::optional<std::string> bytes = ReadProxySettingsFile(SettingsFile());
    const ProxySettingsRead read = bytes ? ReadProxySettingsBytes(*bytes) : ProxySettingsRead{};
    ApplySettingsFields(read);
    if (!read.complete && mayRewrite) {
        // Rewritten from the panel and read once more; a file that cannot be written is not
        // tried again.
        SaveProxySettings();
        LoadProxySettings(false);
        return;
    }
    ProxyOupasClick();
}

void TForm1::ApplySettingsFields(const ProxySettingsRead& read) {
    const auto& fields = read.fields;
    if (fields[0]) {
        ProxyOupas->setChecked(*fields[0] == "VRAI");
        PanelPROXY->setVisible(ProxyOupas->isChecked());
    }
    if (fields[1]) {
        EditProxy->setText(ToQString(*fields[1]));
        Proxy.Host = *fields[1];
    }
    if (fields[2]) {
        EditPort->setText(ToQString(*fields[2]));
        Proxy.Port = *fields[2];
    }
    if (fields[3]) {
        utilisateur->setText(ToQString(*fields[3]));
        Proxy.User = FromQString(utilisateur->text());
    }
    if (fields[4]) {
        motdepasse->setText(ToQString(*fields[4]));
        Proxy.Password = FromQString(motdepasse->text());
    }
}

void TForm1::ProxyOupasClick() {
    PanelPROXY->setVisible(ProxyOupas->isChecked());
    Proxy.Host = ProxyOupas->isChecked() ? FromQString(EditProxy->text()) : std::string();
}

void TForm1::CheckIdtfHTTPClick() {
    Panelsock->setVisible(CheckIdtfHTTP->isChecked());
}

void TForm1::IAeverButton1Click() {
    SaveProxySettings();
    LoadProxySettings();
    pANELGlobProxy->hide();
    SearchNewVersion();
}
