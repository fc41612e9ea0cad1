#pragma once
// One entry of the staff view: a note, a rest or a tie, as the staff keeps it beside the melody
// text. A note token with ties becomes the note and one tie entry per tie.

#include <string>

namespace sarvo::melody {

struct StaffNote {
    // Octave mark + pitch name + optional "#" ("中ド#"); "" for a rest; octave mark + pitch name
    // (no sharp) for a tie entry.
    std::u16string pitch;
    // Length code + optional "." ("C."); "^" for a tie entry.
    std::u16string length;
    // Drawn in blue; the last selected note becomes the current note.
    bool selected = false;

    bool isTie() const { return length == u"^"; }
    bool isRest() const { return pitch.empty() && !isTie(); }
    bool operator==(const StaffNote&) const = default;
};

} // namespace sarvo::melody
