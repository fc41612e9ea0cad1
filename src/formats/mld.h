#pragma once
// The i-melody file (.mld): the byte format of phones of the i-melody family, sent as a mail
// attachment, imported from files and read back from phones by cable.
//
// Layout: "melo", the file length minus 8 (u32), the header-information length (u16), three
// bytes 01 01 01 (the last one the number of tracks), header chunks (4-byte tag, u16 length,
// data: "sorc", "titl", "vers"), then a "trac" chunk (u32 length) of three-byte events: a delta
// time in ticks (48 to a quarter note), a status byte (channel × 64 + key, key 15 = 低ド) and the
// gate time, or FF, a class byte and one data byte. All numbers are big-endian.
//
// The decoder reads more than the encoder writes; docs/formats.md lists what it understands.

#include "common/interaction.h"
#include "formats/hexbytes.h"
#include "formats/ringtone.h"

#include <string_view>
#include <vector>

namespace sarvo::formats {

// A track longer than this is cut when the limit applies (as it does for every mail).
inline constexpr size_t kMldSizeLimit = 358;

enum class MldSizeLimit { Applied, Lifted };

// Encodes the first four parts. When the limit applies and the notes do not fit, the track is cut
// after the first note event that passes kMldSizeLimit bytes and "送信サイズオーバーのため、
// 途中まで送りますね。" is shown; the file stays well formed.
Bytes encodeMld(const Ringtone& ringtone, MldSizeLimit limit, IInteractive& ui);

// One part of an i-melody file as melody text. Parts count from 0: part = track × 4 + channel,
// so the parts of a file this program writes are its channels. Fails when the bytes are no
// i-melody file or the part has no note.
DecodeResult decodeMldBytes(const Bytes& bytes, int part);

// The same from the base64 text of a mail attachment.
DecodeResult decodeMldMail(std::u16string_view base64, int part);

// The parts of the file that hold at least one note, in ascending order.
std::vector<int> mldParts(const Bytes& bytes);

} // namespace sarvo::formats
