#include "shell/serveraddress.h"

#include <cstdlib>

std::string SiteRoot() {
    const char* overridden = std::getenv("QUENBY_SITE_ROOT");
    return overridden != nullptr && *overridden != '\0' ? overridden : QUENBY_DEFAULT_SITE_ROOT;
}
