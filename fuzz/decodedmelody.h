#pragma once
// Checks shared by the fuzz targets of the ringtone decoders: a violated property prints what it
// is and aborts, so that libFuzzer keeps the input as a crash.

#include "common/textcodec.h"
#include "formats/melodytokens.h"
#include "formats/ringtone.h"
#include "melody/notecodes.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace sarvo::fuzzing {

inline void check(bool ok, const char* what, std::u16string_view melody = {}) {
    if (ok)
        return;
    std::fprintf(stderr, "property violated: %s\n  melody: %s\n", what, toUtf8(melody).c_str());
    std::abort();
}

// A decoded melody is a run of whole tokens: every token has a length code of its own, every
// note code a pitch in the range, and the text ends with the separator.
inline void checkWellFormed(std::u16string_view melody) {
    check(melody.empty() || melody.back() == u' ', "a melody ends with a blank", melody);
    for (const melody::Note& note : formats::readTokens(melody)) {
        const char16_t code = note.length.empty() ? 0 : note.length[0];
        check(melody::lengthTicks(code, note.dot == u".") > 0, "every token has a length", melody);
        if (melody::isNoteCode(code))
            check(formats::pitchNumber(note).has_value(), "every note has a pitch", melody);
    }
}

inline formats::Ringtone ringtoneOf(std::u16string melody, std::optional<int> tempo) {
    formats::Ringtone ringtone;
    ringtone.tempo = formats::TempoUnit::quarterNotes(tempo.value_or(120));
    ringtone.parts.push_back({std::move(melody), formats::kDefaultVoice});
    return ringtone;
}

} // namespace sarvo::fuzzing
