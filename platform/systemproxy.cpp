#include "platform/systemproxy.h"

#include <cstdlib>

InternetProxySettings ReadInternetProxySettings(const Registry& registry) {
#ifdef _WIN32
    return {registry.ReadInteger(RegistryHive::CurrentUser, InternetSettingsKey, "ProxyEnable"),
            registry.ReadString(RegistryHive::CurrentUser, InternetSettingsKey, "ProxyServer")};
#else
    (void)registry;
    const char* value = std::getenv("http_proxy");
    if (value == nullptr || *value == '\0') value = std::getenv("HTTP_PROXY");
    if (value == nullptr || *value == '\0') return {};
    const std::optional<std::string> server = ProxyServerFromEnvironment(value);
    if (!server) return {};
    return {1, server};
#endif
}

std::optional<std::string> ProxyServerFromEnvironment(const std::string& value) {
    std::string server = value;
    if (const size_t scheme = server.find("://"); scheme != std::string::npos) server.erase(0, scheme + 3);
    server = server.substr(0, server.find('/'));
    if (const size_t at = server.rfind('@'); at != std::string::npos) server.erase(0, at + 1);
    if (server.empty() || server.front() == ':') return std::nullopt;
    return server;
}
