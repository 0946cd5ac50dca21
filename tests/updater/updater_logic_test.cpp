// What the updater decides without its window: the command line, the check replies, the
// settings file, the package names, the archive checks and the installation.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/ziparchive.h"
#include "shell/replycoding.h"
#include "tests/support/files.h"
#include "tests/support/ziptesting.h"
#include "updater/ScruteFichiers.h"
#include "updater/UnitTrelvoCrypto.h"
#include "updater/installation.h"
#include "updater/packagedownload.h"
#include "updater/proxysettingsfile.h"
#include "updater/updatercheck.h"

TEST(UpdaterCommandLine, ArgumentsAndTheirProblems) {
    const auto command = std::get<UpdaterCommand>(ReadUpdaterCommand({"/opt/Mon?App/Quenby_Ardentis", "41"}));
    EXPECT_EQ(command.ProgramPath, "/opt/Mon App/Quenby_Ardentis");
    EXPECT_EQ(command.ProgramFolder, "/opt/Mon App");
    EXPECT_EQ(command.ProductNumber, "41");
    EXPECT_EQ(command.productNumber, 41);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"/opt/q/prog"}, {"", "41"}, {"/opt/q/prog", ""}}) {
        EXPECT_TRUE(std::holds_alternative<EndSilently>(ReadUpdaterCommand(args))) << args.size();
    }
    for (const char* number : {"quarante", "4 1", "-41", "41a", "1234567890"}) {
        const auto outcome = ReadUpdaterCommand({"/opt/q/prog", number});
        ASSERT_TRUE(std::holds_alternative<CommandProblem>(outcome)) << number;
        EXPECT_NE(std::get<CommandProblem>(outcome).message.find(number), std::string::npos);
    }
    const auto noFolder = ReadUpdaterCommand({"prog", "41"});
    ASSERT_TRUE(std::holds_alternative<CommandProblem>(noFolder));
    EXPECT_NE(std::get<CommandProblem>(noFolder).message.find("ne désigne pas de dossier"),
              std::string::npos);
}

TEST(UpdaterCheck, BodiesRepliesAndStartValues) {
    EXPECT_EQ(SelfCheckBody(), "produit=101&version=1.2");
    EXPECT_EQ(ProductCheckBody("41"), "produit=41&version=0.05");
    EXPECT_EQ(PackageAddress("http://h/Liaison/MajLogIcieL/", "v0.7", "41.zip"),
              "http://h/Liaison/MajLogIcieL/v0.7/41.zip");
    for (const auto& [key1, key2] : {std::pair{0, 0}, {17, 42}, {255, 255}}) {
        ReplyWriter writer(key1, key2);
        const int64_t k = static_cast<int64_t>(key1) * key2;
        writer.WriteText("1.3", 101 + 2 * k);
        writer.WriteText("u1.3", 101 + 3 * k);
        const CheckFields fields = ReadCheckReply(writer.Bytes(), 101);
        EXPECT_EQ(fields.field1, "1.3");
        EXPECT_EQ(fields.field2, "u1.3");
        for (size_t cut = 0; cut < writer.Bytes().size(); ++cut)
            EXPECT_THROW(ReadCheckReply(writer.Bytes().substr(0, cut), 101), ShortReply) << cut;
    }
    // A field length of 1, 0 is 255 bytes.
    ReplyWriter writer(1, 1);
    const std::string folder(255, 'v');
    writer.WriteText("", 43);
    writer.WriteText(folder, 44);
    EXPECT_EQ(writer.Bytes().substr(4, 2), std::string("\x01\x00", 2));
    EXPECT_EQ(ReadCheckReply(writer.Bytes(), 41).field2, folder);
}

