#include "updater/proxysettingsfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "updater/UnitTrelvoCrypto.h"

namespace {

// Five fields of at most 255 characters and their length bytes.
constexpr size_t kLargestFile = 5 * (3 + MaxFieldLength);

}  // namespace

std::string ProxySettingsBytes(const ProxyPanelValues& values) {
    const std::string* texts[] = {&values.host, &values.port, &values.user, &values.password};
    std::string bytes = ScrambleField(values.useProxy ? "VRAI" : "FAUX", FieldStartValues[0]);
    for (size_t i = 0; i < 4; ++i) bytes += ScrambleField(*texts[i], FieldStartValues[i + 1]);
    return bytes;
}

ProxySettingsRead ReadProxySettingsBytes(std::string_view bytes) {
    ProxySettingsRead read;
    size_t pos = 0;
    for (size_t field = 0; field < read.fields.size(); ++field) {
        if (bytes.size() - pos < 3) return read;
        const auto byte = [&](size_t i) {
            return static_cast<size_t>(static_cast<unsigned char>(bytes[pos + i]));
        };
        const size_t length = byte(0) * 65025 + byte(1) * 255 + byte(2);
        pos += 3;
        if (length > MaxFieldLength || bytes.size() - pos < length) return read;
        read.fields[field] = UnscrambleText(bytes.substr(pos, length), FieldStartValues[field]);
        pos += length;
    }
    read.complete = true;
    return read;
}

bool WriteProxySettingsFile(const std::filesystem::path& file, const ProxyPanelValues& values) {
    const std::string bytes = ProxySettingsBytes(values);
#ifdef _WIN32
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
#else
    // The file holds a password: only its owner reads it, from the moment it exists.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::fchmod(fd, 0600);
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    const bool closed = ::close(fd) == 0;
    return closed && written == bytes.size();
#endif
}

std::optional<std::string> ReadProxySettingsFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    // Whatever follows the five fields is never read.
    std::string bytes(kLargestFile, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return std::nullopt;
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}
