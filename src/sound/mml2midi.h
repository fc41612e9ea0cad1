#pragma once
// The MML-to-MIDI file conversion the chord playback calls: reads an MML file (code page 932),
// compiles it and writes the MIDI file. As the caller expects, the result text begins with the
// path of the written file when the conversion succeeded; the caller checks it with
// resultNamesFile.

#include <filesystem>
#include <string>
#include <string_view>

namespace sarvo::sound {

struct Mml2MidiResult {
    std::string result; // the MIDI file's path on success, empty otherwise
    std::string error;  // why nothing was written ("line 2, column 5: ..."), empty on success
};

Mml2MidiResult mml2midi(const std::filesystem::path& mmlFile,
                        const std::filesystem::path& midiFile);

// True when the result text begins with the path of the MIDI file, letter case ignored.
bool resultNamesFile(std::string_view result, const std::filesystem::path& midiFile);

} // namespace sarvo::sound
