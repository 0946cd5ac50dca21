#include "server/serverconfig.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "shell/replycoding.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

std::string ReadFileBounded(const fs::path& file, const fs::path& namedIn) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        throw ConfigError(file, "missing (named in " + namedIn.string() + ")");
    if (fs::file_size(file, ec) > MaxPageBytes)
        throw ConfigError(file, "larger than " + std::to_string(MaxPageBytes) + " bytes");
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) throw ConfigError(file, "cannot be read");
    return bytes;
}

const json& Member(const json& object, const char* name, const fs::path& file, const std::string& where) {
    if (!object.is_object() || !object.contains(name))
        throw ConfigError(file, where + " has no \"" + name + "\"");
    return object.at(name);
}

int Number(const json& object, const char* name, const fs::path& file, const std::string& where) {
    const json& value = Member(object, name, file, where);
    if (!value.is_number_integer() || value.get<long long>() < 1 || value.get<long long>() > MaxReplyNumber)
        throw ConfigError(file, where + "." + name + " must be a whole number from 1 to 65280");
    return value.get<int>();
}

std::string Text(const json& object, const char* name, const fs::path& file, const std::string& where) {
    const json& value = Member(object, name, file, where);
    if (!value.is_string() || value.get<std::string>().empty())
        throw ConfigError(file, where + "." + name + " must be a non-empty text");
    return value.get<std::string>();
}

Version VersionOf(const std::string& text, const fs::path& file, const std::string& where) {
    const std::optional<Version> version = ParseVersion(text);
    if (!version) throw ConfigError(file, where + ".version \"" + text + "\" is not a dotted number");
    return *version;
}

// A package folder is one plain name below packages/.
std::string PackageOf(const json& object, const fs::path& file, const std::string& where) {
    std::string package = Text(object, "package", file, where);
    if (package == "." || package == ".." || package.find_first_of("/\\:") != std::string::npos)
        throw ConfigError(file, where + ".package must be one folder name");
    return package;
}

// Every text a reply carries must survive the scrambling, whatever the keys.
void CheckEncodable(const std::string& text, const fs::path& file, const std::string& what) {
    try {
        ReplyWriter probe(0, 0);
        probe.WriteText(text, 1);
    } catch (const std::exception& e) {
        throw ConfigError(file, what + " cannot be sent: " + e.what());
    }
}

}  // namespace

std::vector<std::string> PageLines(const std::string& page) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < page.size()) {
        size_t end = page.find('\n', start);
        if (end == std::string::npos) end = page.size();
        std::string line = page.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

ServerConfig LoadServerConfig(const fs::path& dataFolder, const fs::path& configFile) {
    const fs::path file = configFile.empty() ? dataFolder / "server.json" : configFile;
    json root;
    {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) throw ConfigError(file, "missing");
        std::ifstream in(file);
        try {
            root = json::parse(in);
        } catch (const json::exception& e) {
            throw ConfigError(file, std::string("not valid JSON: ") + e.what());
        }
    }
    if (!root.is_object()) throw ConfigError(file, "must hold a JSON object");

    ServerConfig config;
    const json& product = Member(root, "product", file, "the configuration");
    config.product.number = Number(product, "number", file, "product");
    config.product.version = Text(product, "version", file, "product");
    config.product.parsedVersion = VersionOf(config.product.version, file, "product");
    if (product.contains("major")) {
        if (!product.at("major").is_boolean()) throw ConfigError(file, "product.major must be true or false");
        config.product.major = product.at("major").get<bool>();
    }
    config.product.package = PackageOf(product, file, "product");
    const fs::path offer = dataFolder / Text(product, "offer", file, "product");
    config.product.offerLines = PageLines(ReadFileBounded(offer, file));
    if (config.product.offerLines.empty())
        throw ConfigError(offer, "empty: an offer needs at least one line");
    if (config.product.offerLines.size() > static_cast<size_t>(MaxReplyNumber))
        throw ConfigError(offer, "more than 65280 lines");
    for (size_t i = 0; i < config.product.offerLines.size(); ++i)
        CheckEncodable(config.product.offerLines[i], offer, "line " + std::to_string(i + 1));

    const json& updater = Member(root, "updater", file, "the configuration");
    config.updater.number = Number(updater, "number", file, "updater");
    config.updater.version = Text(updater, "version", file, "updater");
    config.updater.parsedVersion = VersionOf(config.updater.version, file, "updater");
    config.updater.package = PackageOf(updater, file, "updater");
    if (config.updater.number == config.product.number)
        throw ConfigError(file, "product and updater must have different numbers");

    for (const std::string* text : {&config.product.version, &config.product.package, &config.updater.version,
                                    &config.updater.package}) {
        CheckEncodable(*text, file, "\"" + *text + "\"");
    }

    config.infoPage = ReadFileBounded(dataFolder / Text(root, "info", file, "the configuration"), file);

    if (root.contains("keys")) {
        const json& keys = root.at("keys");
        const auto isKey = [](const json& k) {
            return k.is_number_integer() && k.get<long long>() >= 0 && k.get<long long>() <= 255;
        };
        if (!keys.is_array() || keys.size() != 2 || !isKey(keys[0]) || !isKey(keys[1]))
            throw ConfigError(file, "keys must be two whole numbers from 0 to 255");
        config.keys = std::pair{keys[0].get<int>(), keys[1].get<int>()};
    }
    return config;
}
