// The launcher: its update check against the maker's server, the offer, the start of the
// updater, and the way to the main window whatever the server does.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMessageBox>

#include "shell/productinfo.h"
#include "shell/replycoding.h"
#include "shell/settingsstore.h"
#include "tests/support/guitesting.h"
#include "tests/support/mainwindowrig.h"
#include "tests/support/makerserverrig.h"

namespace {

std::string Config(bool major, const char* keys, const char* version = "0.7") {
    return std::string(R"({"product": {"number": 41, "version": ")") + version + R"(", "major": )" +
           (major ? "true" : "false") +
           R"(, "offer": "offre.html", "package": "v0.7"},
               "updater": {"number": 101, "version": "1.2", "package": "u1.2"},
               "info": "info.html", "keys": )" +
           keys + "}";
}

class Launcher : public ::testing::Test {
protected:
    // Shows the launcher against a server and waits until the check has ended one way or
    // another.
    void StartAgainst(const std::string& root) {
        setenv("QUENBY_SITE_ROOT", root.c_str(), 1);
        launcher.OnTerminate = [this] { ++terminated; };
        launcher.StartProgram = [this](const std::string& program, const std::string& parameters) {
            started.push_back(program + "|" + parameters);
            return true;
        };
        launcher.show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return Ended(); }, 5000));
    }
    void TearDown() override { unsetenv("QUENBY_SITE_ROOT"); }

    bool Ended() const {
        return (program.Interf && program.Interf->isVisible()) || launcher.PanelUPDATE->isVisible() ||
               terminated > 0;
    }
    bool MainWindowShown() const { return program.Interf && program.Interf->isVisible(); }
    fs::path OfferFile() const { return fs::path(rig.folder.filePath("maj.htm").toStdString()); }

    MainWindowRig rig{ProgramTimings{TDatamoduleload::DefaultWatchdog, std::chrono::milliseconds(400)}};
    AnalysisProgram& program = rig.program;
    TFormLaucher& launcher = program.FormLaucher;
    int terminated = 0;
    std::vector<std::string> started;
};

}  // namespace

TEST(LauncherRules, OfferReplyAndUpdaterCommand) {
    EXPECT_EQ(UpdateCheckBody(), "produit=41&version=0.6");
    ReplyWriter writer(0, 7);  // a key of 0: the fields start at 41
    writer.WriteNumber(2);
    writer.WriteNumber(0);
    writer.WriteText("<p>Nouveau</p>", 41);
    writer.WriteText("", 41);
    writer.WriteText("0.7", 41);
    const UpdateOffer offer = ReadUpdateOffer(writer.Bytes());
    EXPECT_TRUE(offer.offered);
    EXPECT_FALSE(offer.major);
    EXPECT_EQ(offer.lines, (std::vector<std::string>{"<p>Nouveau</p>", ""}));
    EXPECT_EQ(OfferPageText(offer), "<html>\r\n<p>Nouveau</p>\r\n\r\n</html>\r\n");
    // Cut anywhere, the reply offers nothing.
    for (size_t cut = 0; cut < writer.Bytes().size(); ++cut)
        EXPECT_FALSE(ReadUpdateOffer(writer.Bytes().substr(0, cut)).offered) << cut;

    EXPECT_EQ(UpdaterFile("/opt/Quenby Ardentis/"), "/opt/Quenby Ardentis/morvaneupdater");
    EXPECT_EQ(UpdaterFile("/opt/q"), "/opt/q/morvaneupdater");
    EXPECT_EQ(UpdaterParameters("/opt/Quenby Ardentis/Quenby_Ardentis"),
              "/opt/Quenby?Ardentis/Quenby_Ardentis 41");
    EXPECT_EQ(UpdaterParameters("C:\\Program Files\\App\\x.exe"), "C:\\Program?Files\\App\\x.exe 41");
}

