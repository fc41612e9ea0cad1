#include "formats/ui/importreading.h"

#include "common/textcodec.h"
#include "sound/midiimport.h"
#include "sound/smfreader.h"

namespace sarvo::formats {

ImportedFile readImport(const ImportRequest& request) {
    const ImportOption& option = importOptions()[static_cast<size_t>(request.option)];
    if (option.kind != ImportKind::Midi)
        return importFile(option.kind, request.path);
    const sound::MldImport converted = sound::midiFileToMld(request.path, request.midiVoice);
    if (!converted.error.empty())
        return {.error = fromUtf8(converted.error).value_or(u"MIDI import failed")};
    return importMldBytes(converted.bytes);
}

MidiVoices midiVoices(const std::filesystem::path& path) {
    const sound::SmfReadResult read = sound::readSmfFile(path);
    if (!read.file)
        return {.error = read.error};
    const std::vector<sound::NoteSpan> notes = sound::collectNotes(*read.file);
    MidiVoices listed{sound::listVoices(*read.file, notes)};
    const sound::ChosenNotes chosen = sound::chooseMelodyNotes(*read.file, notes, {});
    for (size_t i = 0; i < listed.voices.size() && chosen.voice; ++i) {
        if (listed.voices[i].track == chosen.voice->track &&
            listed.voices[i].channel == chosen.voice->channel)
            listed.automatic = static_cast<int>(i);
    }
    return listed;
}

} // namespace sarvo::formats
