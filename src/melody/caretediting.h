#pragma once
// Editing the melody text at a caret: mapping between the caret and token indexes, inserting a
// token, and the triplet/sextuplet toggle. The caret is a 0-based character position, the
// selection start of the text box.

#include <string>
#include <string_view>

namespace sarvo::melody {

struct MelodyText {
    std::u16string text;
    int caret = 0;
    int selection = 0; // length of the text selected from the caret on
};

// Number of tokens before the caret (the spaces among its first caret characters).
int tokenIndexAtCaret(const MelodyText& melody);
// Puts the caret just after token n (0 = the start); leaves it when the text has fewer tokens.
void moveCaretToToken(MelodyText& melody, int n);
// Inserts the token and one space at the caret and puts the caret after them.
void insertToken(MelodyText& melody, std::u16string_view token);

// What a tuplet toggle did: nothing, a change of the token with the given index, or a refusal
// with the message the user sees.
struct TupletToggleResult {
    enum class Outcome { Nothing, Changed, Refused };
    Outcome outcome = Outcome::Nothing;
    int tokenIndex = -1;    // the changed token, for the staff view
    std::u16string newCode; // its new length code
    std::u16string refusal; // the message of a refusal
};

inline constexpr std::u16string_view kTupletAfterDotRefusal =
    u"３連符・６連符は付点音符の後に入力できません。";
inline constexpr std::u16string_view kTupletLengthRefusal =
    u"３連符・６連符は、４分音符／８分音符の後でしか入力できません。";

// The triplet (kind '3') or sextuplet (kind '6') toggle on the note before the caret.
TupletToggleResult toggleTuplet(MelodyText& melody, char16_t kind);

} // namespace sarvo::melody
