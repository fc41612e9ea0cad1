#include "melody/pitchkeytable.h"

namespace sarvo::melody {
namespace {

struct RowDefinition {
    std::u16string_view name;
    std::u16string_view keyText;
    int semitone;
};

// The sharp rows carry the digit of their natural: the phones type a sharp on the same key.
constexpr std::array<RowDefinition, kPitchRows> kRows = {{
    {u"ド", u"１", 0},
    {u"レ", u"２", 2},
    {u"ミ", u"３", 4},
    {u"フ", u"４", 5},
    {u"ソ", u"５", 7},
    {u"ラ", u"６", 9},
    {u"シ", u"７", 11},
    {u"ド#", u"１", 1},
    {u"レ#", u"２", 3},
    {u"フ#", u"４", 6},
    {u"ソ#", u"５", 8},
    {u"ラ#", u"６", 10},
}};

constexpr std::array<std::u16string_view, kKeyMapCount> kKeyMapCaptions = {
    u"1 2 3 4 5 6 7 Q W R T Y",
    u"A S D F G H J W E T Y U",
    u"C D E F G A B #C #D #F #G #A",
};

} // namespace

PitchKeyTable::PitchKeyTable(int keyMap) {
    for (int r = 0; r < kPitchRows; ++r) {
        PitchKeyRow& row = m_rows[r];
        row.name = kRows[r].name;
        row.keyText = kRows[r].keyText;
        for (int column = 0; column < 3; ++column)
            row.midiOffset[column] = 12 * column + kRows[r].semitone;
    }
    applyKeyMap(0);
    applyKeyMap(keyMap);
}

std::u16string_view PitchKeyTable::keyMapCaption(int keyMap) {
    if (keyMap < 0 || keyMap >= kKeyMapCount)
        return {};
    return kKeyMapCaptions[keyMap];
}

void PitchKeyTable::applyKeyMap(int keyMap) {
    std::u16string_view caption = keyMapCaption(keyMap);
    if (caption.empty())
        return;
    size_t r = 0;
    for (char16_t c : caption) {
        if (c == u'#' || c == u' ')
            continue;
        if (r < m_rows.size())
            m_rows[r++].keyCode = c;
    }
}

int PitchKeyTable::findKeyByCode(uint16_t keyCode) const {
    for (int r = 0; r < kPitchRows; ++r)
        if (m_rows[r].keyCode == keyCode)
            return r;
    return -1;
}

int PitchKeyTable::findKeyByName(std::u16string_view name) const {
    for (int r = 0; r < kPitchRows; ++r)
        if (m_rows[r].name == name)
            return r;
    return -1;
}

} // namespace sarvo::melody
