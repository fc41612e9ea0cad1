#include "melody/staffmodel.h"

#include "melody/noteparser.h"

#include <algorithm>

namespace sarvo::melody {

StaffModel::StaffModel(const StaffModel& other)
    : m_notes(other.m_notes)
    , m_current(other.m_current) {}

StaffModel& StaffModel::operator=(const StaffModel& other) {
    if (this != &other) {
        m_notes = other.m_notes;
        m_current = other.m_current;
        changed();
    }
    return *this;
}

const StaffNote* StaffModel::item(int index) const {
    if (index < 1 || index > count())
        return nullptr;
    return &m_notes[static_cast<size_t>(index - 1)];
}

StaffNote* StaffModel::current() {
    return const_cast<StaffNote*>(item(m_current));
}

void StaffModel::changed() const {
    if (m_listener)
        m_listener();
}

void StaffModel::setCurrentIndex(int index) {
    m_current = std::clamp(index, 0, count());
    changed();
}

void StaffModel::add(std::u16string pitch, std::u16string length) {
    m_notes.push_back(StaffNote{std::move(pitch), std::move(length)});
    changed();
}

void StaffModel::ins(std::u16string pitch, std::u16string length) {
    // An edit ends a selection, as it does in the text box.
    clearSelectionQuietly();
    const int at = std::clamp(m_current, 0, count());
    m_notes.insert(m_notes.begin() + at, StaffNote{std::move(pitch), std::move(length)});
    m_current = at + 1;
    changed();
}

void StaffModel::remove(int index) {
    if (index < 1 || index > count())
        return;
    clearSelectionQuietly();
    m_notes.erase(m_notes.begin() + (index - 1));
    if (index <= m_current)
        --m_current;
    m_current = std::clamp(m_current, 0, count());
    changed();
}

void StaffModel::removeAll() {
    m_notes.clear();
    m_current = 0;
    changed();
}

void StaffModel::setSel(int index) {
    clearSelectionQuietly();
    if (index >= 1 && index <= count()) {
        m_notes[static_cast<size_t>(index - 1)].selected = true;
        m_current = index;
    }
    changed();
}

void StaffModel::setSelection(int first, int last) {
    clearSelectionQuietly();
    first = std::max(first, 1);
    last = std::min(last, count());
    if (first <= last) {
        for (int i = first; i <= last; ++i)
            m_notes[static_cast<size_t>(i - 1)].selected = true;
        m_current = last;
    }
    changed();
}

void StaffModel::clearSelection() {
    clearSelectionQuietly();
    changed();
}

void StaffModel::clearSelectionQuietly() {
    for (StaffNote& note : m_notes)
        note.selected = false;
}

void StaffModel::setTen(bool hadDot) {
    StaffNote* note = current();
    if (!note || note->isTie() || note->length.empty())
        return;
    if (hadDot)
        note->length.resize(1);
    else if (note->length.size() == 1)
        note->length += u'.';
    changed();
}

void StaffModel::setRen(std::u16string_view code) {
    if (StaffNote* note = current()) {
        note->length = code;
        changed();
    }
}

void rebuildStaff(ParserState& state, std::u16string_view text, StaffModel& staff) {
    staff.removeAll();
    state.readPos = 1;
    for (;;) {
        Note& note = state.currentNote;
        note.clearText();
        if (!readNextNote(state, text))
            break;
        staff.add(note.octave + note.pitch + note.sharp, note.length + note.dot);
        for (int i = 0; i < note.tieCount; ++i)
            staff.add(note.octave + note.pitch, u"^");
    }
}

} // namespace sarvo::melody
