// The updater's window against a maker's server on 127.0.0.1: the check, the self-update and
// the product paths, the watchdogs, the proxy panel and its settings file, the download and
// the installation, with a product folder of the test's own.

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "platform/application.h"
#include "platform/packagesignature.h"
#include "shell/replycoding.h"
#include "tests/support/guitesting.h"
#include "tests/support/makerserverrig.h"
#include "tests/support/ziptesting.h"
#include "updater/Unit1.h"
#include "updater/UnitTrelvoCrypto.h"
#include "updater/updatercheck.h"

namespace {

const std::string kNoConnection =
    "Pas de connection Internet vérifiez vos paramètres de proxy HTTP, Puis retentez l'opération.";
const std::string kSiteUnavailable =
    "Le site pour la mise à jour n'est pas disponible pour le moment. Veuillez nous excuser et rententer "
    "l'opération plus tard.";
const std::string kDownloadFailed = "Exception lors de la mise à jour... Verifiez vos parametres proxy.";
const std::string kNotVerified =
    "Le paquet de la mise à jour n'a pas pu être vérifié : il a peut-être été modifié en chemin. Rien n'a "
    "été "
    "installé ; retentez l'opération plus tard.";
const std::string kInstallFailed =
    "Un problème avec votre connection internet est survenu, vérifiez vos paramètres de proxy et votre "
    "connection, Puis retentez l'opération.";

// A check reply as the maker's server codes it.
std::string CheckReply(int64_t number, const std::string& field1, const std::string& field2) {
    ReplyWriter writer(3, 5);
    writer.WriteText(field1, number + 2 * 15);
    writer.WriteText(field2, number + 3 * 15);
    return writer.Bytes();
}

std::string ConfigWithUpdater(const char* updaterVersion) {
    return std::string(
               R"({"product": {"number": 41, "version": "0.7", "offer": "offre.html", "package": "v0.7"},
        "updater": {"number": 101, "version": ")") +
           updaterVersion + R"(", "package": "u1.3"}, "info": "info.html"})";
}

const std::vector<ZipEntry> kProductPackage = {
    {"PROGRAM/Quenby_Ardentis", "#!/bin/sh\necho 0.7\n", 0100755},
    {"PROGRAM/data/x.txt", "x"},
    {"readme.txt", "lisez-moi"},
};

class Updater : public ::testing::Test {
protected:
    void SetUp() override {
        Write(app / "Quenby_Ardentis", "#!/bin/sh\necho 0.6\n");
        fs::permissions(app / "Quenby_Ardentis", static_cast<fs::perms>(0755));
        Application::Instance()->OnException = Application::ShowExceptionBox;
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(previous);
        unsetenv("QUENBY_SITE_ROOT");
    }

    // Starts the updater against the server with the launcher's command line.
    bool Start(const std::string& root, std::vector<std::string> args = {}) {
        setenv("QUENBY_SITE_ROOT", root.c_str(), 1);
        form = std::make_unique<TForm1>(timings);
        form->ShowMessage = [this](const std::string& text) { messages.push_back(text); };
        form->StartProgram = [this](const std::string& program, const std::string& parameters) {
            started.push_back(program + "|" + parameters);
            return true;
        };
        form->OnTerminate = [this] { ++terminated; };
        form->PublicKey = publicKey;
        if (args.empty()) args = {CommandPath(), "41"};
        return form->FormCreate(args);
    }

    std::string CommandPath() const { return CommandLinePath((app / "Quenby_Ardentis").string()); }

    bool PanelShown() const { return form->pANELGlobProxy->isVisible(); }

    QString previous = QDir::currentPath();
    TemporaryFolder install{"quenby-updater"};
    fs::path app = install.path / "Mon App";
    UpdaterTimings timings{std::chrono::milliseconds(5000), std::chrono::milliseconds(5000),
                           std::chrono::milliseconds(100), std::chrono::milliseconds(5000),
                           std::chrono::milliseconds(10)};
    std::unique_ptr<TForm1> form;
    std::string publicKey;  // packages unsigned, unless a test says otherwise
    std::vector<std::string> messages;
    std::vector<std::string> started;
    int terminated = 0;
};

}  // namespace

