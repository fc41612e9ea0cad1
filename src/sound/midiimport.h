#pragma once
// MIDI import: a standard MIDI file to an i-melody file of one part, which the import then
// decodes like any i-melody file.
//
// The melody is the voice (track and channel) with the most notes in the upper register, or the
// track or channel the caller names; drums (channel 10) never count. Chords are reduced to their
// top line; the tempo is the one that holds for most of the melody, and time under tempi about
// twice or half as fast is scaled by octaves so that the melody keeps its speed; a constant or
// drifting delay of the playing is removed; onsets and lengths are fitted to the note codes
// (dotted notes and triplets included) and the notes moved into the melody's range.

#include "formats/hexbytes.h"
#include "formats/ringtone.h"
#include "keyguide/phonetypes.h"
#include "sound/midinotes.h"

#include <filesystem>
#include <optional>
#include <string>

namespace sarvo::sound {

struct MidiMelody {
    std::optional<formats::Ringtone> ringtone; // one part
    std::optional<MidiVoice> voice;            // the voice chosen by default
    std::string error;
};

// The melody of a file in memory. The title is the name of the first track, or defaultTitle.
MidiMelody midiMelody(const SmfFile& file, MelodySource source,
                      const std::u16string& defaultTitle = {});

// The i-melody file of a MIDI file's melody, in memory (the file name without its extension is
// the title when the first track has no name).
struct MldImport {
    formats::Bytes bytes;
    std::string error; // when not empty, bytes is empty
};
MldImport midiFileToMld(const std::filesystem::path& midiFile, MelodySource source = {});

// Reads the MIDI file and writes the i-melody file of its melody. Returns "" or the error text.
std::string midiImport(const std::filesystem::path& midiFile, const std::filesystem::path& mldFile,
                       MelodySource source = {});

// How long a melody is against what a phone holds: its notes, rests and ties (each one entry on
// a phone), and the number of entries the phone type's capacity text starts with ("128音"). A
// type whose capacity is only its memory's, and no type at all, hold the most of any type.
struct MelodyCapacity {
    int length = 0;
    int capacity = 0;
    std::u16string typeName; // "Type-E"; empty when the most of any type counts
    bool exceeded() const { return length > capacity; }
};
MelodyCapacity melodyCapacity(std::u16string_view melody, const keyguide::PhoneType* type);

// The warning for a melody longer than the type (or any type) holds, with both counts; empty
// when the melody fits.
std::u16string capacityWarning(const MelodyCapacity& capacity);

// The tempo that holds for the most ticks between first and last tick, in quarter notes per
// minute, moved by octaves (doubling or halving) into 40 to 240.
int melodyTempo(const SmfFile& file, uint32_t first, uint32_t last);

} // namespace sarvo::sound
