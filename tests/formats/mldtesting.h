#pragma once
// Helpers for the i-melody tests: ringtones of given parts, and the note events of a track.

#include "formats/hexbytes.h"
#include "formats/mld.h"
#include "formats/ringtone.h"

#include <gtest/gtest.h>

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

// Whatever the melody, the lengths in the file agree with its size.
inline void expectConsistentLengths(const Bytes& file) {
    ASSERT_GE(file.size(), 8u);
    EXPECT_EQ(static_cast<size_t>(file[4] << 24 | file[5] << 16 | file[6] << 8 | file[7]),
              file.size() - 8);
    const size_t trac = 10 + (file[8] << 8 | file[9]);
    EXPECT_EQ(std::string(file.begin() + trac, file.begin() + trac + 4), "trac");
    const size_t length = static_cast<size_t>(file[trac + 4] << 24 | file[trac + 5] << 16 |
                                              file[trac + 6] << 8 | file[trac + 7]);
    EXPECT_EQ(length, file.size() - trac - 8);
    EXPECT_EQ(Bytes(file.end() - 3, file.end()), (Bytes{0xFF, 0xDF, 0x00}));
}

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
        const auto append = [](Bytes& to, const Bytes& bytes, int sizeBytes) {
            for (int i = sizeBytes - 1; i >= 0; --i)
                to.push_back(static_cast<uint8_t>(bytes.size() >> (8 * i)));
            to.insert(to.end(), bytes.begin(), bytes.end());
        };
        Bytes header = {0x01, 0x01, static_cast<uint8_t>(m_tracks.size())};
        for (const auto& [tag, data] : m_chunks) {
            append(header, asciiBytes(tag), 0);
            append(header, data, 2);
        }
        Bytes body;
        append(body, header, 2);
        for (const Bytes& events : m_tracks) {
            append(body, asciiBytes(m_trackTag), 0);
            append(body, events, 4);
        }
        Bytes file = asciiBytes("melo");
        append(file, body, 4);
        return file;
    }

private:
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
