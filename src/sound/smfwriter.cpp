#include "sound/smfwriter.h"

#include "common/atomicfile.h"

#include <algorithm>

namespace sarvo::sound {
namespace {

void appendBigEndian(std::string& out, uint32_t value, int width) {
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::string trackData(const SmfTrack& track) {
    std::vector<const MidiEvent*> events;
    events.reserve(track.events.size());
    for (const MidiEvent& event : track.events)
        events.push_back(&event);
    std::stable_sort(events.begin(), events.end(),
                     [](const MidiEvent* a, const MidiEvent* b) { return a->tick < b->tick; });

    std::string out;
    uint32_t tick = 0;
    uint8_t runningStatus = 0;
    for (const MidiEvent* event : events) {
        appendVlq(out, event->tick - tick);
        tick = event->tick;
        if (event->isMeta()) {
            out.push_back(static_cast<char>(kMetaStatus));
            out.push_back(static_cast<char>(event->data1));
            appendVlq(out, static_cast<uint32_t>(event->metaData.size()));
            out += event->metaData;
            runningStatus = 0; // strict readers cancel running status after a meta event
            continue;
        }
        if (event->status != runningStatus)
            out.push_back(static_cast<char>(event->status));
        runningStatus = event->status;
        out.push_back(static_cast<char>(event->data1 & 0x7F));
        if (channelDataLength(event->status) == 2)
            out.push_back(static_cast<char>(event->data2 & 0x7F));
    }
    appendVlq(out, std::max(track.endTick, tick) - tick);
    out += "\xFF\x2F";
    out.push_back('\0');
    return out;
}

} // namespace

void appendVlq(std::string& out, uint32_t value) {
    value &= 0x0FFFFFFF; // the largest quantity four bytes hold
    char groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<char>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<char>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

std::string writeSmf(const SmfFile& file) {
    std::string out = "MThd";
    appendBigEndian(out, 6, 4);
    appendBigEndian(out, file.format, 2);
    appendBigEndian(out, static_cast<uint32_t>(file.tracks.size()), 2);
    appendBigEndian(out, file.division.raw, 2);
    for (const SmfTrack& track : file.tracks) {
        const std::string data = trackData(track);
        out += "MTrk";
        appendBigEndian(out, static_cast<uint32_t>(data.size()), 4);
        out += data;
    }
    return out;
}

std::string writeSmfFile(const std::filesystem::path& path, const SmfFile& file) {
    return writeFileAtomically(path, writeSmf(file));
}

} // namespace sarvo::sound
