// Accent folding and ASCII case changes on any text.

#include "engine/UnitTrelvoHTMLanalyse.h"
#include "tests/engine/referenceengine.h"
#include "tests/fuzz/fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string folded = FoldAccents(text);
    FUZZ_CHECK(folded == ReferenceFold(text));
    // Plain forms hold no accented character: folding twice changes nothing more.
    FUZZ_CHECK(FoldAccents(folded) == folded);

    const std::string lower = LowerCaseAscii(text);
    const std::string upper = UpperCaseAscii(text);
    FUZZ_CHECK(lower == ReferenceLower(text));
    FUZZ_CHECK(upper == ReferenceUpper(text));
    FUZZ_CHECK(LowerCaseAscii(upper) == lower && UpperCaseAscii(lower) == upper);
    return 0;
}
