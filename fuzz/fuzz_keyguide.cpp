// libFuzzer target over the melody walk, the key guides (conversion and read-back), the
// transposition and the caret edits. Every check below is a property the program relies on; a
// violated one aborts, so that libFuzzer keeps the input as a crash.
//
// The input bytes become UTF-16 text through a small decoder that favours the characters the
// melody and key-text grammars care about:
//   * an ASCII byte that is itself a melody character (A-J, 2 3 5 6, \ ] _ `, ^ . # and the
//     space) stands for itself; any other byte below 0x80 picks a character of kAlphabet;
//   * a well-formed two- or three-byte UTF-8 sequence is that character, so that plain UTF-8
//     melody files (fuzz/corpus/keyguide) read as the melodies they show;
//   * a byte 0xF0-0xFF followed by two bytes is one raw UTF-16 unit (low byte first), which
//     reaches every other character, lone surrogates included;
//   * any other byte (a stray continuation byte, a cut sequence) picks from kAlphabet.
// The carets of the editing checks come from the first, middle and last input bytes.

#include "common/interaction.h"
#include "common/textcodec.h"
#include "keyguide/keyconversion.h"
#include "keyguide/keyreading.h"
#include "keyguide/phonetypes.h"
#include "melody/caretediting.h"
#include "melody/foreignnotation.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"
#include "melody/transpose.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace sarvo;
using melody::ParserState;

constexpr std::u16string_view kAlphabet =
    u"ABCDEFGHIJ2356\\]_`^.#  低中高ドレミフソラシ０１２３４５６７８９→×＃＊　";
constexpr std::u16string_view kAsciiMelodyChars = u"ABCDEFGHIJ2356\\]_`^.# ";

// Prints a text as a C++ u16string literal, so that a failing input can be pasted into a test.
void printLiteral(const char* name, std::u16string_view text) {
    std::fprintf(stderr, "  %s = u\"", name);
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\')
            std::fputc(static_cast<char>(c), stderr);
        else
            std::fprintf(stderr, "\\u%04X", static_cast<unsigned>(c));
    }
    std::fprintf(stderr, "\"  (%s)\n", toUtf8(text).c_str());
}

using Shown = std::initializer_list<std::pair<const char*, std::u16string_view>>;

// The decoded text of the input being run, printed with every violated invariant.
std::u16string_view currentInput;

void check(bool ok, const char* what, Shown texts = {}) {
    if (!ok) {
        std::fprintf(stderr, "invariant violated: %s\n", what);
        printLiteral("input", currentInput);
        for (const auto& [name, text] : texts)
            printLiteral(name, text);
        std::abort();
    }
}

char16_t pick(uint8_t byte) {
    return kAlphabet[byte % kAlphabet.size()];
}

bool isContinuation(uint8_t b) {
    return (b & 0xC0) == 0x80;
}

std::u16string decodeInput(const uint8_t* data, size_t size) {
    std::u16string text;
    text.reserve(size);
    size_t i = 0;
    while (i < size) {
        const uint8_t b = data[i];
        if (b < 0x80) {
            const char16_t c = b;
            text += kAsciiMelodyChars.find(c) != std::u16string_view::npos ? c : pick(b);
            i += 1;
        } else if (b >= 0xC2 && b <= 0xDF && i + 1 < size && isContinuation(data[i + 1])) {
            text += static_cast<char16_t>((b & 0x1F) << 6 | (data[i + 1] & 0x3F));
            i += 2;
        } else if (b >= 0xE0 && b <= 0xEF && i + 2 < size && isContinuation(data[i + 1]) &&
                   isContinuation(data[i + 2])) {
            text += static_cast<char16_t>((b & 0x0F) << 12 | (data[i + 1] & 0x3F) << 6 |
                                          (data[i + 2] & 0x3F));
            i += 3;
        } else if (b >= 0xF0 && i + 2 < size) {
            text += static_cast<char16_t>(data[i + 1] | data[i + 2] << 8);
            i += 3;
        } else {
            text += pick(b);
            i += 1;
        }
    }
    return text;
}

size_t countSpaces(std::u16string_view text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), u' '));
}

// What a walk saw of one token: enough to compare two walks of texts that should parse alike.
struct WalkedNote {
    std::u16string length;
    std::u16string dot;
    std::u16string octave;
    std::u16string pitch;
    std::u16string sharp;
    int ties = 0;
};

