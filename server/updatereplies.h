#pragma once

// The coded replies of the two update scripts, decided from the configuration and what the
// client sent.

#include <optional>
#include <string>

#include "server/serverconfig.h"

struct ReplyKeys {
    int key1 = 0;
    int key2 = 0;
};

// The launcher's check ("update/updateproduit.php"): when produit is the product and the
// configured version is newer than sent, the offer page line by line, the major flag and the
// new version; otherwise a line count of 0. Every field starts at 2 × key1 × key2 + produit.
std::string ProductUpdateReply(const ServerConfig& config, int produit, const Version& sent, ReplyKeys keys);

// The updater's check ("updateINFO.php"): for the updater, field 1 is its configured version
// when newer than sent (else empty) and field 2 its package folder; for the product, its
// version and its package folder. Field f starts at produit + (f + 1) × key1 × key2. Nothing
// for any other number.
std::optional<std::string> UpdateInfoReply(const ServerConfig& config, int produit, const Version& sent,
                                           ReplyKeys keys);