TEST_F(Launcher, NoUpdateOpensTheMainWindowWithTheLastInputs) {
    DataFolder data(Config(false, "[17, 42]", "0.6"));
    RunningServer server(data.path);
    WriteSetting(program.registry, "U1", "http://www.plage.example/");
    WriteSetting(program.registry, "MC", "h\xf4tel");
    StartAgainst(server.Root());

    ASSERT_TRUE(MainWindowShown());
    EXPECT_FALSE(launcher.isVisible());
    EXPECT_FALSE(launcher.isEnabled());
    EXPECT_FALSE(launcher.PanelUPDATE->isVisible());
    EXPECT_FALSE(fs::exists(OfferFile()));
    AnalysisWorkspace& analysis = *program.Interf->Analysis;
    EXPECT_EQ(analysis.PAGE->text(), "http://www.plage.example/");
    EXPECT_EQ(analysis.PAGE2->text(), "");  // absent: the field is emptied
    EXPECT_EQ(analysis.MC->text(), QString::fromLatin1("h\xf4tel"));
    EXPECT_EQ(program.requests.ServiceRoot, server.Root() + "Liaison/ZVQEL/");
    EXPECT_TRUE(program.Interf->TimerWeb.isActive());
    EXPECT_EQ(program.Interf->TimerWeb.interval(), 50000);
    EXPECT_TRUE(server.Logged("127.0.0.1 POST /update/updateproduit.php 200"));
    EXPECT_TRUE(program.MessForm != nullptr);
}

TEST_F(Launcher, AnOfferIsWrittenAndShown) {
    for (const bool major : {false, true}) {
        for (const char* keys : {"[17, 42]", "[0, 200]"}) {
            SCOPED_TRACE(std::string(major ? "major " : "") + keys);
            MainWindowRig local{ProgramTimings{}};
            TFormLaucher& form = local.program.FormLaucher;
            DataFolder data(Config(major, keys));
            RunningServer server(data.path);
            setenv("QUENBY_SITE_ROOT", server.Root().c_str(), 1);
            form.show();
            ASSERT_TRUE(QTest::qWaitFor([&] { return form.PanelUPDATE->isVisible(); }, 5000));
            EXPECT_EQ(ReadBytes(fs::path(local.folder.filePath("maj.htm").toStdString())),
                      "<html>\r\n<h1>Version 0.7</h1>\r\n\r\n<p>Plus rapide.</p>\r\n</html>\r\n");
            EXPECT_EQ(form.OfferPagePath, fs::path(local.folder.filePath("maj.htm").toStdString()));
            EXPECT_TRUE(form.WebBrowser1->toPlainText().contains("Plus rapide."));
            EXPECT_EQ(form.BouttonPasMAJ->isVisible(), !major);
            EXPECT_EQ(form.LabelMajeure->isVisible(), major);
            EXPECT_TRUE(form.IAeverButton3->isVisible());
            EXPECT_TRUE(form.IAeverButton2->isVisible());
            EXPECT_FALSE(local.program.Interf);
        }
    }
}

TEST_F(Launcher, DecliningAMinorUpdateOpensTheMainWindow) {
    DataFolder data(Config(false, "[3, 4]"));
    RunningServer server(data.path);
    StartAgainst(server.Root());
    ASSERT_TRUE(launcher.PanelUPDATE->isVisible());
    launcher.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&launcher));
    QTest::keyClick(&launcher, Qt::Key_N, Qt::AltModifier);  // "&Ne pas mettre à jour"
    EXPECT_TRUE(MainWindowShown());
    EXPECT_FALSE(launcher.isVisible());
    EXPECT_EQ(terminated, 0);
}