TEST_F(Updater, TheProductIsDownloadedInstalledAndStartedAgain) {
    DataFolder data(ConfigWithUpdater("1.2"));
    MakeZip(data.path / "packages" / "v0.7" / "41.zip", kProductPackage);
    RunningServer server(data.path);
    EXPECT_FALSE(Start(server.Root()));

    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(started, std::vector<std::string>{(app / "Quenby_Ardentis").string() + "|MAJ"});
    EXPECT_EQ(terminated, 1);
    EXPECT_EQ(ReadBytes(app / "Quenby_Ardentis"), "#!/bin/sh\necho 0.7\n");
    EXPECT_EQ(fs::status(app / "Quenby_Ardentis").permissions(), static_cast<fs::perms>(0755));
    EXPECT_EQ(ReadBytes(app / "data" / "x.txt"), "x");
    EXPECT_FALSE(fs::exists(app / "readme.txt"));
    EXPECT_TRUE(fs::exists(app / "41" / "readme.txt"));
    EXPECT_FALSE(fs::exists(app / "41.zip"));
    EXPECT_EQ(form->PackageFileName, "41.zip");
    EXPECT_EQ(QDir::currentPath().toStdString(), app.string());
    EXPECT_EQ(form->LabelEtat->text(), "Installation de la mise à jour");
    EXPECT_TRUE(form->ProgressBar1->isVisible());
    EXPECT_EQ(form->ProgressBar1->maximum(),
              static_cast<int>(fs::file_size(data.path / "packages/v0.7/41.zip")));
    EXPECT_EQ(form->ProgressBar1->value(), form->ProgressBar1->maximum());
    EXPECT_TRUE(form->ProgressBar2->isVisible());
    EXPECT_FALSE(PanelShown());
    // A first start makes the settings file: 19 bytes, the owner's only.
    EXPECT_EQ(fs::file_size(app / "ProxyUPD.prm"), 19u);
    EXPECT_EQ(fs::status(app / "ProxyUPD.prm").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(server.Logged("127.0.0.1 GET /Liaison/MajLogIcieL/v0.7/41.zip 200"));
    EXPECT_EQ(server.Log(3).size(), 3u);
}

TEST_F(Updater, ANewerUpdaterReplacesItselfFirst) {
    DataFolder data(ConfigWithUpdater("1.3"));
    MakeZip(data.path / "packages" / "u1.3" / "101.zip",
            {{"PROGRAM/PROGRAM/morvaneupdater", "#!/bin/sh\necho 1.3\n", 0100755}});
    RunningServer server(data.path);
    EXPECT_FALSE(Start(server.Root()));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(form->SelfUpdate);
    EXPECT_EQ(started, std::vector<std::string>{(app / "PROGRAM" / "morvaneupdater").string() + "|" +
                                                CommandPath() + " 41"});
    EXPECT_EQ(fs::status(app / "PROGRAM" / "morvaneupdater").permissions(), static_cast<fs::perms>(0755));
    EXPECT_TRUE(fs::exists(app / "41" / "PROGRAM" / "PROGRAM" / "morvaneupdater"));  // not in a folder 101
    EXPECT_EQ(server.Log(2).size(), 2u);                                             // no product check
}

TEST_F(Updater, TheCommandLine) {
    EXPECT_FALSE(Start("http://127.0.0.1:1/", {"seul"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(terminated, 1);

    terminated = 0;
    EXPECT_FALSE(Start("http://127.0.0.1:1/", {CommandPath(), "quarante et un"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("\"quarante et un\" n'est pas un nombre"), std::string::npos);
    EXPECT_EQ(terminated, 1);

    messages.clear();
    EXPECT_FALSE(Start("http://127.0.0.1:1/", {"Quenby_Ardentis", "41"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("ne désigne pas de dossier"), std::string::npos);
}

namespace {

// Checks that offer no new updater and version 0.7 of the product, in packages/v0.7.
void OfferVersionSeven(TestServer& server) {
    server.Http().Post("/Liaison/MajLogIcieL/updateINFO.php",
                       [](const httplib::Request& req, httplib::Response& res) {
                           const bool self = req.body.find("produit=101") != std::string::npos;
                           res.set_content(self ? CheckReply(101, "", "u") : CheckReply(41, "0.7", "v0.7"),
                                           "application/octet-stream");
                       });
}

// The updater's own check answered only after a second and a half.
void AnswerTheCheckLate(TestServer& server) {
    server.Http().Post("/Liaison/MajLogIcieL/updateINFO.php",
                       [](const httplib::Request&, httplib::Response& res) {
                           std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                           res.set_content(CheckReply(101, "", "u"), "application/octet-stream");
                       });
    server.Start();
}

}  // namespace

TEST_F(Updater, TheWatchdogOfTheWholeCheckCutsASilentServer) {
    TestServer server;
    AnswerTheCheckLate(server);
    timings.antiWait = std::chrono::milliseconds(300);
    EXPECT_TRUE(Start(server.Address("/")));
    EXPECT_EQ(messages, std::vector<std::string>{kNoConnection});  // not the other watchdog's message
    EXPECT_TRUE(PanelShown());
    EXPECT_FALSE(form->TimerReady.isActive());
    EXPECT_EQ(form->LabelEtat->text(), "Recherche d'une nouvelle version de l'updater");
}

TEST_F(Updater, TheWatchdogOfOneRequestTellsTheSiteIsUnavailable) {
    TestServer server;
    AnswerTheCheckLate(server);
    timings.ready = std::chrono::milliseconds(300);
    EXPECT_TRUE(Start(server.Address("/")));
    EXPECT_EQ(messages, std::vector<std::string>{kSiteUnavailable});
    EXPECT_TRUE(form->FailureReported);
    EXPECT_TRUE(PanelShown());
}

TEST_F(Updater, AFailedProductCheckIsToldAndCanBeRetried) {
    std::atomic<int> status{500};
    TestServer server;
    server.Http().Post("/Liaison/MajLogIcieL/updateINFO.php",
                       [&](const httplib::Request& req, httplib::Response& res) {
                           if (req.body == "produit=101&version=1.2") {
                               res.set_content(CheckReply(101, "", "u1.2"), "application/octet-stream");
                           } else if (status == 200) {
                               res.set_content(CheckReply(41, "0.7", "v0.7"), "application/octet-stream");
                           } else {
                               res.status = status;
                           }
                       });
    const fs::path package = install.path / "41.zip";
    MakeZip(package, kProductPackage);
    server.Http().Get("/Liaison/MajLogIcieL/v0.7/41.zip",
                      [&](const httplib::Request&, httplib::Response& res) {
                          res.set_content(ReadBytes(package), "application/zip");
                      });
    server.Start();
    EXPECT_TRUE(Start(server.Address("/")));
    EXPECT_EQ(messages, std::vector<std::string>{"500 Internal Server Error"});
    EXPECT_TRUE(PanelShown());
    EXPECT_TRUE(started.empty());

    status = 200;
    messages.clear();
    QTest::mouseClick(form->IAeverButton1, Qt::LeftButton);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(started.size(), 1u);
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(terminated, 1);
}

TEST_F(Updater, AShortReplyIsAFailedCheck) {
    TestServer server;
    server.Http().Post(
        "/Liaison/MajLogIcieL/updateINFO.php", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(CheckReply(101, "", "u1.2").substr(0, 5), "application/octet-stream");
        });
    server.Start();
    EXPECT_TRUE(Start(server.Address("/")));
    EXPECT_EQ(messages, std::vector<std::string>{kNoConnection});
    EXPECT_TRUE(PanelShown());
}

TEST_F(Updater, TheProxyPanelAndItsSettingsFile) {
    Write(app / "ProxyUPD.prm",
          ScrambleField("vrai", FieldStartValues[0]) + ScrambleField("relais", FieldStartValues[1]) +
              ScrambleField("3128", FieldStartValues[2]) + ScrambleField("", FieldStartValues[3]) +
              ScrambleField("", FieldStartValues[4]));
    EXPECT_TRUE(Start("http://127.0.0.1:1/"));
    EXPECT_EQ(messages, std::vector<std::string>{kNoConnection});
    ASSERT_TRUE(PanelShown());
    EXPECT_FALSE(form->ProxyOupas->isChecked());  // "vrai" is not "VRAI"
    EXPECT_FALSE(form->PanelPROXY->isVisible());
    EXPECT_EQ(form->EditProxy->text(), "relais");
    EXPECT_EQ(form->Proxy.Host, "");
    EXPECT_FALSE(form->CheckIdtfHTTP->isChecked());
    EXPECT_FALSE(form->Panelsock->isHidden());  // shown at first although its box is unchecked

    QTest::mouseClick(form->ProxyOupas, Qt::LeftButton);
    EXPECT_TRUE(form->PanelPROXY->isVisible());
    EXPECT_EQ(form->Proxy.Host, "relais");
    QTest::mouseClick(form->CheckIdtfHTTP, Qt::LeftButton);
    QTest::mouseClick(form->CheckIdtfHTTP, Qt::LeftButton);
    EXPECT_FALSE(form->Panelsock->isVisible());
    QTest::mouseClick(form->ProxyOupas, Qt::LeftButton);
    EXPECT_EQ(form->Proxy.Host, "");  // at once, and the file keeps the old values
    EXPECT_EQ(ReadBytes(app / "ProxyUPD.prm").substr(3, 4),
              ScrambleField("vrai", FieldStartValues[0]).substr(3));

    // Typed values and "Tenter à nouveau": saved, read again, tried again.
    QTest::mouseClick(form->ProxyOupas, Qt::LeftButton);
    form->utilisateur->setFocus();
    TypeText(form->utilisateur, QStringLiteral("Hélène"));
    EXPECT_EQ(form->utilisateur->maxLength(), 255);
    messages.clear();
    QTest::mouseClick(form->IAeverButton1, Qt::LeftButton);
    const ProxySettingsRead read = ReadProxySettingsBytes(ReadBytes(app / "ProxyUPD.prm"));
    ASSERT_TRUE(read.complete);
    EXPECT_EQ(*read.fields[0], "VRAI");
    EXPECT_EQ(*read.fields[3], "H\xe9l\xe8ne");
    EXPECT_EQ(form->Proxy.User, "H\xe9l\xe8ne");
    EXPECT_EQ(messages, std::vector<std::string>{kNoConnection});  // the proxy "relais" is not there
}

TEST_F(Updater, ProxyCredentialsGoWithAUserEvenWithoutIdentification) {
    std::string authorization;
    TestServer proxy;
    proxy.Http().Post(".*", [&](const httplib::Request& req, httplib::Response& res) {
        authorization = req.get_header_value("Proxy-Authorization");
        res.status = 503;
    });
    proxy.Start();
    Write(app / "ProxyUPD.prm",
          ProxySettingsBytes({true, "127.0.0.1", std::to_string(proxy.Port()), "marie", "s3cret"}));
    EXPECT_TRUE(Start("http://maker.example/"));
    EXPECT_EQ(authorization, "Basic bWFyaWU6czNjcmV0");
    EXPECT_FALSE(form->CheckIdtfHTTP->isChecked());
}

TEST_F(Updater, ASettingsFileThatCannotBeWrittenIsNotRetriedForEver) {
    fs::create_directories(app / "ProxyUPD.prm");  // neither readable nor writable as a file
    EXPECT_TRUE(Start("http://127.0.0.1:1/"));
    EXPECT_EQ(messages, std::vector<std::string>{kNoConnection});
    EXPECT_EQ(form->Proxy.Host, "");
    // A cut file is rewritten whole from the panel, which holds the fields read before the cut.
    fs::remove(app / "ProxyUPD.prm");
    Write(app / "ProxyUPD.prm", ProxySettingsBytes({true, "relais", "3128", "", ""}).substr(0, 17));
    form->LoadProxySettings();
    EXPECT_TRUE(form->ProxyOupas->isChecked());
    EXPECT_EQ(form->EditProxy->text(), "relais");
    EXPECT_EQ(fs::file_size(app / "ProxyUPD.prm"), ProxySettingsBytes({true, "relais", "", "", ""}).size());
}

TEST_F(Updater, DownloadsWithoutLengthOrAsAnImage) {
    const fs::path package = install.path / "41.zip";
    MakeZip(package, kProductPackage);
    TestServer server;
    OfferVersionSeven(server);
    std::string type = "application/zip";
    server.Http().Get("/Liaison/MajLogIcieL/v0.7/41.zip",
                      [&](const httplib::Request&, httplib::Response& res) {
                          const std::string bytes = ReadBytes(package);
                          res.set_chunked_content_provider(type, [bytes](size_t, httplib::DataSink& sink) {
                              sink.write(bytes.data(), bytes.size());
                              sink.done();
                              return true;
                          });
                      });
    server.Start();
    EXPECT_FALSE(Start(server.Address("/")));
    EXPECT_FALSE(form->ProgressBar1->isVisible());  // no length announced
    EXPECT_EQ(ReadBytes(app / "data" / "x.txt"), "x");

    type = "image/jpeg";
    fs::remove(app / "data" / "x.txt");
    started.clear();
    EXPECT_FALSE(Start(server.Address("/")));
    EXPECT_EQ(form->PackageFileName, "41.jpg");
    EXPECT_EQ(ReadBytes(app / "data" / "x.txt"), "x");
    EXPECT_EQ(started.size(), 1u);
}

TEST_F(Updater, AnErrorPageIsStoredThenBothFailuresAreTold) {
    DataFolder data(ConfigWithUpdater("1.2"));  // no package published
    RunningServer server(data.path);
    EXPECT_TRUE(Start(server.Root()));
    EXPECT_EQ(messages, (std::vector<std::string>{kDownloadFailed, kInstallFailed}));
    EXPECT_EQ(ReadBytes(app / "41.zip"), "no such package\n");  // the answer's body, kept
    EXPECT_TRUE(PanelShown());
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(terminated, 0);
}

TEST_F(Updater, AStalledDownloadIsAbandoned) {
    TestServer server;
    OfferVersionSeven(server);
    server.Http().Get("/Liaison/MajLogIcieL/v0.7/41.zip", [](const httplib::Request&,
                                                             httplib::Response& res) {
        res.set_content_provider(1000, "application/zip", [](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                return false;
            }
            return sink.write("PK\x03\x04", 4);
        });
    });
    server.Start();
    timings.stall = std::chrono::milliseconds(300);
    EXPECT_TRUE(Start(server.Address("/")));
    EXPECT_EQ(messages, (std::vector<std::string>{kDownloadFailed, kInstallFailed}));
    EXPECT_TRUE(PanelShown());
}

TEST_F(Updater, AFileThatCannotBeReplacedStopsTheInstallation) {
    DataFolder data(ConfigWithUpdater("1.2"));
    MakeZip(data.path / "packages" / "v0.7" / "41.zip", kProductPackage);
    RunningServer server(data.path);
    fs::remove(app / "Quenby_Ardentis");
    Write(app / "Quenby_Ardentis" / "occupe", "un dossier là où le programme doit aller");
    EXPECT_TRUE(Start(server.Root()));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find((app / "Quenby_Ardentis").string()), std::string::npos) << messages[0];
    EXPECT_TRUE(PanelShown());
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(terminated, 0);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(Updater, AnUnsafePackageInstallsNothing) {
    DataFolder data(ConfigWithUpdater("1.2"));
    MakeZip(data.path / "packages" / "v0.7" / "41.zip",
            {{"PROGRAM/Quenby_Ardentis", "#!/bin/sh\n", 0100755}, {"PROGRAM/../../../evil.txt", "x"}});
    RunningServer server(data.path);
    EXPECT_TRUE(Start(server.Root()));
    EXPECT_EQ(messages, std::vector<std::string>{kInstallFailed});
    EXPECT_EQ(ReadBytes(app / "Quenby_Ardentis"), "#!/bin/sh\necho 0.6\n");
    EXPECT_FALSE(fs::exists(app / "41"));
    EXPECT_FALSE(fs::exists(install.path / "evil.txt"));
    EXPECT_TRUE(started.empty());
}

TEST_F(Updater, OnlyAPackageSignedWithTheBuildsKeyIsInstalled) {
    DataFolder data(ConfigWithUpdater("1.2"));
    const fs::path package = data.path / "packages" / "v0.7" / "41.zip";
    MakeZip(package, kProductPackage);
    const std::string secret = ReadBytes(QUENBY_DEV_KEY ".key");
    publicKey = ReadBytes(QUENBY_DEV_KEY ".pub");
    publicKey.pop_back();
    ASSERT_EQ(publicKey, UpdatePublicKey);  // the build's own key
    RunningServer server(data.path);

    // Without a signature.
    EXPECT_TRUE(Start(server.Root()));
    EXPECT_EQ(messages, std::vector<std::string>{kNotVerified});
    EXPECT_TRUE(PanelShown());
    EXPECT_FALSE(fs::exists(app / "41.zip"));  // deleted
    EXPECT_FALSE(fs::exists(app / "41"));      // nothing extracted
    EXPECT_EQ(ReadBytes(app / "Quenby_Ardentis"), "#!/bin/sh\necho 0.6\n");

    // Altered after signing.
    Write(package.string() + ".sig", SignFile(package, secret) + "\n");
    std::string bytes = ReadBytes(package);
    bytes[bytes.size() / 2] ^= 1;
    Write(package, bytes);
    messages.clear();
    EXPECT_TRUE(Start(server.Root()));
    EXPECT_EQ(messages, std::vector<std::string>{kNotVerified});
    EXPECT_FALSE(fs::exists(app / "41"));

    // Signed with another key.
    MakeZip(package, kProductPackage);
    Write(package.string() + ".sig", SignFile(package, MakeSigningKeys().secretKey) + "\n");
    messages.clear();
    EXPECT_TRUE(Start(server.Root()));
    EXPECT_EQ(messages, std::vector<std::string>{kNotVerified});

    // Signed.
    Write(package.string() + ".sig", SignFile(package, secret) + "\n");
    messages.clear();
    EXPECT_FALSE(Start(server.Root()));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ReadBytes(app / "Quenby_Ardentis"), "#!/bin/sh\necho 0.7\n");
    EXPECT_EQ(started.size(), 1u);
}

TEST_F(Updater, TheWindow) {
    TForm1 window;
    EXPECT_TRUE(window.windowTitle().startsWith("Logiciel de mise a jour Morvane"));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(0xD1, 0xD1, 0xD1));
    EXPECT_EQ(window.Label2->text(), "V 1.2 ");
    EXPECT_EQ(window.Label2->pos(), QPoint(521, 396));
    EXPECT_EQ(window.LabelEtat->pos(), QPoint(112, 56));
    EXPECT_TRUE(window.LabelEtat->font().bold());
    EXPECT_EQ(window.ProgressBar1->geometry(), QRect(85, 88, 354, 22));
    EXPECT_EQ(window.ProgressBar2->geometry(), QRect(86, 139, 354, 22));
    EXPECT_TRUE(window.DisplayMemo->isHidden());
    EXPECT_EQ(window.pANELGlobProxy->geometry(), QRect(40, 128, 449, 273));
    EXPECT_EQ(window.ProxyOupas->text(), "Utiliser un proxy HTTP");
    EXPECT_EQ(window.PanelPROXY->geometry(), QRect(48, 40, 369, 153));
    EXPECT_EQ(window.EditProxy->geometry(), QRect(99, 11, 169, 21));
    EXPECT_EQ(window.EditPort->geometry(), QRect(99, 35, 169, 21));
    EXPECT_EQ(window.CheckIdtfHTTP->text(), "Identification nécessaire");
    EXPECT_EQ(window.CheckIdtfHTTP->pos(), QPoint(16, 63));
    EXPECT_EQ(window.Panelsock->geometry(), QRect(7, 84, 313, 49));
    EXPECT_EQ(window.utilisateur->pos(), QPoint(96, 2));
    EXPECT_EQ(window.motdepasse->pos(), QPoint(96, 28));
    EXPECT_EQ(window.motdepasse->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(window.IAeverButton1->geometry(), QRect(128, 211, 151, 31));
    EXPECT_TRUE(window.pANELGlobProxy->isHidden());
}
