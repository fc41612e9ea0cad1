#include "sound/midinotes.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace sarvo::sound {
namespace {

// How strongly a voice claims the melody: its upper onsets, weighed by its track's name.
int melodyClaim(const MidiVoice& voice) {
    switch (voice.role) {
    case TrackRole::Melody: return 16 * voice.upperOnsets;
    case TrackRole::Accompaniment: return voice.upperOnsets;
    case TrackRole::Unknown: break;
    }
    return 4 * voice.upperOnsets;
}

bool startsEarlier(const NoteSpan& a, const NoteSpan& b) {
    return std::tie(a.start, b.key, a.track, a.channel) <
           std::tie(b.start, a.key, b.track, b.channel);
}

} // namespace

std::vector<NoteSpan> collectNotes(const SmfFile& file) {
    std::vector<NoteSpan> notes;
    for (size_t t = 0; t < file.tracks.size(); ++t) {
        const SmfTrack& track = file.tracks[t];
        // Open notes by channel and key, earliest first (rarely more than one).
        std::vector<std::vector<size_t>> open(16 * 128);
        const auto close = [&](size_t index, uint32_t tick) {
            notes[index].end = tick;
        };
        for (const MidiEvent& event : track.events) {
            if (!event.isChannel())
                continue;
            std::vector<size_t>& pending = open[event.channel() * 128 + event.data1];
            if (event.isNoteOn()) {
                pending.push_back(notes.size());
                notes.push_back({static_cast<int>(t), event.channel(), event.data1, event.data2,
                                 event.tick, event.tick});
            } else if (event.isNoteOff() && !pending.empty()) {
                close(pending.front(), event.tick);
                pending.erase(pending.begin());
            }
        }
        const uint32_t trackEnd =
            std::max(track.endTick, track.events.empty() ? 0 : track.events.back().tick);
        for (const std::vector<size_t>& pending : open)
            for (size_t index : pending)
                close(index, trackEnd);
    }
    std::erase_if(notes, [](const NoteSpan& n) { return n.end <= n.start; });
    std::stable_sort(notes.begin(), notes.end(), startsEarlier);
    return notes;
}

std::vector<MidiVoice> listVoices(const SmfFile& file, const std::vector<NoteSpan>& notes) {
    std::vector<MidiVoice> voices;
    // Notes come in start order, so a chord's notes follow each other: an onset counts once
    // when it differs from the voice's last counted one.
    std::vector<std::optional<uint32_t>> lastUpper;
    for (const NoteSpan& note : notes) {
        auto found = std::find_if(voices.begin(), voices.end(), [&](const MidiVoice& v) {
            return v.track == note.track && v.channel == note.channel;
        });
        if (found == voices.end()) {
            MidiVoice voice;
            voice.track = note.track;
            voice.channel = note.channel;
            voice.name = file.tracks[note.track].name();
            voice.role = trackRoleOf(voice.name);
            voice.lowest = voice.highest = note.key;
            voices.push_back(voice);
            lastUpper.emplace_back();
            found = std::prev(voices.end());
        }
        ++found->noteCount;
        found->lowest = std::min(found->lowest, note.key);
        found->highest = std::max(found->highest, note.key);
        std::optional<uint32_t>& last = lastUpper[found - voices.begin()];
        if (note.key >= 60 && last != note.start) {
            ++found->upperOnsets;
            last = note.start;
        }
    }
    std::sort(voices.begin(), voices.end(), [](const MidiVoice& a, const MidiVoice& b) {
        return std::tie(a.track, a.channel) < std::tie(b.track, b.channel);
    });
    return voices;
}

ChosenNotes chooseMelodyNotes(const SmfFile& file, const std::vector<NoteSpan>& notes,
                              MelodySource source) {
    ChosenNotes chosen;
    if (source.channel == kDrumChannel) {
        chosen.error = "channel 10 holds drums, which have no melody";
        return chosen;
    }
    if (!source.track && !source.channel) {
        for (const MidiVoice& voice : listVoices(file, notes)) {
            if (voice.drums())
                continue;
            if (!chosen.voice || std::pair(melodyClaim(voice), voice.noteCount) >
                                     std::pair(melodyClaim(*chosen.voice), chosen.voice->noteCount))
                chosen.voice = voice;
        }
        if (!chosen.voice) {
            chosen.error = "the MIDI file holds no notes outside the drum channel";
            return chosen;
        }
        source = {chosen.voice->track, chosen.voice->channel};
    }
    for (const NoteSpan& note : notes)
        if (note.channel != kDrumChannel && (!source.track || note.track == *source.track) &&
            (!source.channel || note.channel == *source.channel))
            chosen.notes.push_back(note);
    if (chosen.notes.empty())
        chosen.error = source.track
                           ? "track " + std::to_string(*source.track + 1) +
                                 " holds no notes outside the drum channel"
                           : "channel " + std::to_string(*source.channel + 1) + " holds no notes";
    return chosen;
}

std::vector<NoteSpan> topLine(std::vector<NoteSpan> notes, uint32_t ticksPerQuarter) {
    const uint32_t together = ticksPerQuarter / 16;
    const uint32_t legatoTail = ticksPerQuarter / 8;
    std::stable_sort(notes.begin(), notes.end(), startsEarlier);
    std::vector<NoteSpan> line;
    for (const NoteSpan& note : notes) {
        if (!line.empty()) {
            NoteSpan& last = line.back();
            if (note.start == last.start || note.start - last.start < together) {
                if (note.key > last.key)
                    last = note; // the higher note of an uneven chord
                continue;
            }
            if (note.start < last.end && note.key < last.key && last.end - note.start >= legatoTail)
                continue; // under a sounding higher note
            last.end = std::min(last.end, note.start);
        }
        line.push_back(note);
    }
    return line;
}

} // namespace sarvo::sound
