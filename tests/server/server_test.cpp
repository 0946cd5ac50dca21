// The maker's server: its configuration, its coded replies and its routes, on a port of
// 127.0.0.1.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "engine/windows1252.h"
#include "platform/packagesignature.h"
#include "server/formdecode.h"
#include "server/makerserver.h"
#include "server/publishing.h"
#include "server/serverconfig.h"
#include "server/updatereplies.h"
#include "shell/replycoding.h"
#include "tests/support/makerserverrig.h"

namespace fs = std::filesystem;

namespace {

httplib::Result PostForm(httplib::Client client, const std::string& path, const std::string& body) {
    return client.Post(path.c_str(), body, "application/x-www-form-urlencoded");
}

}  // namespace

TEST(ServerVersions, DottedNumbersComparePartByPart) {
    EXPECT_TRUE(IsNewer(*ParseVersion("0.10"), *ParseVersion("0.9")));
    EXPECT_TRUE(IsNewer(*ParseVersion("0.7"), *ParseVersion("0.6")));
    EXPECT_FALSE(IsNewer(*ParseVersion("0.6"), *ParseVersion("0.6")));
    EXPECT_FALSE(IsNewer(*ParseVersion("0.6"), *ParseVersion("0.6.0")));
    EXPECT_TRUE(IsNewer(*ParseVersion("1.2.1"), *ParseVersion("1.2")));
    EXPECT_FALSE(IsNewer(*ParseVersion("0.05"), *ParseVersion("0.6")));
    for (const char* bad : {"", "0.", ".6", "0..6", "a", "0.6b", "-1", "1234567890"})
        EXPECT_FALSE(ParseVersion(bad)) << bad;
}

TEST(ServerForms, FormValuesAreDecodedToBytes) {
    const auto form = DecodeForm("Usr=marie@x.fr&Msg=%0D%0ABonjour+%E9t%E9%2&vide=&seul&Usr=autre");
    EXPECT_EQ(form.at("Usr"), "marie@x.fr");
    EXPECT_EQ(form.at("Msg"), "\r\nBonjour \xe9t\xe9%2");
    EXPECT_EQ(form.at("vide"), "");
    EXPECT_EQ(form.at("seul"), "");
}

TEST(ServerReplies, TheProductCheckOffersANewerVersion) {
    DataFolder data;
    const ServerConfig config = LoadServerConfig(data.path);
    ReplyReader offer(ProductUpdateReply(config, 41, *ParseVersion("0.6"), {17, 42}));
    const int64_t start = 2 * 17 * 42 + 41;
    ASSERT_EQ(offer.ReadNumber(), 3);
    EXPECT_EQ(offer.ReadNumber(), 1);  // major
    EXPECT_EQ(offer.ReadText(start), "<h1>Version 0.7</h1>");
    EXPECT_EQ(offer.ReadText(start), "");
    EXPECT_EQ(offer.ReadText(start), "<p>Plus rapide.</p>");
    EXPECT_EQ(offer.ReadText(start), "0.7");
    EXPECT_EQ(offer.ReadPos, offer.Bytes().size());

    for (const auto& [produit, version] : {std::pair{41, "0.7"}, {41, "0.10"}, {42, "0.1"}}) {
        ReplyReader none(ProductUpdateReply(config, produit, *ParseVersion(version), {0, 9}));
        EXPECT_EQ(none.ReadNumber(), 0) << produit << " " << version;
        EXPECT_EQ(none.Bytes().size(), 4u);
    }
}

TEST(ServerReplies, TheUpdaterCheckNamesVersionAndFolder) {
    DataFolder data;
    const ServerConfig config = LoadServerConfig(data.path);
    const auto read = [](const std::string& bytes, int produit) {
        ReplyReader reader(bytes);
        const int64_t k = reader.ResponseKey1 * reader.ResponseKey2;
        std::string first = reader.ReadText(produit + 2 * k);
        std::string second = reader.ReadText(produit + 3 * k);
        return std::pair{first, second};
    };
    EXPECT_EQ(read(*UpdateInfoReply(config, 101, *ParseVersion("1.2"), {200, 201}), 101),
              (std::pair<std::string, std::string>{"1.3", "u1.3"}));
    EXPECT_EQ(read(*UpdateInfoReply(config, 101, *ParseVersion("1.3"), {3, 0}), 101),
              (std::pair<std::string, std::string>{"", "u1.3"}));
    EXPECT_EQ(read(*UpdateInfoReply(config, 41, *ParseVersion("0.05"), {255, 255}), 41),
              (std::pair<std::string, std::string>{"0.7", "v0.7"}));
    EXPECT_FALSE(UpdateInfoReply(config, 7, *ParseVersion("1.0"), {1, 1}));
}

