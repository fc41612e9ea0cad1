// libFuzzer target over the cable code that meets bytes from a phone: the reply-template
// matcher, the data blocks with every type's melody decoder, and a whole read transfer against
// a phone that answers with the input. Nothing crashes or hangs; a decoded melody is well formed
// and comes back the same through its type's encoder; a transfer always ends with the port
// closed.

#include "decodedmelody.h"

#include "../tests/cable/memorytransport.h"
#include "cable/datablock.h"
#include "cable/templatematch.h"
#include "cable/transferrunner.h"
#include "formats/mld.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace sarvo;
using namespace sarvo::cable;
using fuzzing::check;

void fuzzTemplate(std::span<const uint8_t> input) {
    if (input.empty())
        return;
    const size_t split = std::min<size_t>(input[0], input.size() - 1);
    const auto pattern = input.subspan(1, split);
    const auto received = input.subspan(1 + split);
    const auto filled = matchTemplate(pattern, received);
    if (!filled)
        return;
    check(filled->size() == pattern.size(), "a filled template keeps its size");
    check(findBytes(*filled, received).has_value(), "a filled template is in the reply");
    for (size_t k = 1; k < pattern.size(); ++k)
        check(pattern[k] == kWildcard || pattern[k] == (*filled)[k], "fixed bytes stay");
}

void fuzzDecoders(std::span<const uint8_t> input) {
    for (BlockLayout layout :
         {BlockLayout::SlotCountNotes, BlockLayout::Notes, BlockLayout::SlotParts}) {
        const auto block = parseBlock(layout, input, input.size() / 4);
        if (!block)
            continue;
        for (const CableTypeInfo& type : cableTypes()) {
            for (const auto& part : block->parts) {
                const auto melody = decodeNotes(*type.codec, part);
                if (!melody)
                    continue;
                fuzzing::checkWellFormed(*melody);
                const EncodedNotes again = encodeNotes(*type.codec, *melody, SIZE_MAX);
                check(decodeNotes(*type.codec, again.notes) == melody,
                      "a decoded melody comes back through its encoder", *melody);
            }
        }
    }
    if (const auto file = parseBlock(BlockLayout::SlotFile, input)) {
        const formats::DecodeResult decoded = formats::decodeMldBytes(file->file, 0);
        if (decoded.part)
            fuzzing::checkWellFormed(decoded.part->melody);
    }
}

void fuzzTransfer(std::span<const uint8_t> input) {
    if (input.empty())
        return;
    testing::MemoryTransport line;
    // The phone's answers: the input in pieces of up to 64 bytes, a piece per poll.
    for (size_t at = 1; at < input.size(); at += 1 + input[at] % 64) {
        const size_t length = std::min<size_t>(input[at] % 64, input.size() - at - 1);
        line.incoming.emplace_back(input.begin() + at + 1, input.begin() + at + 1 + length);
    }
    ProtocolLog log;
    sound::ManualClock clock;
    Link link(line, log, clock);
    RecordingInteractive ui;
    TransferRequest request;
    request.type = cableTypes()[input[0] % cableTypes().size()].type;
    request.direction = input[0] & 0x80 ? Direction::Write : Direction::Read;
    request.melody = u"C中ド D.高ソ# ";
    TransferRunner runner(request, link, ui);
    for (int polls = 0; polls < 10000; ++polls) {
        const auto due = runner.poll();
        if (!due)
            break;
        clock.setNow(*due);
    }
    check(runner.finished(), "a transfer ends");
    check(!line.isOpen(), "the port is closed at the end");
    if (runner.outcome().completed && request.direction == Direction::Read)
        fuzzing::checkWellFormed(runner.outcome().melody);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    const std::span<const uint8_t> input(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0: fuzzTemplate(input); break;
    case 1: fuzzDecoders(input); break;
    default: fuzzTransfer(input); break;
    }
    return 0;
}
