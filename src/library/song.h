#pragma once
// A song of the library as its song file holds it: one section "曲情報" with the properties that
// the music box shows and the melody text.

#include <string>
#include <string_view>

namespace sarvo::library {

inline constexpr std::u16string_view kSongSection = u"曲情報";
// Every key but the melody is read into a 255-byte buffer.
inline constexpr size_t kSongKeyBuffer = 255;

// The fields the song-properties dialog edits.
struct SongProperties {
    std::u16string name;
    std::u16string kashu; // musician
    std::u16string jan;   // genre
    std::u16string body;  // comment
    std::u16string tenpo; // tempo
    std::u16string neiro; // voice: GM program number

    friend bool operator==(const SongProperties&, const SongProperties&) = default;
};

// One row of the music box: the properties with the icon, the author and the date.
struct SongInfo {
    SongProperties properties;
    std::u16string icon = u"1";
    std::u16string from; // author
    std::u16string date; // "yyyy/mm/dd hh:nn"

    const std::u16string& name() const { return properties.name; }

    friend bool operator==(const SongInfo&, const SongInfo&) = default;
};

struct Song {
    SongInfo info;
    std::u16string melody; // always ends with a space

    friend bool operator==(const Song&, const Song&) = default;
};

} // namespace sarvo::library
