#include "platform/registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

#include "platform/qtextconvert.h"

namespace {

QString HiveName(RegistryHive hive) {
    return hive == RegistryHive::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                              : QStringLiteral("HKEY_CURRENT_USER");
}

#ifdef Q_OS_WIN
std::unique_ptr<QSettings> Open(RegistryHive hive, const std::string& key) {
    return std::make_unique<QSettings>(HiveName(hive) + "\\" + ToQString(key), QSettings::NativeFormat);
}
#else
// The INI file keeps the registry's layout: one group per hive and key path.
std::unique_ptr<QSettings> Open(RegistryHive hive, const std::string& key) {
    auto settings = std::make_unique<QSettings>(ToQString(Registry::StorePath()), QSettings::IniFormat);
    settings->beginGroup(HiveName(hive) + "/" + ToQString(key).replace('\\', '/'));
    return settings;
}
#endif

QString ValueName(const std::string& name) {
    return ToQString(name);
}

}  // namespace

std::string Registry::StorePath() {
    const QString overridden = qEnvironmentVariable("QUENBY_REGISTRY");
    if (!overridden.isEmpty()) return FromQString(overridden);
    return FromQString(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       "/Quenby/registry.ini");
}

std::optional<std::string> Registry::ReadString(RegistryHive hive, const std::string& key,
                                                const std::string& name) const {
    const auto settings = Open(hive, key);
    const QVariant value = settings->value(ValueName(name));
    if (settings->status() != QSettings::NoError || !value.isValid()) return std::nullopt;
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    return FromQString(value.toString());
}

std::optional<int> Registry::ReadInteger(RegistryHive hive, const std::string& key,
                                         const std::string& name) const {
    const auto settings = Open(hive, key);
    const QVariant value = settings->value(ValueName(name));
    if (settings->status() != QSettings::NoError || !value.isValid()) return std::nullopt;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok) return std::nullopt;
    return number;
}

bool Registry::WriteString(RegistryHive hive, const std::string& key, const std::string& name,
                           const std::string& value) {
#ifndef Q_OS_WIN
    const QFileInfo file(ToQString(StorePath()));
    if (!QDir().mkpath(file.absolutePath())) return false;
#endif
    const auto settings = Open(hive, key);
    settings->setValue(ValueName(name), ToQString(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}