TEST(UpdaterSettingsFile, LayoutAndRoundTrip) {
    const std::string fresh = ProxySettingsBytes({});
    ASSERT_EQ(fresh.size(), 19u);
    EXPECT_EQ(fresh.substr(0, 3), std::string("\0\0\4", 3));
    EXPECT_EQ(fresh.substr(7), std::string(12, '\0'));
    EXPECT_EQ(UnscrambleText(fresh.substr(3, 4), FieldStartValues[0]), "FAUX");

    const ProxyPanelValues values{true, "relais.example", "3128", "H\xe9l\xe8ne", std::string(255, 'p')};
    const std::string bytes = ProxySettingsBytes(values);
    const ProxySettingsRead read = ReadProxySettingsBytes(bytes);
    ASSERT_TRUE(read.complete);
    EXPECT_EQ(*read.fields[0], "VRAI");
    EXPECT_EQ(*read.fields[1], "relais.example");
    EXPECT_EQ(*read.fields[3], "H\xe9l\xe8ne");
    EXPECT_EQ(*read.fields[4], std::string(255, 'p'));
    EXPECT_EQ(ScrambleField(std::string(255, 'x'), 7).substr(0, 3), std::string("\0\1\0", 3));
    // The same text scrambles differently in two fields.
    EXPECT_NE(ScrambleField("abc", FieldStartValues[1]), ScrambleField("abc", FieldStartValues[2]));

    // Cut anywhere, the fields before the cut are still read.
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        const ProxySettingsRead partial = ReadProxySettingsBytes(bytes.substr(0, cut));
        EXPECT_FALSE(partial.complete) << cut;
        EXPECT_EQ(partial.fields[0].has_value(), cut >= 7) << cut;
    }
    // A field claiming more than 255 characters is not believed.
    EXPECT_FALSE(ReadProxySettingsBytes(std::string("\0\1\1", 3) + std::string(300, 'x')).complete);
}

TEST(UpdaterSettingsFile, TheFileIsTheOwnersOnly) {
    TemporaryFolder folder;
    const fs::path file = folder.path / ProxySettingsFileName;
    Write(file, "ancien contenu plus long que le nouveau fichier");
    ::chmod(file.c_str(), 0644);
    ASSERT_TRUE(WriteProxySettingsFile(file, {false, "h", "1", "u", "secret"}));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(*ReadProxySettingsFile(file), ProxySettingsBytes({false, "h", "1", "u", "secret"}));
    EXPECT_FALSE(WriteProxySettingsFile(folder.path / "absent" / ProxySettingsFileName, {}));
    EXPECT_FALSE(ReadProxySettingsFile(folder.path / "absent.prm"));
}

TEST(UpdaterDownload, PackageNamesAndAnnouncedLengths) {
    const struct {
        const char* document;
        const char* type;
        const char* name;
    } names[] = {
        {"41.zip", "application/zip", "41.zip"}, {"41.zip", "image/jpeg", "41.jpg"},
        {"41.zip", "image/gif", "41.gif"},       {"41.zip", "image/bmp", "41.bmp"},
        {"paquet", "image/jpeg", "paquet.jpg"},  {"41.zip", "image/jpeg; x", "41.zip"},
        {"", "text/html", "HttpTst.htm"},        {"..", "text/html", "HttpTst.htm"},
        {"a\\b.zip", "", "HttpTst.htm"},
    };
    for (const auto& n : names) EXPECT_EQ(PackageFileNameFor(n.document, n.type), n.name) << n.document;

    EXPECT_EQ(ContentLengthOf({"Content-Type: application/zip", "Content-Length: 5120"}), 5120u);
    EXPECT_EQ(ContentLengthOf({"CONTENT-LENGTH: 5120"}), 5120u);
    EXPECT_EQ(ContentLengthOf({"CONTENT-LENGTH:5120"}), 5120u);  // the number the server sent
    EXPECT_EQ(ContentLengthOf({"content-length:   77  "}), 77u);
    EXPECT_EQ(ContentLengthOf({"Content-Length: 10", "Content-Length: 20"}), 20u);
    EXPECT_EQ(ContentLengthOf({"Content-Type: text/html"}), std::nullopt);
    EXPECT_EQ(ContentLengthOf({"Content-Length: douze"}), std::nullopt);
    EXPECT_EQ(ContentLengthOf({"Content-Length: -5"}), std::nullopt);
}

TEST(UpdaterArchives, EntryNamesThatStayInsideTheFolder) {
    const std::pair<const char*, const char*> safe[] = {
        {"PROGRAM/Quenby_Ardentis", "PROGRAM/Quenby_Ardentis"},
        {"PROGRAM\\data\\x.txt", "PROGRAM/data/x.txt"},
        {"./a//b/", "a/b"},
        {"readme.txt", "readme.txt"},
        {"a/.../b", "a/.../b"},
    };
    for (const auto& [name, path] : safe) {
        ASSERT_TRUE(SafeEntryPath(name)) << name;
        EXPECT_EQ(SafeEntryPath(name)->generic_string(), path) << name;
    }
    for (const char* name :
         {"", "/etc/passwd", "\\x", "../x", "a/../../x", "a\\..\\x", "C:/x", "c:x", "./", "a/.."})
        EXPECT_FALSE(SafeEntryPath(name)) << name;
}

