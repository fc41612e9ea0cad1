#pragma once
// Helpers for the i-melody tests: ringtones of given parts, and the note events of a track.

#include "formats/hexbytes.h"
#include "formats/mld.h"
#include "formats/ringtone.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sarvo::formats {

inline Ringtone ringtoneOf(std::vector<std::u16string> melodies, int quarterNotesPerMinute = 120,
                           std::u16string title = u"t") {
    Ringtone ringtone;
    ringtone.title = std::move(title);
    ringtone.tempo = TempoUnit::quarterNotes(quarterNotesPerMinute);
    for (std::u16string& melody : melodies)
        ringtone.parts.push_back({std::move(melody), kDefaultVoice});
    return ringtone;
}

inline Bytes encodeQuietly(const Ringtone& ringtone, MldSizeLimit limit = MldSizeLimit::Lifted) {
    RecordingInteractive ui;
    return encodeMld(ringtone, limit, ui);
}

using Event = std::array<int, 3>;

// The three-byte events of the single track of a file this program writes, after the fixed
// events (tempo, the fixed cue, four volumes and a voice and bank per part).
inline std::vector<Event> noteEvents(const Bytes& file, int partCount) {
    const size_t headerInfo = static_cast<size_t>(file.at(8) << 8 | file.at(9));
    const size_t trackData = 10 + headerInfo + 8;
    const size_t first = trackData + 4 * static_cast<size_t>(6 + 2 * partCount);
    std::vector<Event> events;
    for (size_t i = first; i + 2 < file.size(); i += 3)
        events.push_back({file[i], file[i + 1], file[i + 2]});
    return events;
}

} // namespace sarvo::formats

namespace sarvo::formats {

// Builds i-melody files the way other tools write them: any header chunks, any number of
// tracks of raw event bytes; the length fields are filled in.
class MldFileBuilder {
public:
    MldFileBuilder& chunk(std::string_view tag, Bytes data) {
        m_chunks.push_back({std::string(tag), std::move(data)});
        return *this;
    }
    MldFileBuilder& track(Bytes events) {
        m_tracks.push_back(std::move(events));
        return *this;
    }
    MldFileBuilder& trackChunkTag(std::string tag) {
        m_trackTag = std::move(tag);
        return *this;
    }

    Bytes build() const {
        Bytes header = {0x01, 0x01, static_cast<uint8_t>(m_tracks.size())};
        for (const auto& [tag, data] : m_chunks) {
            append(header, asciiBytes(tag));
            append(header, {static_cast<uint8_t>(data.size() >> 8),
                            static_cast<uint8_t>(data.size() & 0xFF)});
            append(header, data);
        }
        Bytes body = {static_cast<uint8_t>(header.size() >> 8),
                      static_cast<uint8_t>(header.size() & 0xFF)};
        append(body, header);
        for (const Bytes& events : m_tracks) {
            append(body, asciiBytes(m_trackTag));
            append(body, u32(events.size()));
            append(body, events);
        }
        Bytes file = asciiBytes("melo");
        append(file, u32(body.size()));
        append(file, body);
        return file;
    }

private:
    static void append(Bytes& to, const Bytes& bytes) {
        to.insert(to.end(), bytes.begin(), bytes.end());
    }
    static Bytes u32(size_t value) {
        return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    }

    std::vector<std::pair<std::string, Bytes>> m_chunks;
    std::vector<Bytes> m_tracks;
    std::string m_trackTag = "trac";
};

// Event bytes from a list of values, for building tracks.
inline Bytes events(std::initializer_list<std::initializer_list<int>> list) {
    Bytes bytes;
    for (const auto& event : list)
        for (int value : event)
            bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

} // namespace sarvo::formats
