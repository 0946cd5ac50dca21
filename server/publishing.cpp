#include "server/publishing.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "platform/packagesignature.h"
#include "server/serverconfig.h"
#include "server/versions.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

json ReadJson(const fs::path& file) {
    std::ifstream in(file);
    if (!in) throw ConfigError(file, "missing");
    try {
        return json::parse(in);
    } catch (const json::exception& e) {
        throw ConfigError(file, std::string("not valid JSON: ") + e.what());
    }
}

void WriteText(const fs::path& file, const std::string& text) {
    const fs::path temporary = file.string() + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) throw ConfigError(file, "cannot be written");
    }
    fs::rename(temporary, file);
}

}  // namespace

std::string DefaultOfferPage(const std::string& version) {
    return "<html>\n<head><meta charset=\"utf-8\"><title>Quenby Ardentis " + version +
           "</title></head>\n<body style=\"font-family:Arial; font-size:13px\">\n"
           "<h2 style=\"color:#52709f\">Quenby Ardentis " +
           version +
           " est disponible</h2>\n<p>Cette version corrige des défauts et améliore l'analyse de vos "
           "pages.</p>\n"
           "<p>La mise à jour prend moins d'une minute. Vos réglages sont conservés.</p>\n</body>\n</html>\n";
}

void Publish(const fs::path& dataFolder, const Publication& publication) {
    const fs::path configFile = dataFolder / "server.json";
    if (!ParseVersion(publication.version))
        throw ConfigError(configFile, "the version \"" + publication.version + "\" is not a dotted number");
    if (!fs::is_regular_file(publication.package)) throw ConfigError(publication.package, "missing");
    const ServerConfig current = LoadServerConfig(dataFolder);
    json config = ReadJson(configFile);
    const char* part = publication.updater ? "updater" : "product";
    const std::string number =
        std::to_string(publication.updater ? current.updater.number : current.product.number);
    const std::string folder = (publication.updater ? "u" : "v") + publication.version;

    config[part]["version"] = publication.version;
    config[part]["package"] = folder;
    // The new configuration and offer page are tried under names of their own, and take their
    // places only once the server would accept them.
    const fs::path candidate = dataFolder / "server.json.candidate";
    const std::string offerName = "offre-" + publication.version + ".html";
    const fs::path candidateOffer = dataFolder / (offerName + ".candidate");
    const auto discard = [&] {
        std::error_code ec;
        fs::remove(candidate, ec);
        fs::remove(candidateOffer, ec);
    };
    if (!publication.updater) {
        config[part]["major"] = publication.major;
        std::string page = DefaultOfferPage(publication.version);
        if (publication.offer) {
            std::ifstream in(*publication.offer, std::ios::binary);
            if (!in) throw ConfigError(*publication.offer, "cannot be read");
            page.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        WriteText(candidateOffer, page);
        config[part]["offer"] = candidateOffer.filename().string();
    }
    // Whatever fails on the way, no candidate is left behind.
    try {
        WriteText(candidate, config.dump(2) + "\n");
        LoadServerConfig(dataFolder, candidate);

        const fs::path target = dataFolder / "packages" / folder / (number + ".zip");
        fs::create_directories(target.parent_path());
        fs::copy_file(publication.package, target, fs::copy_options::overwrite_existing);
        const fs::path signature = target.string() + ".sig";
        if (publication.secretKey) {
            WriteText(signature, SignFile(target, *publication.secretKey) + "\n");
        } else {
            fs::remove(signature);
        }
        if (!publication.updater) {
            fs::rename(candidateOffer, dataFolder / offerName);
            config[part]["offer"] = offerName;
        }
        WriteText(configFile, config.dump(2) + "\n");
    } catch (...) {
        discard();
        throw;
    }
    discard();
}