TEST(UpdaterArchives, UnsafeOrDamagedArchivesAreRefusedBeforeAnythingIsWritten) {
    TemporaryFolder folder;
    const fs::path target = folder.path / "41";
    const ZipEntry good{"PROGRAM/a.txt", "bonjour", 0100644};
    struct Case {
        const char* what;
        std::vector<ZipEntry> entries;
    };
    const Case cases[] = {
        {"absolute", {good, {"/tmp/quenby-evil.txt", "x"}}},
        {"dot dot", {good, {"PROGRAM/../../evil.txt", "x"}}},
        {"drive letter", {good, {"C:/evil.txt", "x"}}},
        {"symbolic link", {good, {"PROGRAM/lien", "/etc/passwd", 0120777}}},
    };
    for (const Case& c : cases) {
        const fs::path archive = folder.path / (std::string(c.what) + ".zip");
        MakeZip(archive, c.entries);
        EXPECT_THROW(ExtractPackage(archive, target), ExtractionError) << c.what;
        EXPECT_FALSE(fs::exists(target)) << c.what;
        EXPECT_TRUE(fs::exists(archive)) << c.what;  // kept after a failure
    }
    EXPECT_FALSE(fs::exists("/tmp/quenby-evil.txt"));
    EXPECT_FALSE(fs::exists(folder.path / "evil.txt"));

    // Damaged: a byte changed in stored data, a cut file, an error page, nothing at all.
    const fs::path damaged = folder.path / "damaged.zip";
    MakeZip(damaged, {good, {"PROGRAM/b.txt", "donnees assez longues pour les retrouver", 0100644, true}});
    std::string bytes = ReadBytes(damaged);
    bytes[bytes.find("donnees") + 3] ^= 0x20;
    Write(damaged, bytes);
    const fs::path cut = folder.path / "cut.zip";
    MakeZip(cut, {good, {"PROGRAM/c.txt", std::string(5000, 'c')}});
    Write(cut, ReadBytes(cut).substr(0, ReadBytes(cut).size() / 2));
    const fs::path page = folder.path / "page.zip";
    Write(page, "<html><body>404 Not Found</body></html>");
    for (const fs::path& archive : {damaged, cut, page, folder.path / "absent.zip"}) {
        EXPECT_THROW(ExtractPackage(archive, target), ExtractionError) << archive;
        EXPECT_FALSE(fs::exists(target / "PROGRAM" / "a.txt")) << archive;
    }
}

TEST(UpdaterArchives, ExtractionKeepsPathsAndPermissions) {
    TemporaryFolder folder;
    const fs::path archive = folder.path / "41.zip";
    MakeZip(archive, {{"PROGRAM/", "", 040755},
                      {"PROGRAM/Quenby_Ardentis", "#!/bin/sh\n", 0100755},
                      {"PROGRAM/data/x.txt", "x", 0100640},
                      {"readme.txt", "lisez-moi", 0100644}});
    Write(folder.path / "41" / "readme.txt", "ancien");
    ExtractPackage(archive, folder.path / "41");
    EXPECT_FALSE(fs::exists(archive));
    EXPECT_EQ(ReadBytes(folder.path / "41" / "readme.txt"), "lisez-moi");  // overwritten
    EXPECT_EQ(fs::status(folder.path / "41" / "PROGRAM" / "Quenby_Ardentis").permissions(),
              static_cast<fs::perms>(0755));
    EXPECT_EQ(fs::status(folder.path / "41" / "PROGRAM" / "data" / "x.txt").permissions(),
              static_cast<fs::perms>(0640));

    // A link already in the extraction folder does not lead an entry outside it.
    TemporaryFolder outside;
    fs::remove_all(folder.path / "41" / "PROGRAM");
    fs::create_directory_symlink(outside.path, folder.path / "41" / "PROGRAM");
    MakeZip(archive, {{"PROGRAM/x.txt", "x"}});
    EXPECT_THROW(ExtractPackage(archive, folder.path / "41"), ExtractionError);
    EXPECT_FALSE(fs::exists(outside.path / "x.txt"));

    // An archive that unpacks to more than allowed.
    MakeZip(archive, {{"PROGRAM/big.bin", std::string(3000, 'z')}});
    EXPECT_THROW(ExtractArchive(archive, folder.path / "big", 2000), ArchiveError);
}

