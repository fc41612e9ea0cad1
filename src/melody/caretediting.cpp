#include "melody/caretediting.h"

#include "melody/noteparser.h"

#include <algorithm>

namespace sarvo::melody {

int tokenIndexAtCaret(const MelodyText& melody) {
    const size_t end = std::min(static_cast<size_t>(std::max(melody.caret, 0)), melody.text.size());
    return static_cast<int>(
        std::count(melody.text.begin(), melody.text.begin() + static_cast<long>(end), u' '));
}

void moveCaretToToken(MelodyText& melody, int n) {
    if (n <= 0) {
        melody.caret = 0;
        return;
    }
    int spaces = 0;
    for (size_t i = 0; i < melody.text.size(); ++i) {
        if (melody.text[i] == u' ' && ++spaces == n) {
            melody.caret = static_cast<int>(i + 1);
            return;
        }
    }
}

void insertToken(MelodyText& melody, std::u16string_view token) {
    const size_t at = std::min(static_cast<size_t>(std::max(melody.caret, 0)), melody.text.size());
    std::u16string piece(token);
    piece += u' ';
    melody.text.insert(at, piece);
    melody.caret = static_cast<int>(at + piece.size());
}

TupletToggleResult toggleTuplet(MelodyText& melody, char16_t kind) {
    TupletToggleResult result;
    const long caret = std::min(static_cast<long>(std::max(melody.caret, 0)),
                                static_cast<long>(melody.text.size()));
    if (caret == 0)
        return result;
    long start = caret - 1;
    while (start >= 0 && !isTokenStart(melody.text[static_cast<size_t>(start)]))
        --start;
    if (start < 0)
        return result;
    const size_t at = static_cast<size_t>(start);
    const char16_t code = melody.text[at];

    result.outcome = TupletToggleResult::Outcome::Refused;
    if (at + 1 < melody.text.size() && melody.text[at + 1] == u'.') {
        result.refusal = kTupletAfterDotRefusal;
        return result;
    }
    char16_t newCode;
    if (code == u'C' || code == u'2' || code == u'5')
        newCode = static_cast<char16_t>(kind - 1); // quarter-based: 2 or 5
    else if (code == u'D' || code == u'3' || code == u'6')
        newCode = kind; // eighth-based: 3 or 6
    else {
        result.refusal = kTupletLengthRefusal;
        return result;
    }
    // Pressing the same tuplet again goes back to the plain length.
    if (code == newCode)
        newCode = (newCode == u'3' || newCode == u'6') ? u'D' : u'C';
    melody.text[at] = newCode;

    result.outcome = TupletToggleResult::Outcome::Changed;
    result.newCode = std::u16string(1, newCode);
    result.tokenIndex =
        static_cast<int>(std::count(melody.text.begin(), melody.text.begin() + start, u' '));
    return result;
}

} // namespace sarvo::melody
