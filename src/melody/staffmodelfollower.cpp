#include "melody/staffmodelfollower.h"

namespace sarvo::melody {

StaffModelFollower::StaffModelFollower(StaffModel& staff, ParserState& state,
                                       const MelodyText& melody)
    : m_staff(staff)
    , m_state(state)
    , m_melody(melody) {}

void StaffModelFollower::insertNote(int index, std::u16string_view pitch,
                                    std::u16string_view length) {
    // The staff inserts after its current note.
    m_staff.setCurrentIndex(index);
    m_staff.ins(std::u16string(pitch), std::u16string(length));
}

void StaffModelFollower::removeNote(int index) {
    m_staff.remove(index + 1);
}

void StaffModelFollower::setNoteDot(int index, bool dotted) {
    m_staff.setCurrentIndex(index + 1);
    m_staff.setTen(!dotted);
}

void StaffModelFollower::setNoteTuplet(int index, std::u16string_view lengthCode) {
    m_staff.setCurrentIndex(index + 1);
    m_staff.setRen(lengthCode);
}

void StaffModelFollower::setCurrent(int notesBeforeCaret) {
    m_staff.setCurrentIndex(notesBeforeCaret);
}

void StaffModelFollower::rebuild() {
    rebuildStaff(m_state, m_melody.text, m_staff);
    m_staff.setCurrentIndex(tokenIndexAtCaret(m_melody));
}

} // namespace sarvo::melody
