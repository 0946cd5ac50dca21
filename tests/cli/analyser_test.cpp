// quenby-analyse run as a program, on the sample pages and on bad command lines.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include "tests/support/testserver.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the analyser in a folder with the given arguments (each quoted for the shell).
Outcome Analyse(const fs::path& folder, const std::vector<std::string>& args) {
    const fs::path scratch = fs::temp_directory_path() / ("quenby-cli-" + std::to_string(::getpid()));
    fs::create_directories(scratch);
    std::string command =
        "cd '" + folder.string() + "' && env -u http_proxy -u HTTP_PROXY '" QUENBY_ANALYSE_BIN "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " >'" + (scratch / "out").string() + "' 2>'" + (scratch / "err").string() + "'";
    const int raw = std::system(command.c_str());
    Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(scratch / "out"),
                    ReadFile(scratch / "err")};
    fs::remove_all(scratch);
    return outcome;
}

}  // namespace

TEST(Analyser, JsonFiguresOfTheSamplePages) {
    // The expected figures were counted by hand from the two pages.
    const Outcome o = Analyse(
        QUENBY_SAMPLES, {"--json", "--keyword", "hôtel", "hotel-de-la-plage.html", "hotel-les-pins.html"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, ReadFile(fs::path(QUENBY_FIXTURES) / "sample-pages.json"));
    EXPECT_EQ(o.err, "");
}

TEST(Analyser, AnalysesPagesServedOverHttp) {
    TestServer server;
    for (const char* name : {"hotel-de-la-plage.html", "hotel-les-pins.html"}) {
        const std::string page = ReadFile(fs::path(QUENBY_SAMPLES) / name);
        server.Http().Get(std::string("/") + name, [page](const httplib::Request&, httplib::Response& res) {
            res.set_content(page, "text/html");
        });
    }
    server.Start();
    const std::string first = server.Address("/hotel-de-la-plage.html");
    const std::string second = server.Address("/hotel-les-pins.html");
    const std::string missing = server.Address("/absente.html");
    const Outcome o = Analyse(QUENBY_SAMPLES, {"--json", "--keyword", "hôtel", first, second, missing});
    ASSERT_EQ(o.status, 0) << o.err;

    // The same figures as from the files, and a failed fetch reported as such.
    std::string expected = ReadFile(fs::path(QUENBY_FIXTURES) / "sample-pages.json");
    expected.replace(expected.find("\"hotel-de-la-plage.html\""), 24, "\"" + first + "\"");
    expected.replace(expected.find("\"hotel-les-pins.html\""), 21, "\"" + second + "\"");
    EXPECT_EQ(o.out.substr(0, expected.size() - 3), expected.substr(0, expected.size() - 3));
    EXPECT_NE(o.out.find("{\"address\": \"" + missing +
                         "\", \"status_code\": 404, \"error\": \"404 Not Found\", \"truncated\": false, "
                         "\"text_length\": 0, "
                         "\"significant_words\": 0, \"ignored_words\": 0, "),
              std::string::npos)
        << o.out;
}

TEST(Analyser, TextReportOfOnePage) {
    const Outcome o = Analyse(QUENBY_FIXTURES, {"--keep-accents", "--keyword", "café", "cafe.html"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("Page analysé : cafe.html\nMot clé analysé : café\n"), std::string::npos) << o.out;
    EXPECT_NE(
        o.out.find("\nTITLE                      1                 2                 1               50%\n"),
        std::string::npos)
        << o.out;
    EXPECT_NE(
        o.out.find("\nBODY                       1                 3                 2               67%\n"),
        std::string::npos)
        << o.out;
    EXPECT_NE(o.out.find("\nMots clés significatif : 5\nMots clés ignorés : 2\n"
                         "Taille du fichier : 62 octets\nCode retour  : 200\n"),
              std::string::npos)
        << o.out;
}

TEST(Analyser, KeepAccentsShowsInTheJson) {
    const Outcome o =
        Analyse(QUENBY_FIXTURES, {"--json", "--keep-accents", "--keyword", "Café", "cafe.html"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(
        o.out.rfind(
            "{\"keyword\": \"Café\", \"remove_accents\": false, \"pages\": [{\"address\": \"cafe.html\", "
            "\"status_code\": 200, \"error\": null, \"truncated\": false, \"text_length\": 62, ",
            0),
        0u)
        << o.out;
}

TEST(Analyser, BadCommandLines) {
    struct BadCase {
        std::vector<std::string> args;
        const char* problem;
    };
    const BadCase cases[] = {
        {{"cafe.html"}, "no keyword"},
        {{"--keyword", "x"}, "no page"},
        {{"--keyword"}, "needs a text"},
        {{"--keyword", "x", "absent.html"}, "absent.html"},
        {{"--keyword", "x", "."}, "cannot read"},
        {{"--keyword", "x", "cafe.html", "absent.html"}, "absent.html"},
        {{"--colour", "--keyword", "x", "cafe.html"}, "--colour"},
    };
    for (const BadCase& c : cases) {
        const Outcome o = Analyse(QUENBY_FIXTURES, c.args);
        EXPECT_EQ(o.status, 2) << c.problem;
        EXPECT_EQ(o.out, "") << c.problem;  // nothing reported as analysed
        EXPECT_NE(o.err.find(c.problem), std::string::npos) << o.err;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "one line: " << o.err;
    }
}

TEST(Analyser, CsvLinesForSpreadsheetsAndTheErrorOfAPage) {
    TestServer server;
    server.Http().Get("/court.html", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("<TITLE>Cafe, bar</TITLE>\r\n", "text/html");
    });
    server.Start();
    const std::string page = server.Address("/court.html");
    const Outcome o =
        Analyse(QUENBY_FIXTURES, {"--csv", "--keyword", "café", "cafe.html", page, "http://127.0.0.1:1/"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out.rfind("address,status,label,blocks,words,occurrences,density\r\n"
                          "cafe.html,200,TITLE,1,2,1,50\r\ncafe.html,200,H1,0,0,0,\r\n",
                          0),
              0u)
        << o.out;
    EXPECT_NE(o.out.find(page + ",200,TITLE,1,2,1,50\r\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("http://127.0.0.1:1/,0,IMG.alt,0,0,0,\r\n"), std::string::npos) << o.out;
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 1 + 3 * 11);

    const Outcome text = Analyse(QUENBY_FIXTURES, {"--keyword", "café", "http://127.0.0.1:1/"});
    EXPECT_NE(text.out.find("Code retour  : 0\nErreur : Connection refused\n"), std::string::npos)
        << text.out;
    EXPECT_EQ(Analyse(QUENBY_FIXTURES, {"--csv", "--json", "--keyword", "x", "cafe.html"}).status, 2);
}
