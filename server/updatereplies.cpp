#include "server/updatereplies.h"

#include "shell/replycoding.h"

namespace {

int64_t Product(ReplyKeys keys) {
    return static_cast<int64_t>(keys.key1) * keys.key2;
}

}  // namespace

std::string ProductUpdateReply(const ServerConfig& config, int produit, const Version& sent, ReplyKeys keys) {
    ReplyWriter reply(keys.key1, keys.key2);
    const ProductConfig& product = config.product;
    if (produit != product.number || !IsNewer(product.parsedVersion, sent)) {
        reply.WriteNumber(0);
        return reply.Bytes();
    }
    const int64_t start = 2 * Product(keys) + produit;
    reply.WriteNumber(static_cast<int>(product.offerLines.size()));
    reply.WriteNumber(product.major ? 1 : 0);
    for (const std::string& line : product.offerLines) reply.WriteText(line, start);
    reply.WriteText(product.version, start);
    return reply.Bytes();
}

std::optional<std::string> UpdateInfoReply(const ServerConfig& config, int produit, const Version& sent,
                                           ReplyKeys keys) {
    std::string indicator;
    std::string package;
    if (produit == config.updater.number) {
        if (IsNewer(config.updater.parsedVersion, sent)) indicator = config.updater.version;
        package = config.updater.package;
    } else if (produit == config.product.number) {
        indicator = config.product.version;
        package = config.product.package;
    } else {
        return std::nullopt;
    }
    ReplyWriter reply(keys.key1, keys.key2);
    reply.WriteText(indicator, produit + 2 * Product(keys));
    reply.WriteText(package, produit + 3 * Product(keys));
    return reply.Bytes();
}
