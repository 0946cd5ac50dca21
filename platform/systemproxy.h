#pragma once

// Where the user's HTTP proxy is set outside the program: on Windows the Internet settings of
// the current user, elsewhere the http_proxy (or HTTP_PROXY) environment variable. How the two
// values are read into a host and a port is the program's business.

#include <optional>
#include <string>

#include "platform/registry.h"

inline constexpr const char* InternetSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// The values "ProxyEnable" and "ProxyServer" of the Internet settings; missing ones (or ones of
// another type) are empty.
struct InternetProxySettings {
    std::optional<int> ProxyEnable;
    std::optional<std::string> ProxyServer;
};

// On Windows the values themselves; elsewhere "ProxyEnable" 1 and "ProxyServer" "host:port"
// when the environment names a proxy, nothing otherwise.
InternetProxySettings ReadInternetProxySettings(const Registry& registry);

// "host:port" of an http_proxy value such as "http://user@host:port/", or nothing when it
// names no host.
std::optional<std::string> ProxyServerFromEnvironment(const std::string& value);
