#pragma once

// Our stand-in for the system registry: string and integer values under keys such as
// "SOFTWARE\Quenby\zvqe". On Windows the registry itself; elsewhere one INI file in the user's
// configuration folder, whose path the environment variable QUENBY_REGISTRY can override.

#include <optional>
#include <string>

enum class RegistryHive { LocalMachine, CurrentUser };

class Registry {
public:
    // Where the INI file lives on systems without a registry.
    static std::string StorePath();

    // The string value, or nothing when the key or the value is missing or not a string.
    std::optional<std::string> ReadString(RegistryHive hive, const std::string& key,
                                          const std::string& name) const;

    // The integer value, or nothing when it is missing or of another type.
    std::optional<int> ReadInteger(RegistryHive hive, const std::string& key, const std::string& name) const;

    // Stores a string value, creating the key; false when it could not be written.
    bool WriteString(RegistryHive hive, const std::string& key, const std::string& name,
                     const std::string& value);
};