// A full readNextNote walk. readPos must move forward on every read, a read must fail exactly
// when readPos is past the end, and while playing every read must report its selection once.
std::vector<WalkedNote> walk(std::u16string_view text, bool playing) {
    ParserState state;
    const long size = static_cast<long>(text.size());
    int shown = 0;
    long expectedStart = 0;
    long lastEnd = -1;
    if (playing) {
        state.isPlaying = true;
        state.mergeRepeats = true;
        state.noteShown = [&](int start, int length) {
            ++shown;
            check(start == expectedStart, "the selection starts at the token read");
            check(start >= 0 && start < size, "the selection starts inside the text");
            check(length >= 1, "the selection is not empty");
            check(static_cast<long>(start) + length <= size, "the selection ends inside the text");
            lastEnd = static_cast<long>(start) + length;
        };
    }
    std::vector<WalkedNote> notes;
    state.readPos = 1;
    for (long reads = 0;; ++reads) {
        check(reads <= size, "a walk reads at most one token per character");
        const int before = state.readPos;
        expectedStart = before - 1;
        state.currentNote.clearText();
        const int shownBefore = shown;
        const bool read = melody::readNextNote(state, text);
        check(read == (before <= size), "a read fails exactly when readPos is past the end");
        if (!read) {
            check(state.readPos == before, "a failed read leaves readPos alone");
            check(shown == shownBefore, "a failed read shows nothing");
            break;
        }
        check(state.readPos > before, "readPos strictly increases");
        if (playing) {
            check(shown == shownBefore + 1, "every read while playing shows its note once");
            // The selection covers the token up to its separator, or up to the end of a text
            // whose last token is cut off.
            check(state.readPos == lastEnd + 2 || (lastEnd == size && state.readPos > size),
                  "readPos stops after the shown token's separator");
        }
        const melody::Note& n = state.currentNote;
        notes.push_back({n.length, n.dot, n.octave, n.pitch, n.sharp, n.tieCount});
    }
    return notes;
}

// The two readers of foreign notations advance on every note and stop at the end.
void walkForeign(std::u16string_view text) {
    const long size = static_cast<long>(text.size());
    for (auto reader : {&melody::readLetterNote, &melody::readCodePairNote}) {
        ParserState state;
        state.readPos = 1;
        for (long reads = 0;; ++reads) {
            check(reads <= size, "a foreign walk reads at most one note per character");
            const int before = state.readPos;
            if (!reader(state, text)) {
                check(before > size, "a foreign read fails only past the end");
                break;
            }
            check(state.readPos > before, "a foreign read moves readPos forward");
        }
    }
}

std::optional<int> pitchNumber(const WalkedNote& n) {
    auto octave = melody::octaveIndex(n.octave);
    auto semitone = melody::semitoneOf(n.pitch, n.sharp);
    if (!octave || !semitone)
        return std::nullopt;
    return 12 * *octave + *semitone;
}

bool isPitched(const WalkedNote& n) {
    return !n.length.empty() && melody::isNoteCode(n.length[0]) && pitchNumber(n).has_value();
}

// Transposition rebuilds each pitched token and copies everything else, so the output walks
// into the same tokens: same lengths, dots and ties, each pitched note one semitone on (or
// left at the end of the range), every other token unchanged.
void checkTranspose(std::u16string_view text, const std::vector<WalkedNote>& before,
                    int direction) {
    ParserState state;
    const std::u16string out = melody::transposeMelody(state, text, direction);
    const std::vector<WalkedNote> after = walk(out, false);
    check(after.size() == before.size(), "transposition keeps the number of tokens");
    size_t pitched = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        const WalkedNote& a = before[i];
        const WalkedNote& b = after[i];
        check(a.length == b.length && a.dot == b.dot && a.ties == b.ties,
              "transposition keeps lengths, dots and ties");
        if (!isPitched(a)) {
            check(a.octave == b.octave && a.pitch == b.pitch && a.sharp == b.sharp,
                  "transposition leaves rests and unreadable tokens alone");
            continue;
        }
        ++pitched;
        check(isPitched(b), "a transposed note stays a note");
        const int from = *pitchNumber(a);
        const int to = *pitchNumber(b);
        const int top = 3 * 12 - 1;
        const bool atEnd = (direction > 0 && from == top) || (direction < 0 && from == 0);
        check(to == (atEnd ? from : from + direction), "a note moves one semitone");
    }
    // Each rebuilt note gains or loses at most its sharp; a note at the very end of a text
    // without its separator gains that space.
    const long delta = static_cast<long>(out.size()) - static_cast<long>(text.size());
    check(delta >= -static_cast<long>(pitched) && delta <= static_cast<long>(pitched) + 1,
          "transposition changes the length by at most one character a note");
    // Spaces are copied or written as separators, never dropped.
    check(countSpaces(out) >= countSpaces(text), "transposition never drops a space");
    check(!out.empty() || text.empty(), "transposition of a text keeps a text");
}

bool isKeyText(std::u16string_view keys) {
    return keys.size() % 5 == 0;
}

