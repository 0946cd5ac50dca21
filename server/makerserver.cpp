#include "server/makerserver.h"

#include <cstdio>
#include <fstream>
#include <memory>

#include "engine/windows1252.h"
#include "server/formdecode.h"
#include "shell/serveraddress.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kBinary = "application/octet-stream";

void Refuse(httplib::Response& res, int status, const std::string& why) {
    res.status = status;
    res.set_content(why + "\n", "text/plain");
}

// A product number: 1 to 9 decimal digits.
std::optional<int> NumberOf(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

struct CheckRequest {
    int produit;
    Version version;
};

// produit and version of an update check, or nothing after answering 400.
std::optional<CheckRequest> ReadCheck(const httplib::Request& req, httplib::Response& res) {
    const auto form = DecodeForm(req.body);
    const auto produit = form.find("produit");
    const auto version = form.find("version");
    if (produit == form.end() || version == form.end()) {
        Refuse(res, 400, "produit and version are required");
        return std::nullopt;
    }
    const std::optional<int> number = NumberOf(produit->second);
    const std::optional<Version> parsed = ParseVersion(version->second);
    if (!number || !parsed) {
        Refuse(res, 400, "produit must be a number and version a dotted number");
        return std::nullopt;
    }
    return CheckRequest{*number, *parsed};
}

bool IsPackageName(const std::string& name) {
    const auto endsWith = [&](std::string_view suffix) {
        return name.size() > suffix.size() &&
               name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    return endsWith(".zip") || endsWith(".zip.sig");
}

}  // namespace

MakerServer::MakerServer(ServerConfig config, fs::path dataFolder, MessageStore& messages)
    : config_(std::move(config)),
      packages_(std::move(dataFolder) / "packages"),
      messages_(messages),
      random_(std::random_device{}()) {}

ReplyKeys MakerServer::Keys() {
    if (config_.keys) return {config_.keys->first, config_.keys->second};
    const std::lock_guard<std::mutex> lock(randomMutex_);
    std::uniform_int_distribution<int> key(0, 255);
    return {key(random_), key(random_)};
}

void MakerServer::Install(httplib::Server& server, std::function<void(const std::string&)> log) {
    server.set_payload_max_length(MaxRequestBytes);
    // Idle connections are let go soon, so that stopping the server does not wait for them.
    server.set_keep_alive_timeout(2);
    server.Post("/update/updateproduit.php",
                [this](const httplib::Request& req, httplib::Response& res) { ProductUpdate(req, res); });
    server.Post(std::string("/") + UpdatePath + "updateINFO.php",
                [this](const httplib::Request& req, httplib::Response& res) { UpdateInfo(req, res); });
    server.Post(std::string("/") + ServicePath + "message.php",
                [this](const httplib::Request& req, httplib::Response& res) { Message(req, res); });
    server.Get(std::string("/") + ServicePath + "connectINFO.php",
               [this](const httplib::Request& req, httplib::Response& res) { Information(req, res); });
    server.Get(std::string("/") + UpdatePath + "(.+)",
               [this](const httplib::Request& req, httplib::Response& res) { Package(req, res); });
    server.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        Refuse(res, 500, "internal error");
    });
    if (!log) log = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
    server.set_logger([log](const httplib::Request& req, const httplib::Response& res) {
        log(req.remote_addr + " " + req.method + " " + req.path + " " + std::to_string(res.status));
    });
}

void MakerServer::ProductUpdate(const httplib::Request& req, httplib::Response& res) {
    const std::optional<CheckRequest> check = ReadCheck(req, res);
    if (!check) return;
    res.set_content(ProductUpdateReply(config_, check->produit, check->version, Keys()), kBinary);
}

void MakerServer::UpdateInfo(const httplib::Request& req, httplib::Response& res) {
    const std::optional<CheckRequest> check = ReadCheck(req, res);
    if (!check) return;
    const std::optional<std::string> reply = UpdateInfoReply(config_, check->produit, check->version, Keys());
    if (!reply) return Refuse(res, 404, "no such product");
    res.set_content(*reply, kBinary);
}

void MakerServer::Message(const httplib::Request& req, httplib::Response& res) {
    const auto form = DecodeForm(req.body);
    const auto user = form.find("Usr");
    const auto text = form.find("Msg");
    if (user == form.end() || text == form.end()) return Refuse(res, 400, "Usr and Msg are required");
    // The program sends its text in Windows-1252; the store keeps UTF-8.
    messages_.Add(Windows1252ToUtf8(user->second), req.remote_addr, Windows1252ToUtf8(text->second));
    res.set_content("OK", "text/plain");
}

void MakerServer::Information(const httplib::Request&, httplib::Response& res) {
    res.set_content(config_.infoPage, "text/html");
}

std::optional<fs::path> MakerServer::PackageFile(const std::string& relative) const {
    if (relative.empty() || relative.front() == '/' ||
        relative.find_first_of(std::string("\\:\0", 3)) != std::string::npos)
        return std::nullopt;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos) end = relative.size();
        const std::string segment = relative.substr(start, end - start);
        if (segment.empty() || segment == "." || segment == "..") return std::nullopt;
        start = end + 1;
    }
    if (!IsPackageName(relative)) return std::nullopt;
    std::error_code ec;
    const fs::path root = fs::canonical(packages_, ec);
    if (ec) return std::nullopt;
    // Symbolic links resolved: the file itself must lie below packages/.
    const fs::path file = fs::canonical(packages_ / relative, ec);
    if (ec || !fs::is_regular_file(file, ec)) return std::nullopt;
    const fs::path inside = file.lexically_relative(root);
    if (inside.empty() || *inside.begin() == "..") return std::nullopt;
    return file;
}

void MakerServer::Package(const httplib::Request& req, httplib::Response& res) {
    const std::optional<fs::path> file = PackageFile(req.matches[1]);
    if (!file) return Refuse(res, 404, "no such package");
    std::error_code ec;
    const uintmax_t length = fs::file_size(*file, ec);
    auto in = std::make_shared<std::ifstream>(*file, std::ios::binary);
    if (ec || !*in) return Refuse(res, 404, "no such package");
    res.set_content_provider(static_cast<size_t>(length), kBinary,
                             [in](size_t offset, size_t length, httplib::DataSink& sink) {
                                 char buffer[64 * 1024];
                                 in->seekg(static_cast<std::streamoff>(offset));
                                 const size_t want = std::min(length, sizeof buffer);
                                 in->read(buffer, static_cast<std::streamsize>(want));
                                 const std::streamsize got = in->gcount();
                                 if (got <= 0) return false;
                                 return sink.write(buffer, static_cast<size_t>(got));
                             });
}
