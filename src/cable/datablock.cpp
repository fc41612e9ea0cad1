#include "cable/datablock.h"

namespace sarvo::cable {
namespace {

constexpr size_t kValueBytes = 2;
constexpr size_t kWordBytes = 4;
constexpr size_t kNoteBytes = 2 * kValueBytes;

// Reads nibble-coded values from the front of the bytes.
class NibbleReader {
public:
    explicit NibbleReader(std::span<const uint8_t> bytes)
        : m_bytes(bytes) {}

    std::optional<int> value() { return number(kValueBytes); }
    std::optional<int> word() { return number(kWordBytes); }
    std::optional<std::vector<NoteValue>> notes(size_t count) {
        std::vector<NoteValue> notes;
        for (size_t i = 0; i < count; ++i) {
            const auto pitch = value();
            const auto length = value();
            if (!pitch || !length)
                return std::nullopt;
            notes.push_back({*pitch, *length});
        }
        return notes;
    }
    std::optional<Bytes> raw(size_t count) {
        if (m_bytes.size() - m_at < count)
            return std::nullopt;
        Bytes bytes(m_bytes.begin() + m_at, m_bytes.begin() + m_at + count);
        m_at += count;
        return bytes;
    }
    size_t position() const { return m_at; }

private:
    std::optional<int> number(size_t nibbles) {
        if (m_bytes.size() - m_at < nibbles)
            return std::nullopt;
        int number = 0;
        for (size_t i = 0; i < nibbles; ++i) {
            const uint8_t nibble = m_bytes[m_at + i];
            if (nibble > 15)
                return std::nullopt;
            number = number * 16 + nibble;
        }
        m_at += nibbles;
        return number;
    }

    std::span<const uint8_t> m_bytes;
    size_t m_at = 0;
};

void appendBytes(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

void appendNotes(Bytes& to, const std::vector<NoteValue>& notes) {
    for (const NoteValue& note : notes) {
        appendBytes(to, valueNibbles(note.pitch));
        appendBytes(to, valueNibbles(note.length));
    }
}

} // namespace

Bytes valueNibbles(int value) {
    return {static_cast<uint8_t>((value >> 4) & 15), static_cast<uint8_t>(value & 15)};
}

Bytes wordNibbles(int value) {
    Bytes bytes = valueNibbles(value >> 8);
    appendBytes(bytes, valueNibbles(value & 0xFF));
    return bytes;
}

Bytes buildBlock(BlockLayout layout, const BlockContent& content) {
    Bytes block;
    if (layout != BlockLayout::Notes)
        block = valueNibbles(content.slot);
    const std::vector<NoteValue> none;
    const std::vector<NoteValue>& first = content.parts.empty() ? none : content.parts.front();
    switch (layout) {
    case BlockLayout::SlotCountNotes:
        appendBytes(block, wordNibbles(static_cast<int>(first.size())));
        appendNotes(block, first);
        break;
    case BlockLayout::SlotCount:
        appendBytes(block, wordNibbles(static_cast<int>(first.size())));
        break;
    case BlockLayout::Notes: appendNotes(block, first); break;
    case BlockLayout::SlotParts:
        appendBytes(block, valueNibbles(static_cast<int>(content.parts.size())));
        for (const std::vector<NoteValue>& part : content.parts) {
            appendBytes(block, wordNibbles(static_cast<int>(part.size())));
            appendNotes(block, part);
        }
        break;
    case BlockLayout::SlotFile:
        appendBytes(block, wordNibbles(static_cast<int>(content.file.size())));
        appendBytes(block, content.file);
        break;
    }
    return block;
}

size_t blockLength(BlockLayout layout, std::span<const uint8_t> bytes, size_t headCount) {
    NibbleReader reader(bytes);
    switch (layout) {
    case BlockLayout::SlotCountNotes: {
        const auto slot = reader.value();
        const auto count = reader.word();
        if (!slot || !count)
            return kValueBytes + kWordBytes;
        return reader.position() + *count * kNoteBytes;
    }
    case BlockLayout::SlotCount: return kValueBytes + kWordBytes;
    case BlockLayout::Notes: return headCount * kNoteBytes;
    case BlockLayout::SlotParts: {
        if (!reader.value())
            return 2 * kValueBytes;
        const auto parts = reader.value();
        if (!parts)
            return 2 * kValueBytes;
        for (int part = 0; part < *parts; ++part) {
            const auto count = reader.word();
            if (!count)
                return reader.position() + kWordBytes;
            if (!reader.raw(*count * kNoteBytes))
                return reader.position() + *count * kNoteBytes;
        }
        return reader.position();
    }
    case BlockLayout::SlotFile: {
        const auto slot = reader.value();
        const auto length = reader.word();
        if (!slot || !length)
            return kValueBytes + kWordBytes;
        return reader.position() + *length;
    }
    }
    return 0;
}

std::optional<BlockContent> parseBlock(BlockLayout layout, std::span<const uint8_t> bytes,
                                       size_t headCount) {
    NibbleReader reader(bytes);
    BlockContent content;
    if (layout != BlockLayout::Notes) {
        const auto slot = reader.value();
        if (!slot)
            return std::nullopt;
        content.slot = *slot;
    }
    auto readPart = [&](size_t count) {
        auto notes = reader.notes(count);
        if (notes)
            content.parts.push_back(std::move(*notes));
        return notes.has_value();
    };
    switch (layout) {
    case BlockLayout::SlotCountNotes: {
        const auto count = reader.word();
        if (!count || !readPart(*count))
            return std::nullopt;
        break;
    }
    case BlockLayout::SlotCount: {
        const auto count = reader.word();
        if (!count)
            return std::nullopt;
        content.count = *count;
        break;
    }
    case BlockLayout::Notes:
        if (!readPart(headCount))
            return std::nullopt;
        break;
    case BlockLayout::SlotParts: {
        const auto parts = reader.value();
        if (!parts)
            return std::nullopt;
        for (int part = 0; part < *parts; ++part) {
            const auto count = reader.word();
            if (!count || !readPart(*count))
                return std::nullopt;
        }
        break;
    }
    case BlockLayout::SlotFile: {
        const auto length = reader.word();
        if (!length)
            return std::nullopt;
        auto file = reader.raw(*length);
        if (!file)
            return std::nullopt;
        content.file = std::move(*file);
        break;
    }
    }
    return content;
}

} // namespace sarvo::cable
