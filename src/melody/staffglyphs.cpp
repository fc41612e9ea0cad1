#include "melody/staffglyphs.h"

#include "melody/notecodes.h"

#include <array>

namespace sarvo::melody {
namespace {

constexpr std::u16string_view kPitchNames = u"ドレミフソラシ";
constexpr int kStepTwips = 60;
constexpr int kLowestOffset = 720; // 低ド

// The note glyph of a pitched length ("C.", "3") at a pitch; Unknown for a length that is not
// a note code or a pitch outside the table.
StaffGlyph noteGlyph(std::u16string_view pitch, std::u16string_view length) {
    StaffGlyph glyph;
    const auto offset = pitchOffset(pitch);
    if (length.empty() || !offset || !isNoteCode(length[0]))
        return glyph;
    const char16_t code = length[0];
    const bool dotted = length.size() > 1 && length[1] == notefont::kDot;
    const bool downPitch = isStemDownPitch(pitch);
    glyph.kind = StaffGlyphKind::Note;
    glyph.pitchOffset = *offset;
    glyph.wholeNote = code == u'A';
    if (isTupletNoteCode(code)) {
        // Tuplets carry no dot.
        glyph.stemDown = downPitch;
        glyph.text = downPitch ? char16_t(code + notefont::kStemDownDigitShift) : code;
    } else {
        glyph.stemDown = downPitch && !glyph.wholeNote;
        glyph.text = glyph.stemDown ? char16_t(code + notefont::kStemDownLetterShift) : code;
        if (dotted)
            glyph.text += glyph.stemDown ? notefont::kStemDownDot : notefont::kDot;
    }
    return glyph;
}

} // namespace

std::optional<int> pitchOffset(std::u16string_view pitch) {
    if (pitch.size() < 2)
        return std::nullopt;
    const auto octave = octaveIndex(pitch.substr(0, 1));
    const size_t degree = kPitchNames.find(pitch[1]);
    const std::u16string_view rest = pitch.substr(2);
    if (!octave || degree == std::u16string_view::npos || !(rest.empty() || rest == u"#"))
        return std::nullopt;
    return kLowestOffset - kStepTwips * (*octave * 7 + static_cast<int>(degree));
}

bool isHighOctave(std::u16string_view pitch) {
    return !pitch.empty() && pitch[0] == u'高';
}

bool isStemDownPitch(std::u16string_view pitch) {
    return isHighOctave(pitch) || pitch.substr(0, 2) == u"中シ";
}

StaffGlyph chooseGlyph(const StaffNote& note, const StaffNote* tiedFrom) {
    if (note.isTie()) {
        StaffGlyph glyph;
        const auto offset = pitchOffset(note.pitch);
        if (!offset)
            return glyph;
        if (tiedFrom)
            glyph = noteGlyph(note.pitch, tiedFrom->length);
        glyph.kind = StaffGlyphKind::Tie;
        glyph.pitchOffset = *offset;
        glyph.stemDown = isStemDownPitch(note.pitch) && !glyph.wholeNote;
        glyph.tieArc = isStemDownPitch(note.pitch) ? notefont::kTieOver : notefont::kTieUnder;
        return glyph;
    }
    if (note.pitch.empty()) {
        StaffGlyph glyph;
        if (note.length.empty() || !isRestCode(note.length[0]))
            return glyph;
        glyph.kind = StaffGlyphKind::Rest;
        glyph.text = note.length.substr(0, isTupletRestCode(note.length[0]) ? 1 : 2);
        return glyph;
    }
    StaffGlyph glyph = noteGlyph(note.pitch, note.length);
    if (glyph.kind == StaffGlyphKind::Note && note.pitch.size() > 2)
        glyph.sharp = isHighOctave(note.pitch) ? notefont::kHighSharp : notefont::kSharp;
    return glyph;
}

} // namespace sarvo::melody
