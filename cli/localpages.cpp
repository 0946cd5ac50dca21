#include "cli/localpages.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "engine/pagelines.h"

bool LocalPages::Load(const std::string& address, const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    if (!std::ifstream(path, std::ios::binary)) return false;
    paths_[address] = path;
    return true;
}

void LocalPages::Charge(const std::string& url) {
    engine_.DocumentLines.clear();
    engine_.PageTruncated = false;
    status_ = 0;
    const auto it = paths_.find(url);
    if (it == paths_.end()) throw std::runtime_error("no such page: " + url);
    std::ifstream in(it->second, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + it->second);
    int32_t fetched = 0;
    PageLineSplitter splitter(engine_.DocumentLines, fetched);
    char block[64 * 1024];
    bool going = true;
    while (going && in) {
        in.read(block, sizeof block);
        const std::streamsize got = in.gcount();
        if (got > 0) going = splitter.Add(std::string_view(block, static_cast<size_t>(got)));
    }
    if (in.bad()) {
        engine_.DocumentLines.clear();
        throw std::runtime_error("cannot read " + it->second);
    }
    engine_.PageTruncated = !(going && splitter.Finish());
    status_ = 200;
}
