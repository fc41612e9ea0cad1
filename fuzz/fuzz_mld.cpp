// libFuzzer target over the i-melody decoder. Any bytes decode without a crash or a hang; a
// decoded part is well-formed melody text that sounds the same after encoding and decoding
// again (the timeline of pitches tick by tick, up to its trailing silence).

#include "decodedmelody.h"

#include "../tests/formats/melodytimeline.h"
#include "formats/mld.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace sarvo;
using fuzzing::check;

std::vector<int> soundingPitches(std::u16string_view melody) {
    formats::MelodyTimeline timeline = formats::timelineOf(melody);
    timeline.trimSilence();
    return timeline.pitchAtTick;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192)
        return 0;
    const formats::Bytes bytes(data, data + size);
    const std::vector<int> parts = formats::mldParts(bytes);
    for (int part = 0; part < 16; ++part) {
        const formats::DecodeResult decoded = formats::decodeMldBytes(bytes, part);
        const bool listed = std::find(parts.begin(), parts.end(), part) != parts.end();
        check(decoded.part.has_value() == listed, "the listed parts are the ones that decode");
        check(decoded.part.has_value() != !decoded.error.empty(), "a failure says why");
        if (!decoded.part)
            continue;
        const std::u16string& melody = decoded.part->melody;
        fuzzing::checkWellFormed(melody);
        check(!melody.empty(), "a decoded part has notes");

        RecordingInteractive ui;
        const formats::Bytes again = formats::encodeMld(
            fuzzing::ringtoneOf(melody, decoded.part->tempo), formats::MldSizeLimit::Lifted, ui);
        const formats::DecodeResult redecoded = formats::decodeMldBytes(again, 0);
        check(redecoded.part.has_value(), "a decoded melody encodes into a file that decodes",
              melody);
        check(soundingPitches(redecoded.part->melody) == soundingPitches(melody),
              "a decoded melody sounds the same after encoding and decoding", melody);
    }
    return 0;
}
