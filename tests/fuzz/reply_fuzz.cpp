// The coded replies of the maker's server: what the launcher and the updater make of any bytes,
// and the writer's replies read back as they were written.
// Input: a byte choosing the reader, then its reply (or, for the round trip, the keys, a start
// value and texts separated by line feeds).

#include <vector>

#include "shell/replycoding.h"
#include "shell/updateoffer.h"
#include "tests/fuzz/fuzzing.h"
#include "updater/updatercheck.h"

namespace {

void OfferOfAnyReply(const std::string& reply) {
    // Never throws: a short reply offers nothing.
    const UpdateOffer offer = ReadUpdateOffer(reply);
    size_t text = 0;
    for (const std::string& line : offer.lines) text += line.size();
    FUZZ_CHECK(text <= reply.size());
    if (!offer.offered) FUZZ_CHECK(offer.lines.empty() && !offer.major);
    FUZZ_CHECK(OfferPageText(offer).size() == 17 + text + 2 * offer.lines.size());
}

void CheckOfAnyReply(const std::string& reply, int64_t number) {
    try {
        const CheckFields fields = ReadCheckReply(reply, number);
        FUZZ_CHECK(fields.field1.size() + fields.field2.size() + 6 <= reply.size());
    } catch (const ShortReply&) {
        // The one failure a reply may cause.
    }
}

void RoundTrip(FuzzInput& input) {
    const int key1 = input.Byte();
    const int key2 = input.Byte();
    const int64_t start = static_cast<int64_t>(input.Word()) << 16 | input.Word();
    ReplyWriter writer(key1, key2);
    std::vector<std::string> written;
    while (!input.Empty() && written.size() < 16) {
        const std::string text(input.Until('\n', 300));
        const int64_t at = start + static_cast<int64_t>(written.size()) * key1;
        writer.WriteNumber(static_cast<int>(written.size()));
        try {
            writer.WriteText(text, at);
        } catch (const UnencodableText&) {
            // Only a byte 255 cannot always be carried; nothing of the text was written.
            FUZZ_CHECK(text.find('\xff') != std::string::npos);
            writer.WriteText("", at);
            written.emplace_back();
            continue;
        }
        written.push_back(text);
    }
    ReplyReader reader(writer.Bytes());
    FUZZ_CHECK(reader.ResponseKey1 == key1 && reader.ResponseKey2 == key2);
    for (size_t i = 0; i < written.size(); ++i) {
        FUZZ_CHECK(reader.ReadNumber() == static_cast<int>(i));
        FUZZ_CHECK(reader.ReadText(start + static_cast<int64_t>(i) * key1) == written[i]);
    }
    FUZZ_CHECK(reader.ReadPos == writer.Bytes().size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    switch (input.Byte() % 3) {
        case 0:
            OfferOfAnyReply(std::string(input.Rest()));
            break;
        case 1: {
            // Product numbers have at most nine digits.
            const int64_t number = (static_cast<int64_t>(input.Word()) << 16 | input.Word()) % 1000000000;
            CheckOfAnyReply(std::string(input.Rest()), number);
            break;
        }
        default:
            RoundTrip(input);
            break;
    }
    return 0;
}
