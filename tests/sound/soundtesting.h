#pragma once
// Helpers shared by the sound tests.

#include "sound/recordingmidioutput.h"

#include <string>
#include <utility>
#include <vector>

namespace sarvo::sound {

// Names a parameterised case after the name field of its row.
struct CaseName {
    template <class Info> std::string operator()(const Info& row) const { return row.param.name; }
};

constexpr uint32_t on(int note) {
    return noteOnMessage(note);
}
constexpr uint32_t off(int note) {
    return noteOffMessage(note);
}

using Sent = std::pair<uint32_t, int>; // message (0 for a reset), milliseconds after the start

// The text so many times over.
inline std::u16string repeated(std::u16string_view text, int times) {
    std::u16string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// What the output received, each message with its time after start.
inline std::vector<Sent> sentSince(const RecordingMidiOutput& output, TimePoint start) {
    std::vector<Sent> sent;
    for (const RecordedMessage& m : output.sent())
        sent.emplace_back(m.isReset ? 0 : m.message,
                          static_cast<int>((m.at - start) / Milliseconds(1)));
    return sent;
}

} // namespace sarvo::sound
