#pragma once
// The play command's MML path: the selected songs (up to 26) written as the parts of one MML
// text, compiled into a standard MIDI file that the MIDI file player plays. A phone type on show
// plays every part as that type's keys read back, so each part sounds as the phone can play it.
//
// The work files lie in the user's cache folder ("$XDG_CACHE_HOME/sarvo", else
// "~/.cache/sarvo"), not beside the program, which may be read-only.

#include "common/interaction.h"
#include "library/songlibrary.h"
#include "melody/parserstate.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::app {

inline constexpr std::u16string_view kChordConversionFailed =
    u"MMLファイル→MIDIファイル変換失敗！（；＿；";

struct ChordWorkFiles {
    std::filesystem::path mml;  // "Sarvo.mml"
    std::filesystem::path midi; // "Sarvo.mid"
};
ChordWorkFiles chordWorkFiles();

// One part: its melody and the song's "Tenpo" and "Neiro" as stored.
struct ChordSong {
    std::u16string melody;
    std::u16string tenpo;
    std::u16string neiro;
};

// The named songs in order, skipping names without a song file; the song being edited plays the
// melody on screen, saved or not.
std::vector<ChordSong> chordSongs(const library::SongLibrary& library,
                                  const std::vector<std::u16string>& names,
                                  std::u16string_view currentName,
                                  std::u16string_view currentMelody);

struct ChordRequest {
    std::vector<ChordSong> songs;
    int view = 0;                     // the view selector's entry; 2 to 40 a phone type
    std::optional<int> settingsVoice; // the program of songs without a voice of their own
};

// Writes the MML file and compiles it into the MIDI file. With more than 26 songs the user is
// asked whether to play the first 26. False, after kChordConversionFailed, when no MIDI file
// came out (no part left, or the compiler refused the text).
bool writeChordMidi(const ChordRequest& request, const ChordWorkFiles& files,
                    melody::ParserState& state, IInteractive& ui);

} // namespace sarvo::app
