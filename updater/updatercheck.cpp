#include "updater/updatercheck.h"

#include <algorithm>
#include <filesystem>

#include "shell/replycoding.h"

namespace {

// A product number: 1 to 9 decimal digits.
bool IsProductNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

CommandOutcome ReadUpdaterCommand(const std::vector<std::string>& args) {
    if (args.size() < 2 || args[0].empty() || args[1].empty()) return EndSilently{};
    UpdaterCommand command;
    command.ProgramPath = args[0];
    for (char& c : command.ProgramPath) {
        if (c == '?') c = ' ';
    }
    command.ProductNumber = args[1];
    if (!IsProductNumber(command.ProductNumber)) {
        return CommandProblem{"Le numéro de produit \"" + args[1] +
                              "\" n'est pas un nombre : la mise à jour ne peut pas se faire."};
    }
    command.productNumber = std::stoll(command.ProductNumber);
    const std::filesystem::path path(command.ProgramPath);
    if (!path.has_parent_path() || !path.has_filename()) {
        return CommandProblem{"Le chemin du logiciel \"" + command.ProgramPath +
                              "\" ne désigne pas de dossier : la mise à jour ne peut pas se faire."};
    }
    command.ProgramFolder = path.parent_path().string();
    return command;
}

std::string CommandLinePath(std::string path) {
    std::replace(path.begin(), path.end(), ' ', '?');
    return path;
}

std::string SelfCheckBody() {
    return "produit=" + std::to_string(UpdaterNumber) + "&version=" + UpdaterVersion;
}

std::string ProductCheckBody(const std::string& productNumber) {
    return "produit=" + productNumber + "&version=" + ProductCheckVersion;
}

CheckFields ReadCheckReply(const std::string& reply, int64_t number) {
    ReplyReader reader(reply);
    const int64_t keys = static_cast<int64_t>(reader.ResponseKey1) * reader.ResponseKey2;
    CheckFields fields;
    fields.field1 = reader.ReadText(number + 2 * keys);
    fields.field2 = reader.ReadText(number + 3 * keys);
    return fields;
}

std::string PackageAddress(const std::string& baseUrl, const std::string& folder, const std::string& name) {
    return baseUrl + folder + "/" + name;
}
