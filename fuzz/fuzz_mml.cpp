// libFuzzer target over the MML compiler and writer. A violated property aborts, so that
// libFuzzer keeps the input.
//
// The first byte chooses what the rest is:
//   * even: MML text (one byte a character; bytes from 0x80 on are ideographic characters, so
//     that errors on characters beyond ASCII are reached). Properties: a compiled file has a
//     conductor and a track per part, events in tick order, keys up to 127, and writes and
//     reads back; an error names a line and column inside the text.
//   * odd: a melody text (bytes that are melody characters stand for themselves, others pick a
//     pitch name or octave mark). Property: the MML written for it, with and without merging,
//     always compiles.

#include "melody/notecodes.h"
#include "sound/mmlcompiler.h"
#include "sound/mmlwriter.h"
#include "sound/smfreader.h"
#include "sound/smfwriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace sarvo;
using namespace sarvo::sound;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant violated: %s\n", what);
        std::abort();
    }
}

void checkCompiled(const std::u16string& text) {
    const MmlCompileResult result = compileMml(text);
    if (!result.file) {
        const MmlError& e = result.error;
        const auto lines = std::count(text.begin(), text.end(), u'\n') + 1;
        check(e.line >= 1 && e.line <= lines, "the error's line is in the text");
        check(e.column >= 1 && static_cast<size_t>(e.column) <= text.size() + 1,
              "the error's column is in the text");
        check(!e.message.empty(), "the error says what");
        return;
    }
    const SmfFile& file = *result.file;
    check(file.format == 1 && !file.tracks.empty(), "a format 1 file with a conductor");
    for (const SmfTrack& track : file.tracks) {
        uint32_t previous = 0;
        for (const MidiEvent& event : track.events) {
            check(event.tick >= previous, "events in tick order");
            check(event.tick <= track.endTick, "events before the end of the track");
            previous = event.tick;
            if (event.isChannel())
                check(event.data1 < 128 && event.data2 < 128, "data bytes below 128");
        }
    }
    const SmfReadResult back = readSmf(writeSmf(file));
    check(back.file.has_value(), "the compiled file reads back");
}

std::u16string mmlText(const uint8_t* data, size_t size) {
    std::u16string text;
    for (size_t i = 0; i < size; ++i)
        text += data[i] < 0x80 ? static_cast<char16_t>(data[i])
                               : static_cast<char16_t>(0x4E00 + data[i]);
    return text;
}

std::u16string melodyText(const uint8_t* data, size_t size) {
    static const std::u16string kMelodyChars = u"ABCDEFGHIJ2356\\]_`^.# ";
    static const std::u16string kOthers = u"低中高ドレミフソラシ";
    std::u16string text;
    for (size_t i = 0; i < size; ++i) {
        const char16_t c = data[i];
        text +=
            kMelodyChars.find(c) != std::u16string::npos ? c : kOthers[data[i] % kOthers.size()];
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    if (data[0] % 2 == 0) {
        checkCompiled(mmlText(data + 1, size - 1));
        return 0;
    }
    const std::u16string melody = melodyText(data + 1, size - 1);
    for (bool merge : {false, true}) {
        const std::string mml = writeMml({{melody, 100, 0}, {melody, 73, 127}}, {merge});
        const MmlCompileResult result = compileMml(std::u16string(mml.begin(), mml.end()));
        check(result.file.has_value(), "the MML of any melody compiles");
    }
    return 0;
}