TEST(ServerConfiguration, ABadDataFolderNamesTheFileAndTheProblem) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> spoil;
        const char* file;
        const char* problem;
    };
    const Case cases[] = {
        {"no server.json", [](const fs::path& d) { fs::remove(d / "server.json"); }, "server.json",
         "missing"},
        {"not JSON", [](const fs::path& d) { Write(d / "server.json", "{\"product\": "); }, "server.json",
         "not valid JSON"},
        {"no product", [](const fs::path& d) { Write(d / "server.json", "{}"); }, "server.json",
         "has no \"product\""},
        {"missing offer", [](const fs::path& d) { fs::remove(d / "offre.html"); }, "offre.html", "missing"},
        {"missing info", [](const fs::path& d) { fs::remove(d / "info.html"); }, "info.html", "missing"},
        {"offer with ÿ", [](const fs::path& d) { Write(d / "offre.html", "<p>ok</p>\n<p>d\xffner</p>\n"); },
         "offre.html", "line 2 cannot be sent"},
        {"bad version",
         [](const fs::path& d) {
             std::string config = kConfig;
             config.replace(config.find("\"0.7\""), 5, "\"sept\"");
             Write(d / "server.json", config);
         },
         "server.json", "is not a dotted number"},
        {"bad keys",
         [](const fs::path& d) {
             std::string config = kConfig;
             config.replace(config.find("[17, 42]"), 8, "[17, 420]");
             Write(d / "server.json", config);
         },
         "server.json", "keys must be"},
        {"escaping package",
         [](const fs::path& d) {
             std::string config = kConfig;
             config.replace(config.find("\"v0.7\""), 6, "\"../x\"");
             Write(d / "server.json", config);
         },
         "server.json", "one folder name"},
    };
    for (const Case& c : cases) {
        DataFolder data;
        c.spoil(data.path);
        try {
            LoadServerConfig(data.path);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const ConfigError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find((data.path / c.file).string()), std::string::npos)
                << c.what << ": " << message;
            EXPECT_NE(message.find(c.problem), std::string::npos) << c.what << ": " << message;
        }
    }
}

TEST(ServerRoutes, EachEndpointAnswers) {
    DataFolder data;
    RunningServer running(data.path);
    auto result = PostForm(running.Client(), "/update/updateproduit.php", "produit=41&version=0.6");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    ReplyReader offer(result->body);
    EXPECT_EQ(offer.ResponseKey1, 17);
    EXPECT_EQ(offer.ReadNumber(), 3);

    result = PostForm(running.Client(), "/Liaison/MajLogIcieL/updateINFO.php", "produit=101&version=1.2");
    ASSERT_TRUE(result);
    ReplyReader info(result->body);
    EXPECT_EQ(info.ReadText(101 + 2 * 17 * 42), "1.3");

    result = running.Client().Get("/Liaison/ZVQEL/connectINFO.php?IdS=abc&PT2=0.6");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body, "<p>Bienvenue</p>");
    EXPECT_EQ(result->get_header_value("Content-Type"), "text/html");

    result =
        PostForm(running.Client(), "/Liaison/ZVQEL/message.php", "Usr=marie@x.fr&Msg=%0D%0ABonjour+%E9t%E9");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body, "OK");
    const std::vector<StoredMessage> stored = running.messages.All();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].user, "marie@x.fr");
    EXPECT_EQ(stored[0].text, "\r\nBonjour été");
    EXPECT_EQ(stored[0].sender, "127.0.0.1");
    EXPECT_EQ(stored[0].received.size(), 19u);  // 2026-12-11 15:13:24

    EXPECT_TRUE(running.Logged("127.0.0.1 POST /update/updateproduit.php 200"));
    EXPECT_EQ(running.Log(4).size(), 4u);
}

