#pragma once
// Bounds-checked reading of big-endian numbers from a byte range, for decoders of files that may
// be cut short or damaged: a read past the end gives nullopt and never touches memory outside.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace sarvo::formats {

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes)
        : m_bytes(bytes) {}

    size_t position() const { return m_pos; }
    size_t remaining() const { return m_bytes.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_bytes.size(); }

    std::optional<uint8_t> u8();
    std::optional<uint16_t> u16();
    std::optional<uint32_t> u32();
    // The next count bytes as a span; nullopt (and nothing consumed) if fewer remain.
    std::optional<std::span<const uint8_t>> take(size_t count);
    // True when the next bytes are the ASCII text; consumes them only then.
    bool skipIf(std::string_view text);
    // Skips up to count bytes; false when fewer remained.
    bool skip(size_t count);

private:
    std::span<const uint8_t> m_bytes;
    size_t m_pos = 0;
};

} // namespace sarvo::formats
