#include "shell/updateoffer.h"

#include "shell/productinfo.h"
#include "shell/replycoding.h"

std::string UpdateCheckBody() {
    return "produit=" + std::to_string(ProductNumber) + "&version=" + ProductVersion;
}

UpdateOffer ReadUpdateOffer(const std::string& reply) {
    try {
        ReplyReader reader(reply);
        const int count = reader.ReadNumber();
        if (count == 0) return {};
        UpdateOffer offer;
        offer.major = reader.ReadNumber() != 0;
        const int64_t start =
            2 * static_cast<int64_t>(reader.ResponseKey1) * reader.ResponseKey2 + ProductNumber;
        for (int i = 0; i < count; ++i) offer.lines.push_back(reader.ReadText(start));
        reader.ReadText(start);
        offer.offered = true;
        return offer;
    } catch (const ShortReply&) {
        return {};
    }
}

std::string OfferPageText(const UpdateOffer& offer) {
    std::string page = "<html>\r\n";
    for (const std::string& line : offer.lines) page += line + "\r\n";
    return page + "</html>\r\n";
}

std::string UpdaterFile(const std::string& programDir) {
#ifdef _WIN32
    constexpr const char* kName = "morvaneupdater.exe";
    constexpr char kSeparator = '\\';
#else
    constexpr const char* kName = "morvaneupdater";
    constexpr char kSeparator = '/';
#endif
    std::string file = programDir;
    if (file.empty() || file.back() != kSeparator) file += kSeparator;
    return file + kName;
}

std::string UpdaterParameters(const std::string& programPath) {
    std::string path = programPath;
    for (char& c : path) {
        if (c == ' ') c = '?';
    }
    return path + " " + std::to_string(ProductNumber);
}
