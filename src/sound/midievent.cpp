#include "sound/midievent.h"

#include <utility>

namespace sarvo::sound {

int channelDataLength(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return kind == kProgramChange || kind == kChannelPressure ? 1 : 2;
}

MidiEvent MidiEvent::channelMessage(uint32_t tick, uint8_t kind, uint8_t channel, uint8_t data1,
                                    uint8_t data2) {
    MidiEvent event;
    event.tick = tick;
    event.status = static_cast<uint8_t>((kind & 0xF0) | (channel & 0x0F));
    event.data1 = data1;
    event.data2 = channelDataLength(kind) == 2 ? data2 : 0;
    return event;
}

MidiEvent MidiEvent::meta(uint32_t tick, uint8_t type, std::string payload) {
    MidiEvent event;
    event.tick = tick;
    event.status = kMetaStatus;
    event.data1 = type;
    event.metaData = std::move(payload);
    return event;
}

MidiEvent MidiEvent::tempo(uint32_t tick, uint32_t microsecondsPerQuarter) {
    std::string payload(3, '\0');
    payload[0] = static_cast<char>((microsecondsPerQuarter >> 16) & 0xFF);
    payload[1] = static_cast<char>((microsecondsPerQuarter >> 8) & 0xFF);
    payload[2] = static_cast<char>(microsecondsPerQuarter & 0xFF);
    return meta(tick, kMetaTempo, std::move(payload));
}

std::string SmfTrack::name() const {
    for (const MidiEvent& event : events)
        if (event.isMeta(kMetaTrackName))
            return event.metaData;
    return {};
}

} // namespace sarvo::sound
