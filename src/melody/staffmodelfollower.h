#pragma once
// Keeps a StaffModel in step with the keyboard input's edits of the melody text: the 0-based
// note positions of IStaffFollower become the staff's 1-based indexes and current note.

#include "melody/caretediting.h"
#include "melody/keyboardinput.h"
#include "melody/parserstate.h"
#include "melody/staffmodel.h"

namespace sarvo::melody {

class StaffModelFollower final : public IStaffFollower {
public:
    // melody is the text the keyboard input edits: a rebuild reads it, walking it with state.
    // All references must outlive the object.
    StaffModelFollower(StaffModel& staff, ParserState& state, const MelodyText& melody);

    void insertNote(int index, std::u16string_view pitch, std::u16string_view length) override;
    void removeNote(int index) override;
    void setNoteDot(int index, bool dotted) override;
    void setNoteTuplet(int index, std::u16string_view lengthCode) override;
    void setCurrent(int notesBeforeCaret) override;
    void rebuild() override;

private:
    StaffModel& m_staff;
    ParserState& m_state;
    const MelodyText& m_melody;
};

} // namespace sarvo::melody
