#pragma once

// The updater's command line and its version check with the maker's server: what it sends,
// how the replies are read and what they decide.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

inline constexpr int UpdaterNumber = 101;
// Set by the build.
inline constexpr const char* UpdaterVersion = QUENBY_UPDATER_VERSION;
inline constexpr const char* CheckScript = "updateINFO.php";
// The key that signs the packages, set by the build; empty: packages are installed unsigned.
inline constexpr const char* UpdatePublicKey = QUENBY_UPDATE_PUBLIC_KEY;
// The product check always states this version.
inline constexpr const char* ProductCheckVersion = "0.05";

// The command line as the launcher builds it: the product's path with every space written
// "?", and the product number.
struct UpdaterCommand {
    std::string ProgramPath;    // "?" turned back into spaces
    std::string ProductNumber;  // decimal digits, as given
    int64_t productNumber = 0;
    std::string ProgramFolder;  // the folder of ProgramPath, without its trailing separator
};

// What the command line asks: to end silently (an argument missing), to end with a message
// naming the problem, or to go on.
struct EndSilently {};
struct CommandProblem {
    std::string message;
};
using CommandOutcome = std::variant<UpdaterCommand, EndSilently, CommandProblem>;

CommandOutcome ReadUpdaterCommand(const std::vector<std::string>& args);

// A path as the command line carries it: every space written "?".
std::string CommandLinePath(std::string path);

// Bodies of the two checks.
std::string SelfCheckBody();
std::string ProductCheckBody(const std::string& productNumber);

// The two fields of a check reply, descrambled from number + (field + 1) × key1 × key2;
// ShortReply when the reply holds fewer bytes than they need.
struct CheckFields {
    std::string field1;
    std::string field2;
};
CheckFields ReadCheckReply(const std::string& reply, int64_t number);

// Address of a package: the base, the folder the server named, then the name.
std::string PackageAddress(const std::string& baseUrl, const std::string& folder, const std::string& name);
