// libFuzzer target over the kyara-mail text. The input, one character per byte, is decoded;
// a decoded melody must encode and decode back to itself with the same tempo. The input is also
// encoded as a melody text: an encoding that succeeds writes "]]" and digits only.

#include "formats/kyaramail.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using sarvo::formats::Ringtone;
using sarvo::formats::TempoUnit;

void check(bool condition) {
    if (!condition)
        std::abort();
}

Ringtone ringtoneOf(std::u16string melody, int tempo) {
    Ringtone ringtone;
    ringtone.tempo = TempoUnit::quarterNotes(tempo);
    ringtone.parts.push_back({std::move(melody), sarvo::formats::kDefaultVoice});
    return ringtone;
}

// Melody characters for the encoder: bytes below 0x80 stand for themselves, others pick an
// octave mark or a pitch name.
std::u16string melodyText(const uint8_t* data, size_t size) {
    static const std::u16string kWide = u"低中高ドレミフソラシ";
    std::u16string text;
    for (size_t i = 0; i < size; ++i)
        text.push_back(data[i] < 0x80 ? char16_t(data[i]) : kWide[data[i] % kWide.size()]);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto decoded = sarvo::formats::decodeKyara(std::u16string(data, data + size));
    check(decoded.part.has_value() != !decoded.error.empty());
    if (decoded.part) {
        const auto text =
            sarvo::formats::encodeKyara(ringtoneOf(decoded.part->melody, *decoded.part->tempo));
        check(text.ok());
        const auto again = sarvo::formats::decodeKyara(text.value);
        check(again.part && again.part->melody == decoded.part->melody &&
              again.part->tempo == decoded.part->tempo);
    }

    const auto encoded = sarvo::formats::encodeKyara(ringtoneOf(melodyText(data, size), 120));
    if (encoded.ok()) {
        check(encoded.value.starts_with(sarvo::formats::kKyaraStart));
        for (size_t i = sarvo::formats::kKyaraStart.size(); i < encoded.value.size(); ++i)
            check(encoded.value[i] >= u'0' && encoded.value[i] <= u'9');
    }
    return 0;
}
