#include "sound/smfreader.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace sarvo::sound {
namespace {

// A read position over the file's bytes. Every read checks the end of its window, so a damaged
// length field can never lead past the data.
class ByteCursor {
public:
    ByteCursor(std::string_view bytes, size_t begin, size_t end)
        : m_bytes(bytes)
        , m_pos(begin)
        , m_end(end) {}

    size_t pos() const { return m_pos; }
    size_t remaining() const { return m_end - m_pos; }
    bool atEnd() const { return m_pos >= m_end; }

    std::optional<uint8_t> byte() {
        if (atEnd())
            return std::nullopt;
        return static_cast<uint8_t>(m_bytes[m_pos++]);
    }
    std::optional<uint32_t> bigEndian(int width) {
        if (remaining() < static_cast<size_t>(width))
            return std::nullopt;
        uint32_t value = 0;
        for (int i = 0; i < width; ++i)
            value = (value << 8) | static_cast<uint8_t>(m_bytes[m_pos++]);
        return value;
    }
    // A variable-length quantity: seven bits per byte, high bit set on all but the last, at
    // most four bytes.
    std::optional<uint32_t> vlq() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::optional<uint8_t> b = byte();
            if (!b)
                return std::nullopt;
            value = (value << 7) | (*b & 0x7F);
            if ((*b & 0x80) == 0)
                return value;
        }
        return std::nullopt;
    }
    std::optional<std::string_view> take(size_t count) {
        if (remaining() < count)
            return std::nullopt;
        std::string_view out = m_bytes.substr(m_pos, count);
        m_pos += count;
        return out;
    }

private:
    std::string_view m_bytes;
    size_t m_pos;
    size_t m_end;
};

std::string hexByte(uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {'0', 'x', kDigits[value >> 4], kDigits[value & 0x0F]};
}

struct TrackReadResult {
    SmfTrack track;
    std::string error;
};

TrackReadResult readTrack(ByteCursor cursor, int trackNumber) {
    TrackReadResult result;
    // An event takes at least two bytes (a delta and a data byte under running status); most
    // take three or four, which this reserves room for without moving the events later.
    result.track.events.reserve(cursor.remaining() / 3);
    const auto fail = [&](const std::string& what, size_t at) {
        result.error =
            "track " + std::to_string(trackNumber) + ": " + what + " at byte " + std::to_string(at);
        return result;
    };
    uint64_t tick = 0;
    uint8_t runningStatus = 0;
    while (!cursor.atEnd()) {
        const size_t eventStart = cursor.pos();
        const std::optional<uint32_t> delta = cursor.vlq();
        if (!delta)
            return fail("damaged delta time", eventStart);
        tick += *delta;
        if (tick > kMaxTick)
            return fail("track longer than " + std::to_string(kMaxTick) + " ticks", eventStart);
        const uint32_t now = static_cast<uint32_t>(tick);

        const size_t statusAt = cursor.pos();
        const std::optional<uint8_t> first = cursor.byte();
        if (!first)
            return fail("event without status", statusAt);
        uint8_t status = *first;
        bool dataAlreadyRead = false;
        if (status < 0x80) {
            // Running status: the byte is the first data byte of a repeated channel message.
            if (runningStatus == 0)
                return fail("data byte " + hexByte(status) + " without a running status", statusAt);
            status = runningStatus;
            dataAlreadyRead = true;
        }

        if (status < 0xF0) {
            runningStatus = status;
            MidiEvent event;
            event.tick = now;
            event.status = status;
            if (dataAlreadyRead) {
                event.data1 = *first;
            } else {
                const std::optional<uint8_t> d1 = cursor.byte();
                if (!d1)
                    return fail("truncated channel message", statusAt);
                event.data1 = *d1;
            }
            if (channelDataLength(status) == 2) {
                const std::optional<uint8_t> d2 = cursor.byte();
                if (!d2)
                    return fail("truncated channel message", statusAt);
                event.data2 = *d2;
            }
            if (event.data1 > 0x7F || event.data2 > 0x7F)
                return fail("data byte above 0x7F in a channel message", statusAt);
            result.track.events.push_back(std::move(event));
        } else if (status == kMetaStatus) {
            const std::optional<uint8_t> type = cursor.byte();
            const std::optional<uint32_t> length = type ? cursor.vlq() : std::nullopt;
            const std::optional<std::string_view> payload =
                length ? cursor.take(*length) : std::nullopt;
            if (!payload)
                return fail("truncated meta event", statusAt);
            if (*type == kMetaEndOfTrack) {
                result.track.endTick = now;
                return result; // bytes after the end of the track are ignored
            }
            result.track.events.push_back(MidiEvent::meta(now, *type, std::string(*payload)));
        } else if (status == 0xF0 || status == 0xF7) {
            // A system-exclusive message or an escaped sequence: skipped by its length.
            const std::optional<uint32_t> length = cursor.vlq();
            if (!length || !cursor.take(*length))
                return fail("truncated system-exclusive message", statusAt);
        } else {
            return fail("status byte " + hexByte(status) + " not allowed in a file", statusAt);
        }
        result.track.endTick = now;
    }
    // A track that ends without its end-of-track event is accepted as it stands.
    return result;
}

