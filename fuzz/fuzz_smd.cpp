// libFuzzer target over the Sky Melody decoder. Any bytes decode without a crash or a hang; a
// decoded part is well-formed melody text that encodes and decodes back to itself, with the
// same tempo code when it had one.

#include "decodedmelody.h"

#include "formats/smd.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sarvo;
    using fuzzing::check;
    if (size > 8192)
        return 0;
    const formats::Bytes bytes(data, data + size);
    for (int part = 0; part < 6; ++part) {
        const formats::DecodeResult decoded = formats::decodeSmdBytes(bytes, part);
        check(decoded.part.has_value() != !decoded.error.empty(), "a failure says why");
        if (!decoded.part)
            continue;
        const std::u16string& melody = decoded.part->melody;
        fuzzing::checkWellFormed(melody);

        const Converted<formats::Bytes> again =
            formats::encodeSmd(fuzzing::ringtoneOf(melody, decoded.part->tempo));
        check(again.ok(), "a decoded melody encodes", melody);
        const formats::DecodeResult redecoded = formats::decodeSmdBytes(again.value, 0);
        check(redecoded.part && redecoded.part->melody == melody,
              "a decoded melody encodes and decodes back to itself", melody);
        if (decoded.part->tempo)
            check(redecoded.part->tempo == decoded.part->tempo, "the tempo code comes back",
                  melody);
    }
    return 0;
}
