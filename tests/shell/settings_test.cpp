// The settings store and the proxy detection.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>

#include "engine/windows1252.h"
#include "shell/settingsstore.h"

namespace {

// Points the registry stand-in at a file of the test's own.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        setenv("QUENBY_REGISTRY", (folder.path() + "/registry.ini").toLocal8Bit().constData(), 1);
    }
    void TearDown() override { unsetenv("QUENBY_REGISTRY"); }

    QTemporaryDir folder;
    Registry registry;
};

std::string W(const char* utf8) {
    return *Utf8ToWindows1252(utf8);
}

}  // namespace

TEST_F(SettingsStore, FirstRunGivesEmptyValues) {
    for (const char* name : {"U1", "U2", "MC"}) EXPECT_EQ(ReadSetting(registry, name), "") << name;
}

TEST_F(SettingsStore, RoundTripWithAccents) {
    WriteSetting(registry, "U1", "http://www.hotel-plage.example/");
    WriteSetting(registry, "MC", W("été à l'hôtel"));
    EXPECT_EQ(ReadSetting(registry, "U1"), "http://www.hotel-plage.example/");
    EXPECT_EQ(ReadSetting(registry, "MC"), W("été à l'hôtel"));
    // A second store on the same file sees them: they outlive the program.
    EXPECT_EQ(ReadSetting(Registry(), "MC"), W("été à l'hôtel"));
}

TEST_F(SettingsStore, FallsBackToTheFamilyKey) {
    registry.WriteString(RegistryHive::LocalMachine, FamilyKey, "U2", "http://famille.example/");
    registry.WriteString(RegistryHive::LocalMachine, FamilyKey, "MC", "famille");
    EXPECT_EQ(ReadSetting(registry, "U2"), "http://famille.example/");
    WriteSetting(registry, "MC", "");  // present but empty in the program's own key
    EXPECT_EQ(ReadSetting(registry, "MC"), "famille");
    WriteSetting(registry, "MC", "propre");
    EXPECT_EQ(ReadSetting(registry, "MC"), "propre");
}

TEST_F(SettingsStore, AnUnwritableStoreIsIgnored) {
    setenv("QUENBY_REGISTRY", "/dev/null/registry.ini", 1);
    Registry unwritable;
    EXPECT_FALSE(unwritable.WriteString(RegistryHive::LocalMachine, ProgramKey, "U1", "x"));
    WriteSetting(unwritable, "U1", "x");
    EXPECT_EQ(ReadSetting(unwritable, "U1"), "");
}

TEST(ProxyDetection, FromTheInternetSettings) {
    struct ProxyCase {
        std::optional<int> enable;
        std::optional<std::string> server;
        ProxyAddress proxy;
    };
    const ProxyCase cases[] = {
        {1, "http=gate:8080;https=gate:8443", {"gate", "8080"}},
        {1, "https=gate:8443;http=relais:3128;ftp=x:21", {"relais", "3128"}},
        {1, "gate:3128", {"gate", "3128"}},
        {1, "HTTP=gate:8080", {"gate", "8080"}},
        {1, "gate:3128;autre", {"gate", "3128;autre"}},  // taken whole without "http="
        {1, "gate", {"gate", "80"}},                     // no port: the usual one
        {1, "", {}},
        {1, std::nullopt, {}},
        {0, "gate:3128", {}},
        {2, "gate:3128", {}},
        {std::nullopt, "gate:3128", {}},
    };
    for (const ProxyCase& c : cases) {
        EXPECT_EQ(ProxyFromSettings(c.enable, c.server), c.proxy) << c.server.value_or("(none)");
    }
}

TEST(ProxyDetection, FromTheEnvironment) {
    EXPECT_EQ(ProxyServerFromEnvironment("http://gate:3128/"), "gate:3128");
    EXPECT_EQ(ProxyServerFromEnvironment("http://marie:pw@gate:3128"), "gate:3128");
    EXPECT_EQ(ProxyServerFromEnvironment("gate:8080"), "gate:8080");
    EXPECT_EQ(ProxyServerFromEnvironment("http://"), std::nullopt);

    const Registry registry;
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");
    EXPECT_EQ(DetectProxy(registry), ProxyAddress{});
    setenv("HTTP_PROXY", "http://relais:8080/", 1);
    EXPECT_EQ(DetectProxy(registry), (ProxyAddress{"relais", "8080"}));
    setenv("http_proxy", "http://gate:3128/", 1);
    EXPECT_EQ(DetectProxy(registry), (ProxyAddress{"gate", "3128"}));
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");
}
