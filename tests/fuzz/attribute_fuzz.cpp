// Attribute values read from any tag text, against the rules applied literally.
// Input: a byte choosing the name (one the scanner asks for, or letters of the input's own),
// then the tag text.

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "tests/engine/referenceengine.h"
#include "tests/fuzz/fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t choice = input.Byte();
    std::string name;
    if (choice < 0xC0) {
        const char* const names[] = {"alt", "title", "TITLE", "Href"};
        name = names[choice % 4];
    } else {
        // Up to eight letters of either case.
        for (const char c : input.Until('=', choice - 0xBF > 8 ? 8 : choice - 0xBF)) {
            const auto b = static_cast<unsigned char>(c);
            name += static_cast<char>((b & 0x20 ? 'a' : 'A') + b % 26);
        }
    }
    const std::string tag(input.Rest());
    const std::string value = GetAttribute(name, tag);
    FUZZ_CHECK(value == ReferenceAttribute(name, tag));
    FUZZ_CHECK(value.size() <= tag.size());
    // Where the key stands decides whether there is a value at all.
    if (FindBeforeEquals(tag, name) == std::string::npos) FUZZ_CHECK(value.empty());
    return 0;
}
