#include "sound/testscale.h"

namespace sarvo::sound {
namespace {

bool isBlackKey(int note) {
    switch (note % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10: return true;
    default: return false;
    }
}

} // namespace

TestScale::TestScale(IMidiOutput& output)
    : m_output(output) {}

void TestScale::start(TimePoint now) {
    stop();
    m_due = now;
}

void TestScale::stop() {
    if (m_sounding)
        m_output.sendShortMessage(noteOffMessage(*m_sounding));
    m_sounding.reset();
    m_note = kScaleFirstNote - 1;
    m_due.reset();
}

std::optional<TimePoint> TestScale::tick(TimePoint now) {
    while (m_due && *m_due <= now) {
        if (m_sounding)
            m_output.sendShortMessage(noteOffMessage(*m_sounding));
        ++m_note;
        if (isBlackKey(m_note))
            ++m_note;
        if (m_note > kScaleLastNote)
            m_note = kScaleFirstNote;
        m_output.sendShortMessage(noteOnMessage(m_note));
        m_sounding = m_note;
        *m_due += Milliseconds(m_timing.testScaleIntervalMs(m_noteTenths));
    }
    return m_due;
}

} // namespace sarvo::sound
