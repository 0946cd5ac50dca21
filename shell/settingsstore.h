#pragma once

// The settings store of the analysis program (the last inputs of the analysis panel and the
// user's identity with the maker) and the detection of the user's HTTP proxy.

#include <optional>
#include <string>

#include "platform/httpclient.h"
#include "platform/registry.h"
#include "platform/systemproxy.h"

inline constexpr const char* ProgramKey = "SOFTWARE\\Quenby\\zvqe";
inline constexpr const char* FamilyKey = "SOFTWARE\\Quenby\\QuenbySoft";

// The value stored under name in the program's key, or when that is missing or empty, in the
// family key; empty when neither holds it.
std::string ReadSetting(const Registry& registry, const std::string& name);

// Stores the value in the program's key; a failed write is ignored.
void WriteSetting(Registry& registry, const std::string& name, const std::string& value);

// The proxy that the two Internet settings "ProxyEnable" and "ProxyServer" describe; empty
// host and port for a direct connection.
ProxyAddress ProxyFromSettings(std::optional<int> proxyEnable, const std::optional<std::string>& proxyServer);

// The user's HTTP proxy, from the Internet settings of the current user (on systems without
// them, from the http_proxy environment variable).
ProxyAddress DetectProxy(const Registry& registry);

// The user's e-mail address with the maker, kept under "Usr"; empty until the user gives it.
std::string UserIdentifier(const Registry& registry);
void StoreUserIdentifier(Registry& registry, const std::string& address);

// The identifier of this installation with the maker's server: made once at random (16
// hexadecimal digits) and kept under "IdS".
std::string InfoSessionId(Registry& registry);
