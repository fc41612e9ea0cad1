#pragma once
// Reading standard MIDI files (formats 0 and 1): chunks, variable-length quantities, running
// status, meta events; system-exclusive messages are skipped. A damaged file gives an error text
// that names the track and the byte offset where reading stopped.

#include "sound/midievent.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sarvo::sound {

struct SmfReadResult {
    std::optional<SmfFile> file;
    std::string error; // empty when file holds a value
};

SmfReadResult readSmf(std::string_view bytes);
SmfReadResult readSmfFile(const std::filesystem::path& path);

} // namespace sarvo::sound
