// The updater's settings file read from any bytes: every field read is the one its bytes
// scramble to, and the values written back read the same.

#include "tests/fuzz/fuzzing.h"
#include "updater/UnitTrelvoCrypto.h"
#include "updater/proxysettingsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ProxySettingsRead read = ReadProxySettingsBytes(bytes);

    size_t pos = 0;
    size_t count = 0;
    for (const std::optional<std::string>& field : read.fields) {
        if (!field) break;
        FUZZ_CHECK(field->size() <= MaxFieldLength);
        // The length bytes may be written several ways; the text's bytes only one.
        const std::string stored = ScrambleField(*field, FieldStartValues[count]).substr(3);
        FUZZ_CHECK(bytes.substr(pos + 3, field->size()) == stored);
        pos += 3 + field->size();
        ++count;
    }
    FUZZ_CHECK(read.complete == (count == read.fields.size()));
    for (size_t i = count; i < read.fields.size(); ++i) FUZZ_CHECK(!read.fields[i]);

    if (read.complete) {
        ProxyPanelValues values;
        values.useProxy = *read.fields[0] == "VRAI";
        values.host = *read.fields[1];
        values.port = *read.fields[2];
        values.user = *read.fields[3];
        values.password = *read.fields[4];
        const ProxySettingsRead again = ReadProxySettingsBytes(ProxySettingsBytes(values));
        FUZZ_CHECK(again.complete);
        FUZZ_CHECK(*again.fields[0] == (values.useProxy ? "VRAI" : "FAUX"));
        for (size_t i = 1; i < again.fields.size(); ++i) FUZZ_CHECK(again.fields[i] == read.fields[i]);
    }
    return 0;
}
