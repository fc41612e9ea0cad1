#pragma once
// The twelve pitch keys: which computer key types each pitch, its name in tokens, its keypad
// digit for the phone guides and its MIDI offset per octave column.
//
// Rows: ド レ ミ フ ソ ラ シ, then ド# レ# フ# ソ# ラ#. Columns: 0 low (Ctrl), 1 middle (no
// modifier), 2 high (Shift).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace sarvo::melody {

inline constexpr int kPitchRows = 12;
// Modifier state that selects each column: Ctrl 2, none 0, Shift 1.
inline constexpr std::array<uint16_t, 3> kColumnModifiers = {2, 0, 1};
inline constexpr int kKeyMapCount = 3;

struct PitchKeyRow {
    uint16_t keyCode = 0;   // virtual key code ('1'..'7', 'Q'.. under the first map)
    std::u16string name;    // "ド" ... "シ", "ド#" ... "ラ#"
    std::u16string keyText; // the keypad digit of the note, "１" for ド ... "７" for シ
    std::array<int, 3> midiOffset{}; // 12 × column + semitone
};

class PitchKeyTable {
public:
    explicit PitchKeyTable(int keyMap = 0);

    // Rewrites the key codes from the caption of a key map (0, 1 or 2; others are ignored).
    void applyKeyMap(int keyMap);
    static std::u16string_view keyMapCaption(int keyMap);

    const PitchKeyRow& row(int index) const { return m_rows.at(index); }
    // The first row with this key code or name; -1 when none matches.
    int findKeyByCode(uint16_t keyCode) const;
    int findKeyByName(std::u16string_view name) const;

private:
    std::array<PitchKeyRow, kPitchRows> m_rows;
};

} // namespace sarvo::melody
