#include "melody/notecodes.h"

#include <array>

namespace sarvo::melody {
namespace {

constexpr std::array<std::u16string_view, 12> kChromaticNames = {
    u"ド", u"ド", u"レ", u"レ", u"ミ", u"フ", u"フ", u"ソ", u"ソ", u"ラ", u"ラ", u"シ"};
constexpr std::array<bool, 12> kChromaticSharp = {false, true,  false, true,  false, false,
                                                  true,  false, true,  false, true,  false};
constexpr std::array<std::u16string_view, 3> kOctaveMarks = {u"低", u"中", u"高"};

} // namespace

bool isPlainNoteCode(char16_t code) {
    return code >= u'A' && code <= u'E';
}
bool isPlainRestCode(char16_t code) {
    return code >= u'F' && code <= u'J';
}
bool isTupletNoteCode(char16_t code) {
    return code == u'2' || code == u'3' || code == u'5' || code == u'6';
}
bool isTupletRestCode(char16_t code) {
    return code == u'\\' || code == u']' || code == u'_' || code == u'`';
}
bool isNoteCode(char16_t code) {
    return isPlainNoteCode(code) || isTupletNoteCode(code);
}
bool isRestCode(char16_t code) {
    return isPlainRestCode(code) || isTupletRestCode(code);
}

char16_t restCodeOf(char16_t noteCode) {
    if (isPlainNoteCode(noteCode))
        return static_cast<char16_t>(noteCode + 5);
    if (isTupletNoteCode(noteCode))
        return static_cast<char16_t>(noteCode + 42);
    return noteCode;
}

char16_t noteCodeOf(char16_t restCode) {
    if (isPlainRestCode(restCode))
        return static_cast<char16_t>(restCode - 5);
    if (isTupletRestCode(restCode))
        return static_cast<char16_t>(restCode - 42);
    return restCode;
}

int tupletGroupSize(char16_t code) {
    switch (isTupletRestCode(code) ? noteCodeOf(code) : code) {
    case u'2':
    case u'3': return 3;
    case u'5':
    case u'6': return 6;
    default: return 0;
    }
}

int lengthTicks(char16_t code, bool dotted) {
    char16_t note = isRestCode(code) ? noteCodeOf(code) : code;
    int plain = 0;
    switch (note) {
    case u'A': plain = 16 * kTicksPerSixteenth; break;
    case u'B': plain = 8 * kTicksPerSixteenth; break;
    case u'C': plain = 4 * kTicksPerSixteenth; break;
    case u'D': plain = 2 * kTicksPerSixteenth; break;
    case u'E': plain = 1 * kTicksPerSixteenth; break;
    // Tuplets carry no dot: three (or six) of them fill the time of a half or a quarter.
    case u'2': return 8 * kTicksPerSixteenth / 3;
    case u'3': return 4 * kTicksPerSixteenth / 3;
    case u'5': return 8 * kTicksPerSixteenth / 6;
    case u'6': return 4 * kTicksPerSixteenth / 6;
    default: return 0;
    }
    return dotted ? plain * 3 / 2 : plain;
}

std::optional<int> octaveIndex(std::u16string_view mark) {
    for (int i = 0; i < 3; ++i)
        if (mark == kOctaveMarks[i])
            return i;
    return std::nullopt;
}

std::u16string_view octaveMark(int index) {
    return index >= 0 && index < 3 ? kOctaveMarks[index] : std::u16string_view();
}

std::optional<int> semitoneOf(std::u16string_view pitch, std::u16string_view sharp) {
    bool sharped = sharp == u"#";
    if (!sharped && !sharp.empty())
        return std::nullopt;
    for (int s = 0; s < 12; ++s)
        if (kChromaticNames[s] == pitch && kChromaticSharp[s] == sharped)
            return s;
    return std::nullopt;
}

std::u16string_view pitchNameOf(int semitone) {
    return kChromaticNames.at(semitone);
}
std::u16string_view sharpMarkOf(int semitone) {
    return kChromaticSharp.at(semitone) ? u"#" : u"";
}

std::optional<int> midiNoteNumber(std::u16string_view octave, std::u16string_view pitch,
                                  std::u16string_view sharp) {
    auto o = octaveIndex(octave);
    auto s = semitoneOf(pitch, sharp);
    if (!o || !s)
        return std::nullopt;
    return 60 + 12 * *o + *s;
}

} // namespace sarvo::melody