TEST_F(Launcher, UpdatingStartsTheUpdaterAndEndsTheProgram) {
    DataFolder data(Config(true, "[3, 4]"));
    RunningServer server(data.path);
    StartAgainst(server.Root());
    ASSERT_TRUE(launcher.PanelUPDATE->isVisible());
    launcher.ProgramPath = "/opt/Quenby Ardentis/Quenby_Ardentis";
    launcher.ProgramDir = "/opt/Quenby Ardentis/";
    launcher.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&launcher));
    QTest::keyClick(&launcher, Qt::Key_N, Qt::AltModifier);  // a major update cannot be declined
    EXPECT_FALSE(MainWindowShown());
    QTest::keyClick(&launcher, Qt::Key_M, Qt::AltModifier);  // "&Mettre à jour"
    EXPECT_EQ(started, (std::vector<std::string>{
                           "/opt/Quenby Ardentis/morvaneupdater|/opt/Quenby?Ardentis/Quenby_Ardentis 41"}));
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(program.Interf);
}

TEST_F(Launcher, TheUpdaterStartsFromAFolderWithASpace) {
    TemporaryFolder install("quenby-install");
    const fs::path folder = install.path / "Mon Dossier";
    const fs::path record = install.path / "arguments.txt";
    Write(folder / "Quenby_Ardentis", "");
    Write(folder / "morvaneupdater",
          "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" + record.string() + "'\n");
    fs::permissions(folder / "morvaneupdater", fs::perms::owner_all);
    DataFolder data(Config(false, "[3, 4]"));
    RunningServer server(data.path);
    StartAgainst(server.Root());
    launcher.StartProgram = ShellOpen;  // the real start, detached
    launcher.ProgramPath = (folder / "Quenby_Ardentis").string();
    launcher.ProgramDir = folder.string() + "/";
    QTest::mouseClick(launcher.IAeverButton3, Qt::LeftButton);
    EXPECT_EQ(terminated, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ReadBytes(record).find("41\n") != std::string::npos; }, 5000));
    EXPECT_EQ(ReadBytes(record), install.path.string() + "/Mon?Dossier/Quenby_Ardentis\n41\n");
}

TEST_F(Launcher, AnUnreachableServerIsToldThenTheMainWindowOpens) {
    ClosedBox box;
    const auto watch = CloseNextBox(box);
    StartAgainst("http://127.0.0.1:1/");
    EXPECT_TRUE(QTest::qWaitFor([this] { return MainWindowShown(); }, 5000));
    EXPECT_EQ(box.title, "Quenby Ardentis");
    EXPECT_EQ(box.text, "Connection refused");
}

TEST_F(Launcher, AnErrorStatusIsToldLikeAnyFailure) {
    TestServer server;
    server.Http().Post("/update/updateproduit.php",
                       [](const httplib::Request&, httplib::Response& res) { res.status = 500; });
    server.Start();
    ClosedBox box;
    const auto watch = CloseNextBox(box);
    StartAgainst(server.Address("/"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return MainWindowShown(); }, 5000));
    EXPECT_EQ(box.text, "500 Internal Server Error");
}

TEST_F(Launcher, TheGuardOpensTheMainWindowSilently) {
    TestServer server;
    server.Http().Post("/update/updateproduit.php", [](const httplib::Request&, httplib::Response& res) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        res.set_content("late", "text/plain");
    });
    server.Start();
    bool boxShown = false;
    const auto watch = WhenModal([&](QWidget* modal) {
        boxShown = true;
        modal->close();
    });
    StartAgainst(server.Address("/"));
    EXPECT_TRUE(MainWindowShown());
    EXPECT_TRUE(program.requests.RequestTimedOut);
    EXPECT_FALSE(boxShown);
}

TEST_F(Launcher, AShortReplyOffersNothing) {
    TestServer server;
    server.Http().Post("/update/updateproduit.php", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string("\x05\x06\x00\x02\x00\x00\x00\x09<p>", 9), "application/octet-stream");
    });
    server.Start();
    StartAgainst(server.Address("/"));
    EXPECT_TRUE(MainWindowShown());
    EXPECT_FALSE(fs::exists(OfferFile()));
}

