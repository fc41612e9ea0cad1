#include "formats/bytereader.h"

#include <algorithm>

namespace sarvo::formats {

std::optional<uint8_t> ByteReader::u8() {
    if (remaining() < 1)
        return std::nullopt;
    return m_bytes[m_pos++];
}

std::optional<uint16_t> ByteReader::u16() {
    auto bytes = take(2);
    if (!bytes)
        return std::nullopt;
    return static_cast<uint16_t>((*bytes)[0] << 8 | (*bytes)[1]);
}

std::optional<uint32_t> ByteReader::u32() {
    auto bytes = take(4);
    if (!bytes)
        return std::nullopt;
    uint32_t value = 0;
    for (uint8_t b : *bytes)
        value = value << 8 | b;
    return value;
}

std::optional<std::span<const uint8_t>> ByteReader::take(size_t count) {
    if (remaining() < count)
        return std::nullopt;
    auto bytes = m_bytes.subspan(m_pos, count);
    m_pos += count;
    return bytes;
}

bool ByteReader::skipIf(std::string_view text) {
    if (remaining() < text.size() ||
        !std::equal(text.begin(), text.end(), m_bytes.begin() + static_cast<long>(m_pos),
                    [](char c, uint8_t b) { return static_cast<uint8_t>(c) == b; }))
        return false;
    m_pos += text.size();
    return true;
}

bool ByteReader::skip(size_t count) {
    const bool whole = remaining() >= count;
    m_pos += std::min(count, remaining());
    return whole;
}

} // namespace sarvo::formats
