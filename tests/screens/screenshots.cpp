// Renders every screen of the program, offscreen and at its real size, into PNG files: the
// launcher while it checks and with an offer (minor and major), the input panel with the
// information view filled, the waiting panel, the detailed view after a run over two local
// pages (also with the pointer on a density bar and the help panel showing), the comparison
// view for each measure, the URL list window, the contact panel, each kind of message dialog,
// and the updater while it checks, while it downloads and with its proxy panel.

#include <QDir>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "engine/windows1252.h"
#include "shell/Common.h"
#include "tests/support/mainwindowrig.h"
#include "tests/support/makerserverrig.h"
#include "tests/support/testserver.h"
#include "tests/support/ziptesting.h"
#include "updater/Unit1.h"

namespace {

QDir folder;

void Save(QWidget* widget, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name) + ".png");
    widget->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void MoveTo(QWidget* widget, QPoint at) {
    QTest::mouseMove(widget, QPoint(-2, -2));
    QTest::mouseMove(widget, at);
    QApplication::processEvents();
}

void Click(QWidget* widget, QPoint at) {
    MoveTo(widget, at);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
}

// Shows a message (UTF-8 here) of a kind, saves the dialog and closes it.
void SaveDialog(TMessForm& form, const char* message, int kind, const char* name) {
    QTimer::singleShot(200, [&form, name] {
        QApplication::processEvents();
        Save(&form, name);
        form.done(1);
    });
    ShowMessageDialog(&form, Utf8ToWindows1252Lossy(message), kind);
}

// The demo data of the maker's server, offering 0.7 (major or not).
void DemoData(const fs::path& folder, bool major) {
    fs::copy(QUENBY_DEMO, folder, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    std::string config = ReadBytes(folder / "server-offre.json");
    if (major) config.replace(config.find("\"major\": false"), 14, "\"major\": true");
    Write(folder / "server.json", config);
}

// The launcher against a server: while its check waits, then with the offer.
void SaveLauncher(bool major, const char* checking, const char* offer) {
    TemporaryFolder data("quenby-screens");
    DemoData(data.path, major);
    RunningServer server(data.path);
    MainWindowRig rig;
    TFormLaucher& launcher = rig.program.FormLaucher;
    setenv("QUENBY_SITE_ROOT", server.Root().c_str(), 1);
    if (checking != nullptr) {
        server.server.Http().set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
            return httplib::Server::HandlerResponse::Unhandled;
        });
        QTimer::singleShot(800, [&] { Save(&launcher, checking); });
    }
    launcher.show();
    if (!QTest::qWaitFor([&] { return launcher.PanelUPDATE->isVisible(); }, 10000))
        std::fprintf(stderr, "the launcher shows no offer\n");
    QTest::qWait(100);
    Save(&launcher, offer);
    unsetenv("QUENBY_SITE_ROOT");
}