TEST_F(Launcher, TheOfferGoesToTheCacheWhenTheWorkingFolderRefusesIt) {
    TemporaryFolder cache("quenby-cache");
    fs::create_directory(OfferFile());  // a folder in the way: the file cannot be written there
    launcher.OfferFolders = {OfferFile().parent_path(), cache.path / "Quenby"};
    DataFolder data(Config(false, "[3, 4]"));
    RunningServer server(data.path);
    StartAgainst(server.Root());
    ASSERT_TRUE(launcher.PanelUPDATE->isVisible());
    EXPECT_EQ(launcher.OfferPagePath, cache.path / "Quenby" / "maj.htm");
    EXPECT_NE(ReadBytes(launcher.OfferPagePath).find("Plus rapide"), std::string::npos);
}

TEST_F(Launcher, AnOfferThatCannotBeWrittenAnywhereEndsTheProgram) {
    fs::create_directory(OfferFile());
    launcher.OfferFolders = {OfferFile().parent_path()};
    DataFolder data(Config(false, "[3, 4]"));
    RunningServer server(data.path);
    QString message;
    const auto watch = WhenModal([&](QWidget* modal) {
        if (auto* form = dynamic_cast<TMessForm*>(modal)) message = form->Memo1->toPlainText();
        static_cast<QDialog*>(modal)->done(1);
    });
    StartAgainst(server.Root());
    EXPECT_EQ(terminated, 1);
    EXPECT_TRUE(message.startsWith("La page de la mise à jour ne peut pas être enregistrée"))
        << message.toStdString();
    EXPECT_FALSE(launcher.PanelUPDATE->isVisible());
    EXPECT_FALSE(program.Interf);
}

TEST_F(Launcher, QuittingDuringTheCheckEndsAtOnce) {
    TestServer server;
    server.Http().Post("/update/updateproduit.php", [](const httplib::Request&, httplib::Response& res) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        res.set_content(std::string("\0\0\0\0", 4), "application/octet-stream");
    });
    server.Start();
    program.requests.TimerHttpReady.setInterval(10000);
    bool boxShown = false;
    const auto watch = WhenModal([&](QWidget* modal) {
        boxShown = true;
        modal->close();
    });
    // The click comes while the check waits for its answer.
    QElapsedTimer sinceClick;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!program.requests.Pending() || sinceClick.isValid()) return;
        sinceClick.start();
        QTest::mouseClick(launcher.IAeverButton2, Qt::LeftButton);
    });
    poll.start(20);
    StartAgainst(server.Address("/"));
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(program.requests.Pending());
    EXPECT_LT(sinceClick.elapsed(), 1000);
    QTest::qWait(50);
    EXPECT_FALSE(boxShown);
    EXPECT_FALSE(program.Interf);
}

TEST_F(Launcher, TheWindow) {
    EXPECT_EQ(launcher.size(), QSize(650, 531));
    EXPECT_TRUE(launcher.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(launcher.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(launcher.LabelTitre->text(), "Quenby Ardentis");
    EXPECT_TRUE(launcher.LabelVersion->text().contains(ProductVersion));
    EXPECT_EQ(launcher.LabelBeta->text(), "VERSION BETA ");
    EXPECT_TRUE(launcher.LabelBeta->font().italic() && launcher.LabelBeta->font().bold());
    EXPECT_EQ(launcher.PanelUPDATE->size(), QSize(613, 441));
    EXPECT_EQ(launcher.WebBrowser1->size(), QSize(582, 337));
    EXPECT_EQ(launcher.LabelMajeure->text(),
              "Cette mise à jour \"majeure\" doit être réalisée.\nCliquez sur \"Mettre à jour\".");
    EXPECT_EQ(launcher.LabelMajeure->geometry().topLeft().x(), launcher.BouttonPasMAJ->x());
    EXPECT_FALSE(launcher.ImageProduit->Picture().isNull());
    EXPECT_FALSE(program.Interf);  // created by the launcher only
}
