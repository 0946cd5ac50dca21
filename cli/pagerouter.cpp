#include "cli/pagerouter.h"

#include "engine/UnitTrelvoHTMLanalyse.h"

bool PageRouter::IsWebAddress(const std::string& address) {
    const std::string lower = LowerCaseAscii(address.substr(0, 8));
    return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}
