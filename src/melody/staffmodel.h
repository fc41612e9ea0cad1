#pragma once
// The staff view's own list of notes, kept in step with the melody text: filled from the text by
// rebuildStaff and edited note by note as the keyboard edits the text. Indexes are 1-based; the
// current index (0 = before the first note) is the number of notes before the caret, so an
// insertion goes after the current note.

#include "melody/parserstate.h"
#include "melody/staffnote.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::melody {

class StaffModel {
public:
    using const_iterator = std::vector<StaffNote>::const_iterator;

    StaffModel() = default;
    // A change listener belongs to the model it was set on: a copy starts without one, and
    // assigning notes to a model tells its own listener.
    StaffModel(const StaffModel& other);
    StaffModel& operator=(const StaffModel& other);

    // Called after every change of the notes, the selection or the current index, so that a
    // view shows edits made by whoever holds the model.
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }

    int count() const { return static_cast<int>(m_notes.size()); }
    bool isEmpty() const { return m_notes.empty(); }
    // The note at a 1-based index; nullptr outside 1..count().
    const StaffNote* item(int index) const;
    const std::vector<StaffNote>& notes() const { return m_notes; }
    const_iterator begin() const { return m_notes.begin(); }
    const_iterator end() const { return m_notes.end(); }

    int currentIndex() const { return m_current; }
    // Clamped to 0..count().
    void setCurrentIndex(int index);

    // Appends a note without touching the current index.
    void add(std::u16string pitch, std::u16string length);
    // Inserts a note after the current one (first when the current index is 0, last when it is
    // past the end) and makes it the current note.
    void ins(std::u16string pitch, std::u16string length);
    // Removes the note at an index; an index outside 1..count() is ignored. The current index
    // stays on the same note where it can, and never passes the end.
    void remove(int index);
    void removeAll();

    // Selects the note at index alone and makes it the current note; an index outside
    // 1..count() only clears the selection.
    void setSel(int index);
    // Selects the notes first..last (clamped) and makes the last the current note.
    void setSelection(int first, int last);
    void clearSelection();

    // The dot of the current note: hadDot true removes it, false appends "." (the caller passes
    // the state before its own toggle). No effect on ties, rests without a length or index 0.
    void setTen(bool hadDot);
    // Sets the length code of the current note, keeping nothing else of the old length.
    void setRen(std::u16string_view code);

private:
    StaffNote* current();
    void changed() const;
    void clearSelectionQuietly();

    std::vector<StaffNote> m_notes;
    int m_current = 0;
    std::function<void()> m_listener;
};

// Refills the staff from the melody text: one entry per token, with the token's sharp and dot,
// then one tie entry (pitch without sharp, length "^") per tie. Walks the text with state.
void rebuildStaff(ParserState& state, std::u16string_view text, StaffModel& staff);

} // namespace sarvo::melody
