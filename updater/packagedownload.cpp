#include "updater/packagedownload.h"

namespace {

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string WithExtension(const std::string& name, const char* extension) {
    const size_t dot = name.rfind('.');
    return (dot == std::string::npos ? name + "." : name.substr(0, dot + 1)) + extension;
}

}  // namespace

std::string PackageFileNameFor(const std::string& documentName, const std::string& contentType) {
    std::string name = documentName;
    if (contentType == "image/gif") name = WithExtension(name, "gif");
    if (contentType == "image/jpeg") name = WithExtension(name, "jpg");
    if (contentType == "image/bmp") name = WithExtension(name, "bmp");
    // The name comes from the server's answer: it must stay a file of the product's folder.
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string("/\\:\0", 4)) != std::string::npos)
        return FallbackPackageName;
    return name;
}

std::optional<uint64_t> ContentLengthOf(const std::vector<std::string>& headerLines) {
    constexpr size_t kMaxDigits = 18;
    std::optional<uint64_t> length;
    for (const std::string& line : headerLines) {
        const size_t at = Upper(line).find("CONTENT-LENGTH");
        if (at == std::string::npos) continue;
        const size_t colon = line.find(':', at);
        if (colon == std::string::npos) continue;
        std::string value = line.substr(colon + 1);
        const size_t first = value.find_first_not_of(' ');
        const size_t last = value.find_last_not_of(' ');
        value = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
        if (value.empty() || value.size() > kMaxDigits ||
            value.find_first_not_of("0123456789") != std::string::npos)
            continue;
        length = std::stoull(value);
    }
    return length;
}
