#include "shell/settingsstore.h"

#include <random>

#include "engine/UnitTrelvoHTMLanalyse.h"

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

ProxyAddress DetectProxy(const Registry& registry) {
    const InternetProxySettings settings = ReadInternetProxySettings(registry);
    return ProxyFromSettings(settings.ProxyEnable, settings.ProxyServer);
}

std::string UserIdentifier(const Registry& registry) {
    return ReadSetting(registry, "Usr");
}

void StoreUserIdentifier(Registry& registry, const std::string& address) {
    WriteSetting(registry, "Usr", address);
}

std::string InfoSessionId(Registry& registry) {
    std::string id = ReadSetting(registry, "IdS");
    if (!id.empty()) return id;
    std::random_device random;
    std::uniform_int_distribution<int> digit(0, 15);
    for (int i = 0; i < 16; ++i) id += "0123456789abcdef"[digit(random)];
    WriteSetting(registry, "IdS", id);
    return id;
}
