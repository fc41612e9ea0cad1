// libFuzzer target over MIDI files: the reader on any bytes, then, for every file it accepts,
// the writer, the tempo map and the whole MIDI import. A violated property aborts, so that
// libFuzzer keeps the input.
//
// Properties: a file the reader accepts writes and reads back with the same events; the tempo
// map's time grows with the ticks and converts back; the import gives a melody text of valid
// tokens in the range 低ド to 高シ with a tempo from 40 to 240, or an error text, and its
// i-melody file decodes to that same melody.

#include "common/interaction.h"
#include "formats/mld.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"
#include "melody/tokenvalidation.h"
#include "sound/midiimport.h"
#include "sound/smfreader.h"
#include "sound/smfwriter.h"
#include "sound/tempomap.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace sarvo;
using namespace sarvo::sound;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant violated: %s\n", what);
        std::abort();
    }
}

void checkRoundTrip(const SmfFile& file) {
    const SmfReadResult back = readSmf(writeSmf(file));
    check(back.file.has_value(), "a written file reads back");
    check(back.file->tracks.size() == file.tracks.size(), "the tracks read back");
    for (size_t t = 0; t < file.tracks.size(); ++t)
        check(back.file->tracks[t].events == file.tracks[t].events, "the events read back");
}

void checkTempoMap(const SmfFile& file) {
    const TempoMap map(file);
    double previous = -1;
    for (uint32_t tick : {0u, 1u, 96u, 480u, 1920u, 100000u, 0x0FFFFFFFu}) {
        const double us = map.microsecondsAt(tick);
        check(us >= previous, "time grows with the ticks");
        previous = us;
        const double back = map.ticksAt(us);
        check(std::abs(back - tick) <= 1e-6 * tick + 1e-3, "ticks convert back");
    }
}

void checkImport(const SmfFile& file) {
    const MidiMelody melody = midiMelody(file, {});
    if (!melody.ringtone) {
        check(!melody.error.empty(), "a failed import says why");
        return;
    }
    const formats::Ringtone& ringtone = *melody.ringtone;
    const int tempo = ringtone.tempo.tempo();
    check(tempo >= 40 && tempo <= 240, "the tempo is one a song has");
    const std::u16string& text = ringtone.parts.at(0).melody;
    check(melody::isValidMelodyText(text), "the melody is valid melody text");
    melody::ParserState state;
    for (state.currentNote.clearText(); melody::readNextNote(state, text);
         state.currentNote.clearText()) {
        const melody::Note& n = state.currentNote;
        if (melody::isNoteCode(n.length[0]))
            check(melody::midiNoteNumber(n.octave, n.pitch, n.sharp).has_value(),
                  "every note lies in the range");
    }
    RecordingInteractive ui;
    const formats::DecodeResult decoded =
        formats::decodeMldBytes(formats::encodeMld(ringtone, formats::MldSizeLimit::Lifted, ui), 0);
    check(!decoded.part || decoded.part->melody == text,
          "the i-melody file decodes to the imported melody");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 16384)
        return 0;
    const SmfReadResult read = readSmf(std::string_view(reinterpret_cast<const char*>(data), size));
    check(read.file.has_value() != !read.error.empty(), "a file or an error");
    if (!read.file)
        return 0;
    checkRoundTrip(*read.file);
    checkTempoMap(*read.file);
    checkImport(*read.file);
    return 0;
}
