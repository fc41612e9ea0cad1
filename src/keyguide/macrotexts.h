#pragma once
// Macro texts: a compact second form of a key text, for the typing tools that send key presses
// to a phone from a computer. Eight types have one (Type-A, D, E, G, J, O, S, W), Type-E a
// second one. Both are built by walking the key text cell by cell.
//
// The first form writes each press group as its key, repeated once per press, closed by "R";
// the cursor key "→" becomes "Q" on its own. Keys are written as narrow digits and letters:
//   ０-９ → 0-9   ＃ → W   ＊ → Z   ▲ → Y   ▼ → T   ↑ → U   ↓ → V   クリア → X   Ｆ → N   文字 → L
// so "３", "→", "５×４" becomes "3RQ5555R".
// The second form writes a press count as the key, "@" and the count instead of repeating the
// key, and separates the groups with ","; "→" is "Q" as before: "3,Q,5@4".

#include <string>
#include <string_view>

namespace sarvo::keyguide {

enum class MacroForm { Repeated, Counted };

// Whether the type has a macro text of that form.
bool hasMacroText(int typeIndex, MacroForm form);

// The macro text of a key text; "" for a type without that form. A key with no macro letter is
// left out, so that a hand-edited key text never yields a macro the tool would misread.
std::u16string macroText(std::u16string_view keyText, MacroForm form);

} // namespace sarvo::keyguide
