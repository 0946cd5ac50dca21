#include "platform/qtextconvert.h"

#include <QList>

#include "engine/windows1252.h"

QString ToQString(std::string_view windows1252) {
    QString out;
    out.reserve(static_cast<qsizetype>(windows1252.size()));
    for (const char c : windows1252)
        out += QChar(static_cast<char16_t>(Windows1252ToCodePoint(static_cast<unsigned char>(c))));
    return out;
}

std::string FromQString(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (const char32_t cp : text.toUcs4()) {
        const int b = CodePointToWindows1252(cp);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}
