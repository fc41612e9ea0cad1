#pragma once
// What the import dialog asks for, and the reading of it: any of the seven kinds of file, a MIDI
// file through the MIDI import with the voice the user chose. No Qt, so tests read files
// without a window.

#include "formats/importoptions.h"
#include "sound/midinotes.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sarvo::formats {

struct ImportRequest {
    int option = 0; // row of importOptions()
    std::filesystem::path path;
    int typeIndex = 0;             // the phone type of a key-procedure text (option 0)
    sound::MelodySource midiVoice; // the voice of a MIDI file; none for the automatic choice
};

ImportedFile readImport(const ImportRequest& request);

// The voices of a MIDI file as the dialog lists them, and the one chosen automatically.
struct MidiVoices {
    std::vector<sound::MidiVoice> voices;
    int automatic = -1; // index into voices, -1 when no voice holds a melody
    std::string error;  // why the file could not be read
};
MidiVoices midiVoices(const std::filesystem::path& path);

} // namespace sarvo::formats
