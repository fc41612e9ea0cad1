#include "cable/cabletypes.h"

#include "keyguide/phonetypes.h"

#include <algorithm>
#include <array>

namespace sarvo::cable {
namespace {

// Pitch numbers count semitones from 低ド; octave o and semitone s below.
constexpr int octaveOf(int pitch) {
    return pitch / 12;
}
constexpr int semitoneOf(int pitch) {
    return pitch % 12;
}

// Octave × 16 + semitone (ド = 1).
int pitchAA(int pitch) {
    return octaveOf(pitch) * 16 + semitoneOf(pitch) + 1;
}
// 1 .. 12 中ド .. 中シ, 13 .. 24 高ド .. 高シ; no 低.
int pitchO(int pitch) {
    return pitch < 12 ? -1 : pitch - 11;
}
// 0 .. 11 中ド .. 中シ, 12 .. 23 高ド .. 高シ; no 低.
int pitchS(int pitch) {
    return pitch < 12 ? -1 : pitch - 12;
}
// 低ド .. 低シ 0x03 .. 0x0E; 中ド 0x0F, 中ド# .. 中シ 0x14 .. 0x1E; 高ド 0x1F, 高ド# .. 0x24 ..
// 0x2E.
int pitchE(int pitch) {
    if (pitch < 12)
        return pitch + 0x03;
    const int base = octaveOf(pitch) == 1 ? 0x0F : 0x1F;
    return semitoneOf(pitch) == 0 ? base : base + 4 + semitoneOf(pitch);
}
// The designed types: 1 .. 36 (Type-AB), the i-melody key 15 .. 50 (Type-AC), the MIDI note
// 60 .. 95 (Type-AD).
int pitchAB(int pitch) {
    return pitch + 1;
}
int pitchAC(int pitch) {
    return pitch + 15;
}
int pitchAD(int pitch) {
    return pitch + 60;
}

constexpr std::array<LengthValue, 8> kLengthsAA = {{{u'A', false, 0},
                                                    {u'B', true, 1},
                                                    {u'B', false, 2},
                                                    {u'C', true, 3},
                                                    {u'C', false, 4},
                                                    {u'D', true, 5},
                                                    {u'D', false, 7},
                                                    {u'E', false, 9}}};
// Sixteenths.
constexpr std::array<LengthValue, 8> kLengthsO = {{{u'A', false, 16},
                                                   {u'B', true, 12},
                                                   {u'B', false, 8},
                                                   {u'C', true, 6},
                                                   {u'C', false, 4},
                                                   {u'D', true, 3},
                                                   {u'D', false, 2},
                                                   {u'E', false, 1}}};
constexpr std::array<LengthValue, 8> kLengthsS = {{{u'A', false, 7},
                                                   {u'B', true, 6},
                                                   {u'B', false, 5},
                                                   {u'C', true, 4},
                                                   {u'C', false, 3},
                                                   {u'D', true, 2},
                                                   {u'D', false, 1},
                                                   {u'E', false, 0}}};
// Twice the notes to a whole note; a dot adds one; tuplets by their own share of a whole.
constexpr std::array<LengthValue, 13> kLengthsE = {{{u'A', true, 3},
                                                    {u'A', false, 2},
                                                    {u'B', true, 5},
                                                    {u'B', false, 4},
                                                    {u'C', true, 9},
                                                    {u'C', false, 8},
                                                    {u'D', true, 17},
                                                    {u'2', false, 12},
                                                    {u'D', false, 16},
                                                    {u'E', true, 33},
                                                    {u'3', false, 24},
                                                    {u'E', false, 32},
                                                    {u'6', false, 48}}};

constexpr NoteCodec kCodecAA{pitchAA, 0, kLengthsAA};
constexpr NoteCodec kCodecO{pitchO, 0, kLengthsO};
constexpr NoteCodec kCodecS{pitchS, 25, kLengthsS};
constexpr NoteCodec kCodecE{pitchE, 0, kLengthsE};
constexpr NoteCodec kCodecAB{pitchAB, 0, {}};
constexpr NoteCodec kCodecAC{pitchAC, 0, {}};
constexpr NoteCodec kCodecAD{pitchAD, 0, {}};

constexpr std::u16string_view kLimit60 = u"※携帯電話の制限で６０音までしか書き込めませんでした。";
constexpr std::u16string_view kLimit256 = u"※携帯電話の制限で256音までしか書き込めませんでした。";
constexpr std::u16string_view kLimitWide256 =
    u"※携帯電話の制限で２５６音までしか書き込めませんでした。";

constexpr std::array<CableTypeInfo, 7> kCableTypes = {{
    {CableType::E, u"Type-E", Family::D1010C, &kCodecE, 256, kLimitWide256, 3},
    {CableType::O, u"Type-O", Family::D1060F, &kCodecO, 60, kLimit60, 1},
    {CableType::S, u"Type-S", Family::D1060F, &kCodecS, 60, kLimit60, 1},
    {CableType::AA, u"Type-AA", Family::D1060F, &kCodecAA, 256, kLimit256, 1},
    {CableType::AB, u"Type-AB", Family::D1010C, &kCodecAB, 256, kLimitWide256, 3},
    {CableType::AC, u"Type-AC", Family::D1010D, &kCodecAC, 256, kLimitWide256, 1},
    {CableType::AD, u"Type-AD", Family::D10901, &kCodecAD, 256, kLimitWide256, 1},
}};

char16_t lowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
}

} // namespace

std::span<const CableTypeInfo> cableTypes() {
    return kCableTypes;
}

const CableTypeInfo& cableTypeInfo(CableType type) {
    return kCableTypes[static_cast<size_t>(type)];
}

std::optional<CableType> cableTypeByName(std::u16string_view shortName) {
    for (const CableTypeInfo& info : kCableTypes)
        if (std::ranges::equal(info.shortName, shortName, {}, lowerAscii, lowerAscii))
            return info.type;
    return std::nullopt;
}

std::u16string_view cableEntryText(CableType type) {
    return keyguide::phoneTypeByShortName(cableTypeInfo(type).shortName)->cableLabel;
}

std::u16string ringtoneSlotName(int slot) {
    std::u16string name = u"着信音";
    if (slot < 10)
        return name + static_cast<char16_t>(u'０' + slot);
    const int number = slot % 20; // slot 20 is "00"
    return name + static_cast<char16_t>(u'0' + number / 10) +
           static_cast<char16_t>(u'0' + number % 10);
}

Family familyOf(CableType type, bool d502i) {
    return type == CableType::AC && d502i ? Family::D103 : cableTypeInfo(type).family;
}

} // namespace sarvo::cable
