#pragma once

// The widget boundary of the program's 8-bit text: Windows-1252 bytes to and from QString,
// through the engine's one converter.

#include <QString>
#include <string>
#include <string_view>

QString ToQString(std::string_view windows1252);

// Characters with no Windows-1252 form become "?".
std::string FromQString(const QString& text);