// Melody → keys → melody → keys → melody → keys: after one read-back the key text is a fixed
// point of read-back and conversion, for every phone type with rules.
void checkPhoneType(int typeIndex, std::u16string_view text) {
    RecordingInteractive ui;
    ParserState state;
    const std::u16string keys = keyguide::convertToKeys(typeIndex, text, state, ui);
    check(isKeyText(keys), "a key text is a whole number of five-character cells");

    // A conversion never depends on what the state held before.
    ParserState used;
    used.readPos = 7;
    used.currentNote = {u"D", u".", u"高", u"ソ", u"#", 3, 2};
    used.previousNote = {u"C", u"低", u"ミ", u"", u""};
    check(keyguide::convertToKeys(typeIndex, text, used, ui) == keys,
          "a conversion does not depend on an earlier walk");

    auto roundTrip = [&](std::u16string_view keyText) {
        ParserState s;
        const std::u16string melodyBack = keyguide::readKeys(typeIndex, keyText, s, ui);
        check(!melodyBack.empty() && melodyBack.back() == u' ', "a read-back ends with a blank");
        walk(melodyBack, false);
        ParserState s2;
        const std::u16string keysAgain = keyguide::convertToKeys(typeIndex, melodyBack, s2, ui);
        check(isKeyText(keysAgain), "a key text is a whole number of cells");
        return keysAgain;
    };
    auto checkFixedPoint = [&](std::u16string_view keyText) {
        const std::u16string once = roundTrip(keyText);
        const std::u16string twice = roundTrip(once);
        check(once == twice, "read-back and conversion reach a fixed point after one pass",
              {{"keys", keyText}, {"once", once}, {"twice", twice}});
    };
    checkFixedPoint(keys);

    // The raw text read as a key text, as a key file of any content would be.
    checkFixedPoint(text);
}

// Caret edits at carets taken from the input, including ones outside the text.
void checkCaretEdits(std::u16string_view text, const uint8_t* data, size_t size) {
    static constexpr std::array<std::u16string_view, 6> kTokens = {u"C中ド", u"D.高ソ#", u"H",
                                                                   u"^",     u"3低ラ",   u"`"};
    const long len = static_cast<long>(text.size());
    const std::array<uint8_t, 3> seeds = {data[0], data[size / 2], data[size - 1]};
    for (uint8_t seed : seeds) {
        const int caret = static_cast<int>(static_cast<long>(seed) % (len + 3)) - 1;
        const size_t at = static_cast<size_t>(std::clamp<long>(caret, 0, len));

        for (char16_t kind : {u'3', u'6'}) {
            melody::MelodyText m{std::u16string(text), caret};
            const auto result = melody::toggleTuplet(m, kind);
            check(m.text.size() == text.size(), "a tuplet toggle keeps the text length");
            check(m.caret == caret, "a tuplet toggle keeps the caret");
            using Outcome = melody::TupletToggleResult::Outcome;
            if (result.outcome != Outcome::Changed) {
                check(m.text == text, "a refused toggle changes nothing");
                check((result.outcome == Outcome::Refused) == !result.refusal.empty(),
                      "a refusal carries its message");
                continue;
            }
            size_t changed = text.size();
            for (size_t i = 0; i < text.size(); ++i) {
                if (m.text[i] != text[i]) {
                    check(changed == text.size(), "a toggle changes one character");
                    changed = i;
                }
            }
            check(changed < at, "a toggle changes a token before the caret");
            const std::u16string_view codes = u"CD2356";
            const char16_t oldCode = text[changed];
            const char16_t newCode = m.text[changed];
            check(codes.find(oldCode) != codes.npos && codes.find(newCode) != codes.npos,
                  "a toggle swaps a quarter/eighth code and a tuplet code");
            check(result.newCode == std::u16string(1, newCode), "the result names the new code");
            check(result.tokenIndex == static_cast<int>(countSpaces(text.substr(0, changed))),
                  "the result names the token changed");
            const auto again = melody::toggleTuplet(m, kind);
            check(again.outcome == Outcome::Changed, "a changed token can be toggled again");
            if (oldCode == u'C' || oldCode == u'D' || oldCode == kind - 1 || oldCode == kind)
                check(m.text == text, "the same toggle twice restores the token");
        }

        const std::u16string_view token = kTokens[seed % kTokens.size()];
        melody::MelodyText m{std::u16string(text), caret};
        melody::MelodyText atInsert{std::u16string(text), static_cast<int>(at)};
        const int indexBefore = melody::tokenIndexAtCaret(atInsert);
        melody::insertToken(m, token);
        std::u16string expected(text);
        expected.insert(at, std::u16string(token) + u' ');
        check(m.text == expected, "a token goes in at the caret with its space");
        check(m.caret == static_cast<int>(at + token.size() + 1), "the caret follows the token");
        const int indexAfter = melody::tokenIndexAtCaret(m);
        check(indexAfter == indexBefore + static_cast<int>(countSpaces(token)) + 1,
              "the caret is one token further on");
        const int caretAfter = m.caret;
        melody::moveCaretToToken(m, indexAfter);
        check(m.caret == caretAfter, "moving to the caret's own token keeps the caret");
        melody::moveCaretToToken(m, 0);
        check(m.caret == 0, "token 0 is the start");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 4096)
        return 0;
    const std::u16string text = decodeInput(data, size);
    currentInput = text;

    const std::vector<WalkedNote> notes = walk(text, false);
    walk(text, true);
    walkForeign(text);

    for (const keyguide::PhoneType& type : keyguide::phoneTypes())
        if (keyguide::rulesFor(type.index))
            checkPhoneType(type.index, text);

    checkTranspose(text, notes, +1);
    checkTranspose(text, notes, -1);

    checkCaretEdits(text, data, size);
    return 0;
}
