// libFuzzer target over the two P-mail DX stream decoders. The input is a stream; whatever the
// decoders make of it must be a melody that the encoders write and the decoders read back
// unchanged. The same input read as base64 text must decode or show the one failure message.

#include "common/interaction.h"
#include "formats/pdxmail.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using sarvo::formats::Bytes;
using sarvo::formats::DecodeResult;
using sarvo::formats::Ringtone;
using sarvo::formats::TempoUnit;

void check(bool condition) {
    if (!condition)
        std::abort();
}

Ringtone ringtoneOf(const sarvo::formats::DecodedPart& part) {
    Ringtone ringtone;
    ringtone.title = part.title;
    ringtone.tempo = TempoUnit::quarterNotes(part.tempo.value_or(100));
    ringtone.parts.push_back({part.melody, sarvo::formats::kDefaultVoice});
    return ringtone;
}

void checkMelodyStream(const Bytes& bytes) {
    const DecodeResult decoded = sarvo::formats::decodePdxMelodyBytes(bytes);
    check(decoded.part.has_value() != !decoded.error.empty());
    if (!decoded.part)
        return;
    const DecodeResult again = sarvo::formats::decodePdxMelodyBytes(
        sarvo::formats::encodePdxMelody(ringtoneOf(*decoded.part)));
    check(again.part && again.part->melody == decoded.part->melody);
    check(!decoded.part->tempo || again.part->tempo == decoded.part->tempo);
}

void checkCodeStream(const Bytes& bytes) {
    const DecodeResult decoded = sarvo::formats::decodePdxCodesBytes(bytes);
    check(decoded.part.has_value() != !decoded.error.empty());
    if (!decoded.part)
        return;
    // A rest of a tuplet length reads fine but has no length byte to be written with.
    const auto codes = sarvo::formats::encodePdxCodes(ringtoneOf(*decoded.part));
    if (!codes.ok())
        return;
    const DecodeResult again = sarvo::formats::decodePdxCodesBytes(codes.value);
    check(again.part && again.part->melody == decoded.part->melody);
}

void checkBase64(const uint8_t* data, size_t size) {
    const std::u16string text(data, data + size);
    for (auto decode : {&sarvo::formats::decodePdxMelody, &sarvo::formats::decodePdxCodes}) {
        sarvo::RecordingInteractive ui;
        const DecodeResult decoded = decode(text, ui);
        check(ui.messages().empty() ||
              (ui.messages().size() == 1 && ui.messages()[0] == sarvo::formats::kPdxBase64Failure &&
               !decoded.part));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Bytes bytes(data, data + size);
    checkMelodyStream(bytes);
    checkCodeStream(bytes);
    checkBase64(data, size);
    return 0;
}
