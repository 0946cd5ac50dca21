// Entity decoding against its rules applied literally: numeric references first, then each
// table row in order, replacing its first occurrence while there is one.

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "tests/engine/referenceengine.h"
#include "tests/fuzz/fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string decoded = DecodeEntities(text);
    FUZZ_CHECK(decoded.size() <= text.size());
    FUZZ_CHECK(decoded == ReferenceDecode(text));
    return 0;
}