TEST(ServerRoutes, BadInputGetsAClearStatus) {
    DataFolder data;
    RunningServer running(data.path);
    const struct {
        const char* path;
        const char* body;
        int status;
    } cases[] = {
        {"/update/updateproduit.php", "version=0.6", 400},
        {"/update/updateproduit.php", "produit=41", 400},
        {"/update/updateproduit.php", "produit=quarante&version=0.6", 400},
        {"/update/updateproduit.php", "produit=41&version=v6", 400},
        {"/Liaison/MajLogIcieL/updateINFO.php", "produit=101&version=", 400},
        {"/Liaison/MajLogIcieL/updateINFO.php", "produit=7&version=1.0", 404},
        {"/Liaison/ZVQEL/message.php", "Usr=x", 400},
        {"/inconnu.php", "a=b", 404},
    };
    for (const auto& c : cases) {
        const auto result = PostForm(running.Client(), c.path, c.body);
        ASSERT_TRUE(result) << c.path;
        EXPECT_EQ(result->status, c.status) << c.path << " " << c.body;
    }
    const auto big = PostForm(running.Client(), "/Liaison/ZVQEL/message.php",
                              "Usr=x&Msg=" + std::string(MakerServer::MaxRequestBytes, 'a'));
    ASSERT_TRUE(big);
    EXPECT_EQ(big->status, 413);
    EXPECT_TRUE(running.messages.All().empty());
    // The server still answers after all of it.
    EXPECT_EQ(PostForm(running.Client(), "/update/updateproduit.php", "produit=41&version=0.7")->status, 200);
}

TEST(ServerRoutes, MessagesSurviveARestart) {
    DataFolder data;
    {
        RunningServer running(data.path);
        PostForm(running.Client(), "/Liaison/ZVQEL/message.php", "Usr=a&Msg=premier");
        PostForm(running.Client(), "/Liaison/ZVQEL/message.php", "Usr=b&Msg=second");
    }
    RunningServer again(data.path);
    const std::vector<StoredMessage> stored = again.messages.All();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].text, "premier");
    EXPECT_EQ(stored[1].user, "b");
}

TEST(ServerRoutes, PackagesAreServedByteForByteAndNothingElse) {
    DataFolder data;
    std::string package;
    for (int i = 0; i < 300000; ++i) package += static_cast<char>(i * 7 % 256);
    Write(data.path / "packages" / "v0.7" / "41.zip", package);
    Write(data.path / "packages" / "v0.7" / "41.zip.sig", "signature");
    Write(data.path / "secret.zip", "not to be served");
    fs::create_symlink(data.path / "secret.zip", data.path / "packages" / "v0.7" / "lien.zip");
    RunningServer running(data.path);

    auto result = running.Client().Get("/Liaison/MajLogIcieL/v0.7/41.zip");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Length"), std::to_string(package.size()));
    EXPECT_EQ(result->body, package);
    EXPECT_EQ(running.Client().Get("/Liaison/MajLogIcieL/v0.7/41.zip.sig")->body, "signature");

    for (const char* path :
         {"/Liaison/MajLogIcieL/v0.7/../../secret.zip", "/Liaison/MajLogIcieL/%2e%2e/secret.zip",
          "/Liaison/MajLogIcieL/v0.7/%2E%2E/%2E%2E/secret.zip", "/Liaison/MajLogIcieL//etc/passwd",
          "/Liaison/MajLogIcieL/v0.7/lien.zip", "/Liaison/MajLogIcieL/v0.7/absent.zip",
          "/Liaison/MajLogIcieL/server.json"}) {
        httplib::Client client = running.Client();
        const auto refused = client.Get(path);
        ASSERT_TRUE(refused) << path;
        EXPECT_EQ(refused->status, 404) << path;
    }
    EXPECT_FALSE(running.maker.PackageFile("/etc/passwd.zip"));
    EXPECT_FALSE(running.maker.PackageFile("v0.7\\41.zip"));
    EXPECT_TRUE(running.maker.PackageFile("v0.7/41.zip"));
}

