#include "sound/midifileplayer.h"

#include "sound/smfreader.h"
#include "sound/tempomap.h"

#include <algorithm>
#include <cmath>

namespace sarvo::sound {
namespace {

double toMs(SteadyClock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

bool isNoteMessage(uint32_t message) {
    const uint8_t kind = statusOf(message) & 0xF0;
    return kind == kNoteOn || kind == kNoteOff || kind == kPolyPressure;
}

} // namespace

MidiFilePlayer::MidiFilePlayer(MidiOutputPort& notes, const IClock& clock)
    : m_notes(notes)
    , m_clock(clock) {}

MidiFilePlayer::~MidiFilePlayer() {
    close();
}

bool MidiFilePlayer::load(const std::filesystem::path& file, IInteractive& ui) {
    m_notes.release();
    close();
    if (!open(file)) {
        ui.showMessage(kChordPlaybackFailedMessage);
        return false;
    }
    return play();
}

void MidiFilePlayer::unload() {
    close();
    m_notes.reopen();
}

bool MidiFilePlayer::open(const std::filesystem::path& file) {
    const SmfReadResult read = readSmfFile(file);
    if (!read.file) {
        close();
        m_lastError = read.error;
        return false;
    }
    return open(*read.file);
}

bool MidiFilePlayer::open(const SmfFile& file) {
    close();
    OpenedOutput opened = m_notes.openSelectedPort();
    if (!opened.output) {
        m_lastError = opened.error;
        return false;
    }
    m_output = std::move(opened.output);
    m_lastError.clear();

    const TempoMap tempoMap(file);
    for (const TimedEvent& timed : timeline(file, tempoMap))
        if (timed.event->isChannel())
            m_events.push_back(
                {timed.microseconds / 1000,
                 shortMessage(timed.event->status, timed.event->data1, timed.event->data2)});
    uint32_t endTick = 0;
    for (const SmfTrack& track : file.tracks)
        endTick = std::max(endTick, track.endTick);
    m_lengthMs = std::max(tempoMap.microsecondsAt(endTick) / 1000,
                          m_events.empty() ? 0.0 : m_events.back().ms);
    return true;
}

void MidiFilePlayer::close() {
    if (!m_output)
        return;
    stop();
    m_output.reset();
    m_events.clear();
    m_lengthMs = 0;
    m_positionMs = 0;
    m_next = 0;
}

bool MidiFilePlayer::play() {
    if (!m_output)
        return false;
    if (m_playing)
        stop();
    m_next = eventAt(m_positionMs);
    chaseSettings();
    m_startedAt = m_clock.now();
    m_playing = true;
    return true;
}

bool MidiFilePlayer::stop() {
    if (!m_output)
        return false;
    if (m_playing) {
        m_positionMs = std::min(static_cast<double>(positionAt(m_clock.now())), m_lengthMs);
        m_playing = false;
    }
    silenceNotes();
    return true;
}

bool MidiFilePlayer::seek(int64_t positionMs) {
    if (!m_output || positionMs < 0 || static_cast<double>(positionMs) > std::ceil(m_lengthMs))
        return false;
    stop();
    m_positionMs = std::min(static_cast<double>(positionMs), m_lengthMs);
    return true;
}

int64_t MidiFilePlayer::length() const {
    return static_cast<int64_t>(std::llround(m_lengthMs));
}

int64_t MidiFilePlayer::position() const {
    if (!m_output)
        return 0;
    return m_playing ? positionAt(m_clock.now()) : static_cast<int64_t>(m_positionMs);
}

std::string_view MidiFilePlayer::mode() const {
    if (!m_output)
        return {};
    return m_playing ? kModePlaying : kModeStopped;
}

int64_t MidiFilePlayer::positionAt(TimePoint now) const {
    const double ms = m_positionMs + toMs(now - m_startedAt);
    return static_cast<int64_t>(std::min(ms, m_lengthMs));
}

std::optional<TimePoint> MidiFilePlayer::tick(TimePoint now) {
    if (!m_playing)
        return std::nullopt;
    for (;;) {
        const double ms = m_positionMs + toMs(now - m_startedAt);
        while (m_next < m_events.size() && m_events[m_next].ms <= ms)
            send(m_events[m_next++].message);
        if (m_next < m_events.size() || ms < m_lengthMs)
            break;
        // The end: start over where the file ended, so the loop keeps time.
        silenceNotes();
        m_startedAt += std::chrono::duration_cast<SteadyClock::duration>(
            std::chrono::duration<double, std::milli>(m_lengthMs - m_positionMs));
        m_positionMs = 0;
        m_next = 0;
        if (m_lengthMs <= 0)
            return std::nullopt; // an empty file has nothing to repeat
    }
    const double dueMs = m_next < m_events.size() ? m_events[m_next].ms : m_lengthMs;
    return m_startedAt + std::chrono::duration_cast<SteadyClock::duration>(
                             std::chrono::duration<double, std::milli>(dueMs - m_positionMs));
}

void MidiFilePlayer::send(uint32_t message) {
    const uint8_t kind = statusOf(message) & 0xF0;
    const uint8_t channel = statusOf(message) & 0x0F;
    if (kind == kNoteOn || kind == kNoteOff)
        m_sounding[channel][data1Of(message)] = kind == kNoteOn && data2Of(message) > 0;
    m_output->sendShortMessage(message);
}

void MidiFilePlayer::chaseSettings() {
    for (size_t i = 0; i < m_next; ++i)
        if (!isNoteMessage(m_events[i].message))
            m_output->sendShortMessage(m_events[i].message);
}

void MidiFilePlayer::silenceNotes() {
    for (uint8_t channel = 0; channel < 16; ++channel)
        for (uint8_t note = 0; note < 128; ++note)
            if (m_sounding[channel][note]) {
                m_output->sendShortMessage(shortMessage(kNoteOff | channel, note, 0));
                m_sounding[channel][note] = false;
            }
}

size_t MidiFilePlayer::eventAt(double ms) const {
    return static_cast<size_t>(
        std::lower_bound(m_events.begin(), m_events.end(), ms,
                         [](const Event& e, double value) { return e.ms < value; }) -
        m_events.begin());
}

} // namespace sarvo::sound