TEST(UpdaterInstallation, FilesBeforeFoldersAndEachFolderBeforeItsContent) {
    TemporaryFolder folder;
    Write(folder.path / "b.txt", "b");
    Write(folder.path / "a.txt", "a");
    Write(folder.path / "sous" / "c.txt", "c");
    Write(folder.path / "sous" / "profond" / "d.txt", "d");
    Write(folder.path / "autre" / "e.txt", "e");
    std::vector<std::string> seen;
    FolderWalk walk;
    const std::string root = folder.path.string();
    walk.FileAction = [&](const std::string& path) { seen.push_back("F " + path.substr(root.size())); };
    walk.FolderAction = [&](const std::string& path) { seen.push_back("D " + path.substr(root.size())); };
    walk.WalkFolder(root + "/", "*.*", true);
    EXPECT_EQ(seen, (std::vector<std::string>{"F /a.txt", "F /b.txt", "D /autre", "F /autre/e.txt", "D /sous",
                                              "F /sous/c.txt", "D /sous/profond", "F /sous/profond/d.txt"}));
}

TEST(UpdaterInstallation, ThePackagesProgramFolderGoesOverTheProduct) {
    TemporaryFolder folder;
    const fs::path app = folder.path / "App";
    Write(app / "Quenby_Ardentis", "ancien");
    Write(app / "garde.txt", "pas dans le paquet");
    MakeZip(app / "41.zip", {{"PROGRAM/Quenby_Ardentis", "#!/bin/sh\necho nouveau\n", 0100755},
                             {"PROGRAM/data/x.txt", "x"},
                             {"readme.txt", "lisez-moi"}});
    ExtractPackage(app / "41.zip", app / "41");
    Installer installer(app / "41" / "PROGRAM", app);
    installer.InstallAll([] {});
    EXPECT_EQ(ReadBytes(app / "Quenby_Ardentis"), "#!/bin/sh\necho nouveau\n");
    EXPECT_EQ(fs::status(app / "Quenby_Ardentis").permissions(), static_cast<fs::perms>(0755));
    EXPECT_EQ(ReadBytes(app / "data" / "x.txt"), "x");
    EXPECT_FALSE(fs::exists(app / "readme.txt"));
    EXPECT_EQ(ReadBytes(app / "garde.txt"), "pas dans le paquet");
    EXPECT_TRUE(fs::exists(app / "41" / "readme.txt"));  // the extraction folder stays
    // No temporary file is left beside the installed ones.
    for (const auto& entry : fs::recursive_directory_iterator(app))
        EXPECT_EQ(entry.path().filename().string().find(".maj"), std::string::npos) << entry.path();

    // Without a PROGRAM folder nothing is copied, and nothing fails.
    Installer empty(app / "absent" / "PROGRAM", app);
    EXPECT_NO_THROW(empty.InstallAll([] {}));
}

TEST(UpdaterInstallation, AFileThatCannotBeReplacedIsRetriedThenReported) {
    TemporaryFolder folder;
    Write(folder.path / "source" / "prog", "nouveau");
    Write(folder.path / "cible" / "prog" / "occupe.txt", "un dossier est là où le fichier doit aller");
    Installer installer(folder.path / "source", folder.path / "cible");
    int waits = 0;
    installer.Wait = [&](std::chrono::milliseconds delay) {
        EXPECT_EQ(delay, std::chrono::milliseconds(500));
        ++waits;
    };
    try {
        installer.InstallAll([] {});
        FAIL() << "installed";
    } catch (const InstallError& e) {
        EXPECT_EQ(e.Target(), folder.path / "cible" / "prog");
    }
    EXPECT_EQ(waits, 4);  // five tries
    EXPECT_TRUE(fs::is_directory(folder.path / "cible" / "prog"));
}