TEST(ServerProgram, StartsOnTheDemoDataAndStopsOnSigterm) {
    DataFolder data;
    fs::copy(QUENBY_DEMO, data.path, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    // The server takes a free port and tells it on its first line.
    int errors[2];
    ASSERT_EQ(::pipe(errors), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(errors[1], 2);
        ::execl(QUENBY_SERVER_BIN, QUENBY_SERVER_BIN, "--data", data.path.c_str(), "--listen", "127.0.0.1:0",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    struct Reaper {
        pid_t pid;
        ~Reaper() {
            if (pid <= 0) return;
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    } reaper{child};
    ::close(errors[1]);
    std::string first;
    char c = 0;
    while (::read(errors[0], &c, 1) == 1 && c != '\n') first += c;
    const std::string marker = "listening on http://127.0.0.1:";
    ASSERT_NE(first.find(marker), std::string::npos) << first;
    const int port = std::stoi(first.substr(first.find(marker) + marker.size()));
    std::string reply;
    {
        httplib::Client client("127.0.0.1", port);
        const auto result = client.Post("/update/updateproduit.php", "produit=41&version=0.6",
                                        "application/x-www-form-urlencoded");
        ASSERT_TRUE(result);
        reply = result->body;
    }
    EXPECT_EQ(ReplyReader(reply).ReadNumber(), 0);  // the demo offers no update

    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    reaper.pid = 0;
    ::close(errors[0]);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    // The second configuration of the demo offers 0.7.
    const ServerConfig offer = LoadServerConfig(data.path, data.path / "server-offre.json");
    ReplyReader reader(ProductUpdateReply(offer, 41, *ParseVersion("0.6"), {17, 42}));
    const int lines = reader.ReadNumber();
    EXPECT_GT(lines, 3);
    EXPECT_EQ(reader.ReadNumber(), 0);  // not major
    EXPECT_EQ(reader.ReadText(2 * 17 * 42 + 41), "<html>");
}

TEST(ServerProgram, ABadDataFolderStopsTheServerWithOneLine) {
    DataFolder data;
    fs::remove(data.path / "info.html");
    const std::string command = std::string(QUENBY_SERVER_BIN) + " --data " + data.path.string() + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = ::pclose(pipe);
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(output, "quenby-server: " + (data.path / "info.html").string() + ": missing (named in " +
                          (data.path / "server.json").string() + ")\n");
}

TEST(ServerPublishing, APackageIsStoredSignedAndOffered) {
    DataFolder data;
    TemporaryFolder work;
    const fs::path zip = work.path / "41.zip";
    Write(zip, "PK paquet");
    Write(work.path / "offre.html", "<p>Nouveautés de la 0.8</p>\n");
    const SigningKeys keys = MakeSigningKeys();
    Publish(data.path, {zip, "0.8", false, true, work.path / "offre.html", keys.secretKey});

    const fs::path stored = data.path / "packages" / "v0.8" / "41.zip";
    EXPECT_EQ(ReadBytes(stored), "PK paquet");
    EXPECT_TRUE(VerifyFile(stored, ReadBytes(stored.string() + ".sig"), keys.publicKey));
    const ServerConfig config = LoadServerConfig(data.path);
    EXPECT_EQ(config.product.version, "0.8");
    EXPECT_EQ(config.product.package, "v0.8");
    EXPECT_TRUE(config.product.major);
    EXPECT_EQ(config.product.offerLines, std::vector<std::string>{"<p>Nouveautés de la 0.8</p>"});
    EXPECT_EQ(config.updater.version, "1.3");  // untouched
    EXPECT_EQ(config.keys, (std::pair{17, 42}));

    // The updater's own package, unsigned; a default offer for a product without one.
    Publish(data.path, {zip, "1.4", true, false, std::nullopt, std::nullopt});
    EXPECT_TRUE(fs::exists(data.path / "packages" / "u1.4" / "101.zip"));
    EXPECT_FALSE(fs::exists(data.path / "packages" / "u1.4" / "101.zip.sig"));
    EXPECT_EQ(LoadServerConfig(data.path).updater.package, "u1.4");
    Publish(data.path, {zip, "0.9", false, false, std::nullopt, std::nullopt});
    EXPECT_NE(ReadBytes(data.path / "offre-0.9.html").find("Quenby Ardentis 0.9 est disponible"),
              std::string::npos);
    EXPECT_FALSE(LoadServerConfig(data.path).product.major);
}

TEST(ServerPublishing, ABadPublicationChangesNothing) {
    DataFolder data;
    TemporaryFolder work;
    Write(work.path / "41.zip", "PK");
    const std::string before = ReadBytes(data.path / "server.json");
    EXPECT_THROW(Publish(data.path, {work.path / "41.zip", "sept", false, false, std::nullopt, std::nullopt}),
                 ConfigError);
    EXPECT_THROW(
        Publish(data.path, {work.path / "absent.zip", "0.8", false, false, std::nullopt, std::nullopt}),
        ConfigError);
    Write(work.path / "offre.html", "<p>d\xffner</p>");  // a line the replies cannot carry
    EXPECT_THROW(Publish(data.path,
                         {work.path / "41.zip", "0.8", false, false, work.path / "offre.html", std::nullopt}),
                 ConfigError);
    EXPECT_EQ(ReadBytes(data.path / "server.json"), before);
    EXPECT_FALSE(fs::exists(data.path / "packages" / "v0.8"));
    EXPECT_FALSE(fs::exists(data.path / "server.json.candidate"));
    EXPECT_FALSE(fs::exists(data.path / "offre-0.8.html.candidate"));
    EXPECT_FALSE(fs::exists(data.path / "offre-0.8.html"));
}