// A RIFF "RMID" file wraps a standard MIDI file in its "data" chunk; the chunk is the file.
std::string_view unwrapRiff(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "RMID")
        return bytes;
    ByteCursor cursor(bytes, 12, bytes.size());
    while (cursor.remaining() >= 8) {
        const std::string_view id = *cursor.take(4);
        const std::string_view sizeBytes = *cursor.take(4);
        uint32_t size = 0;
        for (int i = 3; i >= 0; --i)
            size = (size << 8) | static_cast<uint8_t>(sizeBytes[i]);
        if (id == "data")
            return bytes.substr(cursor.pos(), std::min<size_t>(size, cursor.remaining()));
        if (!cursor.take(size + (size & 1)))
            break;
    }
    return bytes;
}

} // namespace

SmfReadResult readSmf(std::string_view input) {
    const std::string_view bytes = unwrapRiff(input);
    SmfReadResult result;
    ByteCursor cursor(bytes, 0, bytes.size());
    if (cursor.take(4) != std::optional<std::string_view>("MThd")) {
        result.error = "not a standard MIDI file (no MThd header)";
        return result;
    }
    const std::optional<uint32_t> headerLength = cursor.bigEndian(4);
    if (!headerLength || *headerLength < 6 || cursor.remaining() < *headerLength) {
        result.error = "damaged MThd header";
        return result;
    }
    const size_t headerEnd = cursor.pos() + *headerLength;
    SmfFile file;
    file.format = static_cast<uint16_t>(*cursor.bigEndian(2));
    const uint32_t trackCount = *cursor.bigEndian(2);
    file.division.raw = static_cast<uint16_t>(*cursor.bigEndian(2));
    if (file.format > 1) {
        result.error =
            "format " + std::to_string(file.format) + " is not supported (only formats 0 and 1)";
        return result;
    }
    if (file.format == 0 && trackCount != 1) {
        result.error = "a format 0 file must hold one track, the header announces " +
                       std::to_string(trackCount);
        return result;
    }
    if (file.division.isSmpte()
            ? file.division.ticksPerFrame() == 0 || file.division.framesPerSecond() <= 0
            : file.division.ticksPerQuarter() == 0) {
        result.error = "invalid time division " + std::to_string(file.division.raw);
        return result;
    }

    cursor = ByteCursor(bytes, headerEnd, bytes.size());
    while (file.tracks.size() < trackCount) {
        const size_t chunkStart = cursor.pos();
        const std::optional<std::string_view> id = cursor.take(4);
        const std::optional<uint32_t> length = id ? cursor.bigEndian(4) : std::nullopt;
        if (!length) {
            result.error = "the header announces " + std::to_string(trackCount) +
                           " tracks, the file holds " + std::to_string(file.tracks.size());
            return result;
        }
        if (*length > cursor.remaining()) {
            result.error = "chunk at byte " + std::to_string(chunkStart) + " is " +
                           std::to_string(*length) + " bytes long, the file ends after " +
                           std::to_string(cursor.remaining());
            return result;
        }
        const size_t dataStart = cursor.pos();
        cursor.take(*length);
        if (*id != "MTrk")
            continue; // chunks of other kinds are skipped, as the format asks
        TrackReadResult track = readTrack(ByteCursor(bytes, dataStart, dataStart + *length),
                                          static_cast<int>(file.tracks.size()) + 1);
        if (!track.error.empty()) {
            result.error = std::move(track.error);
            return result;
        }
        file.tracks.push_back(std::move(track.track));
    }
    result.file = std::move(file);
    return result;
}

SmfReadResult readSmfFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {std::nullopt, "cannot open " + path.string()};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return {std::nullopt, "cannot read " + path.string()};
    SmfReadResult result = readSmf(bytes.str());
    if (!result.error.empty())
        result.error = path.string() + ": " + result.error;
    return result;
}

} // namespace sarvo::sound
