#pragma once
// Writing standard MIDI files: the header, one MTrk chunk per track with delta times as
// variable-length quantities, running status for repeated channel messages and an end-of-track
// event closing every track.

#include "sound/midievent.h"

#include <filesystem>
#include <string>

namespace sarvo::sound {

// The bytes of the file. Events of a track are written in tick order (events at one tick keep
// their order); the end of the track is at its endTick or its last event, whichever is later.
// Ticks must not pass kMaxTick.
std::string writeSmf(const SmfFile& file);

// Writes the file through writeFileAtomically; returns "" or the error text.
std::string writeSmfFile(const std::filesystem::path& path, const SmfFile& file);

// A variable-length quantity as the file format writes delta times and lengths.
void appendVlq(std::string& out, uint32_t value);

} // namespace sarvo::sound