// The updater against a server that answers slowly: while it checks, while it downloads, and
// with its proxy panel after a failure.
void SaveUpdater() {
    TemporaryFolder install("quenby-screens");
    const fs::path app = install.path / "Quenby Ardentis";
    Write(app / "Quenby_Ardentis", "");
    const fs::path package = install.path / "41.zip";
    std::string filler;
    for (int i = 0; i < 200000; ++i) filler += static_cast<char>(i * 37 % 251);
    MakeZip(package, {{"PROGRAM/Quenby_Ardentis", "#!/bin/sh\n", 0100755},
                      {"PROGRAM/data.bin", filler, 0100644, true}});
    const std::string bytes = ReadBytes(package);

    TestServer server;
    server.Http().Post("/Liaison/MajLogIcieL/updateINFO.php",
                       [](const httplib::Request& req, httplib::Response& res) {
                           std::this_thread::sleep_for(std::chrono::milliseconds(500));
                           const bool self = req.body.find("produit=101") != std::string::npos;
                           const int64_t number = self ? 101 : 41;
                           ReplyWriter writer(3, 5);
                           writer.WriteText(self ? "" : "0.7", number + 30);
                           writer.WriteText(self ? "u1.2" : "v0.7", number + 45);
                           res.set_content(writer.Bytes(), "application/octet-stream");
                       });
    server.Http().Get(
        "/Liaison/MajLogIcieL/v0.7/41.zip", [&bytes](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(
                bytes.size(), "application/zip", [&bytes](size_t offset, size_t, httplib::DataSink& sink) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    const size_t block = std::min<size_t>(16 * 1024, bytes.size() - offset);
                    return sink.write(bytes.data() + offset, block);
                });
        });
    server.Start();
    const QString previous = QDir::currentPath();
    setenv("QUENBY_SITE_ROOT", server.Address("/").c_str(), 1);
    {
        TForm1 form;
        form.ShowMessage = [](const std::string&) {};
        form.StartProgram = [](const std::string&, const std::string&) { return true; };
        form.OnTerminate = [] {};
        QTimer::singleShot(300, [&] { Save(&form, "19-mise-a-jour-verification"); });
        QTimer::singleShot(1800, [&] { Save(&form, "20-mise-a-jour-telechargement"); });
        form.FormCreate({(app / "Quenby_Ardentis").string(), "41"});
    }
    {
        Write(app / "ProxyUPD.prm", ProxySettingsBytes({true, "relais.example", "3128", "", ""}));
        setenv("QUENBY_SITE_ROOT", "http://127.0.0.1:1/", 1);
        TForm1 form;
        form.ShowMessage = [](const std::string&) {};
        form.FormCreate({(app / "Quenby_Ardentis").string(), "41"});
        QApplication::processEvents();
        Save(&form, "21-mise-a-jour-proxy");
    }
    unsetenv("QUENBY_SITE_ROOT");
    QDir::setCurrent(previous);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application application(argc, argv);
    Application::SetName(QStringLiteral("Quenby Ardentis"));
    folder.setPath(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    QDir().mkpath(folder.path());

    TestServer server;
    for (const char* name : {"hotel-de-la-plage.html", "hotel-les-pins.html"}) {
        const std::string page = ReadFile(std::string(QUENBY_SAMPLES "/") + name);
        server.Http().Get(std::string("/") + name, [page](const httplib::Request&, httplib::Response& res) {
            res.set_content(page, "text/html");
        });
    }
    server.Stall("/lente.html");
    server.Start();

    SaveLauncher(false, "15-lanceur-verification", "16-lanceur-offre");
    SaveLauncher(true, nullptr, "17-lanceur-offre-majeure");
    SaveUpdater();

    TemporaryFolder demo("quenby-screens");
    DemoData(demo.path, false);
    RunningServer maker(demo.path);

    MainWindowRig rig(std::chrono::milliseconds(1500));
    rig.program.requests.SetRoots(maker.Root());
    TInterf& window = rig.Open();
    window.TimerWebTimer();
    if (!QTest::qWaitFor([&] { return !window.WebPUB->toPlainText().isEmpty(); }, 5000))
        std::fprintf(stderr, "the information view stays empty\n");
    AnalysisWorkspace& analysis = *window.Analysis;
    analysis.PAGE->setText(QString::fromStdString(server.Address("/hotel-de-la-plage.html")));
    analysis.PAGE2->setText(QString::fromStdString(server.Address("/hotel-les-pins.html")));
    analysis.MC->setText(QStringLiteral("hôtel"));
    Save(&window, "01-saisie");

    // The waiting panel, during a run whose first page never answers.
    const QString second = analysis.PAGE2->text();
    analysis.PAGE2->setText(QString::fromStdString(server.Address("/lente.html")));
    QTimer::singleShot(500, [&] { Save(&window, "02-attente"); });
    QTest::mouseClick(analysis.ButtonLancer, Qt::LeftButton);
    Click(window.ImageBas, window.BottomEntryRects.at(0).Rect.center());  // "Nouvelle analyse"
    analysis.PAGE2->setText(second);
    analysis.MC->setText(QStringLiteral("hôtel"));

    QTest::mouseClick(analysis.ButtonLancer, Qt::LeftButton);
    QApplication::processEvents();
    Save(&window, "03-tableau-detaille");

    DetailedView& detail = *analysis.Detail;
    const QRectF bar = detail.Chartsimpledensite->BarRect(0, 0);
    MoveTo(detail.Chartsimpledensite,
           QPoint(static_cast<int>(bar.center().x()), static_cast<int>(bar.bottom()) - 2));
    Save(&window, "04-tableau-detaille-densite-aide");
    MoveTo(detail.LabelCodeRetour, QPoint(2, 2));
    Save(&window, "05-tableau-detaille-code-retour");
    MoveTo(detail.AdvResult, detail.AdvResult->CellRect(0, 8).center());  // row "A": the longest help
    Save(&window, "05b-tableau-detaille-aide-longue");

    Click(window.MenuHaut, window.TopEntryRects.at(1).Rect.center());  // "Tableau comparatif"
    const char* measures[] = {"06-comparatif-blocs", "07-comparatif-mots", "08-comparatif-occurences",
                              "09-comparatif-densite"};
    QListWidget* list = analysis.Comparison->Listcomparatif;
    for (int k = 0; k < 4; ++k) {
        Click(list->viewport(), list->visualItemRect(list->item(k)).center());
        if (k == 1) {
            const QRectF share = analysis.Comparison->ChartAdvcomparatif->BarRect(1, 4);
            MoveTo(analysis.Comparison->ChartAdvcomparatif, share.center().toPoint());
        }
        Save(&window, measures[k]);
    }
    MoveTo(analysis.Comparison->AdvComparatif, analysis.Comparison->AdvComparatif->CellRect(2, 3).center());
    Save(&rig.formURL, "10-liste-des-urls");

    Click(window.ImageBas, window.BottomEntryRects.at(0).Rect.center());  // "Nouvelle analyse"
    Click(window.MenuHaut, window.TopEntryRects.at(1).Rect.center());     // "Nous contacter"
    window.PanelContact->Memomsg->setPlainText(
        QStringLiteral("Bonjour,\n\nPourriez-vous ajouter l'analyse des balises H6 ?\n\nMerci, Marie"));
    Save(&window, "18-contact");

    SaveDialog(rig.messForm, "Le fichier \"maj.htm\" ne peut pas être écrit.", mkMessage, "11-message");
    SaveDialog(rig.messForm, "Voulez-vous vraiment quitter Quenby Ardentis ?", mkConfirm, "12-confirmation");
    SaveDialog(rig.messForm, "Votre adresse électronique :", mkInput, "13-saisie");
    SaveDialog(
        rig.messForm,
        "Une ligne assez longue pour que la zone de texte la coupe en deux morceaux, afin de voir la hauteur "
        "suivre.\r\nEt une deuxième ligne.",
        mkConfirmAlt, "14-confirmation-longue");
    return 0;
}
