#include "Ulancement.h"

#include <cstdlib>

#include "UnitTrelvoHTMLanalyse.h"

std::string SiteRoot() {
    const char* overridden = std::getenv("QUENBY_SITE_ROOT");
    return overridden != nullptr && *overridden != '\0' ? overridden : QUENBY_DEFAULT_SITE_ROOT;
}

std::string ReadSetting(const Registry& registry, const std::string& name) {
    std::string value = registry.ReadString(RegistryHive::LocalMachine, ProgramKey, name).value_or("");
    if (value.empty()) value = registry.ReadString(RegistryHive::LocalMachine, FamilyKey, name).value_or("");
    return value;
}

void WriteSetting(Registry& registry, const std::string& name, const std::string& value) {
    registry.WriteString(RegistryHive::LocalMachine, ProgramKey, name, value);
}

ProxyAddress ProxyFromSettings(std::optional<int> proxyEnable,
                               const std::optional<std::string>& proxyServer) {
    if (proxyEnable != 1 || !proxyServer) return {};
    std::string server = *proxyServer;
    constexpr std::string_view kHttp = "http=";
    if (const size_t at = LowerCaseAscii(server).find(kHttp); at != std::string::npos) {
        server.erase(0, at + kHttp.size());
        server = server.substr(0, server.find(';'));
    }
    if (server.empty()) return {};
    const size_t colon = server.find(':');
    // A host without a port: the usual HTTP port.
    if (colon == std::string::npos) return {server, "80"};
    return {server.substr(0, colon), server.substr(colon + 1)};
}

std::optional<std::string> ProxyServerFromEnvironment(const std::string& value) {
    std::string server = value;
    if (const size_t scheme = server.find("://"); scheme != std::string::npos) server.erase(0, scheme + 3);
    server = server.substr(0, server.find('/'));
    if (const size_t at = server.rfind('@'); at != std::string::npos) server.erase(0, at + 1);
    if (server.empty() || server.front() == ':') return std::nullopt;
    return server;
}

ProxyAddress DetectProxy(const Registry& registry) {
#ifdef _WIN32
    return ProxyFromSettings(
        registry.ReadInteger(RegistryHive::CurrentUser, InternetSettingsKey, "ProxyEnable"),
        registry.ReadString(RegistryHive::CurrentUser, InternetSettingsKey, "ProxyServer"));
#else
    (void)registry;
    const char* value = std::getenv("http_proxy");
    if (value == nullptr || *value == '\0') value = std::getenv("HTTP_PROXY");
    if (value == nullptr || *value == '\0') return ProxyFromSettings(0, std::nullopt);
    const std::optional<std::string> server = ProxyServerFromEnvironment(value);
    return ProxyFromSettings(server ? 1 : 0, server);
#endif
}
