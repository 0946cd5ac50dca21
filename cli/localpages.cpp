#include "cli/localpages.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "engine/pagelines.h"

bool LocalPages::Load(const std::string& address, const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    bodies_[address] = std::move(body);
    return true;
}

void LocalPages::Charge(const std::string& url) {
    engine_.DocumentLines.clear();
    engine_.PageTruncated = false;
    status_ = 0;
    const auto it = bodies_.find(url);
    if (it == bodies_.end()) throw std::runtime_error("no such page: " + url);
    int32_t fetched = 0;
    engine_.PageTruncated = !LoadMemoFromMemoryStream(engine_.DocumentLines, it->second, fetched);
    status_ = 200;
}
