#pragma once
// The data blocks that carry a melody over the cable. Every value travels as two bytes, the high
// nibble first (each 0 to 15); a count is a 16-bit value sent as two values, high byte first.
// A note is its pitch value, then its length value.
//
//   SlotCountNotes  slot, count, notes             (Type-AA, Type-O, Type-AC, Type-AD)
//   SlotCount       slot, count                    (the head of Type-S)
//   Notes           notes, as many as the head says (the melody of Type-S)
//   SlotParts       slot, parts, then per part: count, notes   (Type-E, Type-AB)
//   SlotFile        slot, byte count, the bytes of an i-melody file as they are (D502i)

#include "cable/notecodec.h"
#include "formats/hexbytes.h"

#include <optional>
#include <span>
#include <vector>

namespace sarvo::cable {

using formats::Bytes;

enum class BlockLayout { SlotCountNotes, SlotCount, Notes, SlotParts, SlotFile };

struct BlockContent {
    int slot = 0;
    size_t count = 0;                          // SlotCount: the notes the melody block holds
    std::vector<std::vector<NoteValue>> parts; // the notes, one list per part
    Bytes file;                                // SlotFile
};

// One value (0 to 255) as two nibble bytes, and a 16-bit value as four.
Bytes valueNibbles(int value);
Bytes wordNibbles(int value);

Bytes buildBlock(BlockLayout layout, const BlockContent& content);

// The bytes the block needs, judged from those that came so far: the length of its header until
// the header is there, then the length of the whole block. headCount is the count of a
// Type-S head (for Notes).
size_t blockLength(BlockLayout layout, std::span<const uint8_t> bytes, size_t headCount = 0);

// The block's content; nullopt when a byte is no nibble or the block is short.
std::optional<BlockContent> parseBlock(BlockLayout layout, std::span<const uint8_t> bytes,
                                       size_t headCount = 0);

} // namespace sarvo::cable
