// The one converter between Windows-1252 and Unicode, and the widget boundary built on it.
// Input: any bytes, read once as Windows-1252, once as UTF-8 and once as UTF-16.

#include <QString>
#include <cstring>
#include <string>

#include "engine/windows1252.h"
#include "platform/qtextconvert.h"
#include "tests/fuzz/fuzzing.h"

namespace {

bool ValidUtf8(const QString& back, std::string_view utf8) {
    return back.toUtf8() == QByteArray(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Every Windows-1252 text goes to Unicode and back unchanged, by either road.
    const std::string utf8 = Windows1252ToUtf8(bytes);
    FUZZ_CHECK(ValidUtf8(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), utf8));
    const std::optional<std::string> back = Utf8ToWindows1252(utf8);
    FUZZ_CHECK(back && *back == bytes);
    FUZZ_CHECK(Utf8ToWindows1252Lossy(utf8) == bytes);
    const QString shown = ToQString(bytes);
    FUZZ_CHECK(shown.size() == static_cast<qsizetype>(bytes.size()));
    FUZZ_CHECK(FromQString(shown) == bytes);

    // Read as UTF-8: the strict reading succeeds exactly on valid UTF-8, and then the lenient
    // one agrees with it; a character kept whole comes back as it was.
    const std::optional<std::string> strict = Utf8ToWindows1252(bytes);
    const std::string lenient = Utf8ToWindows1252Lossy(bytes);
    FUZZ_CHECK(lenient.size() <= bytes.size());
    const bool valid = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toUtf8() ==
                       QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // Qt reads the UTF-8 forms of surrogates and values above U+10FFFF as replacements too.
    FUZZ_CHECK(strict.has_value() == valid);
    if (strict) {
        FUZZ_CHECK(lenient == *strict);
        if (strict->find('?') == std::string::npos) FUZZ_CHECK(Windows1252ToUtf8(*strict) == bytes);
    }

    // Any UTF-16, lone surrogates included, comes to 8 bits one character for one and stays so.
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const QString wide(reinterpret_cast<const QChar*>(units.data()), static_cast<qsizetype>(units.size()));
    const std::string narrow = FromQString(wide);
    FUZZ_CHECK(narrow.size() <= static_cast<size_t>(wide.size()));
    FUZZ_CHECK(FromQString(ToQString(narrow)) == narrow);
    return 0;
}
