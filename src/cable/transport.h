#pragma once
// The byte line to the phone. The link sends and receives through it and never waits on it:
// the program's driver (the dialog's event loop, the command line's poll loop) calls the
// transfer again when bytes arrive or a time-out is due.

#include "formats/hexbytes.h"

#include <optional>
#include <span>
#include <string>

namespace sarvo::cable {

using formats::Bytes;

// A port setting such as "600,E,8,1": speed, parity, data bits, stop bits.
struct LineSettings {
    int baud = 600;
    bool evenParity = true;

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// The setting every transfer starts with.
inline constexpr LineSettings kStartSettings{600, true};

// Reads a setting text "baud,P,8,1"; nullopt for any other text.
std::optional<LineSettings> parseLineSettings(std::u16string_view text);
std::u16string lineSettingsText(const LineSettings& settings);

struct OpenResult {
    bool ok = false;
    // The line would not take even parity (a pseudo-terminal) and was opened without it.
    bool parityDropped = false;
    std::string error;
};

class IByteTransport {
public:
    virtual ~IByteTransport() = default;
    // Closes the port if open (errors ignored), then opens it with these settings.
    virtual OpenResult open(const LineSettings& settings) = 0;
    // Closes the port; errors are ignored.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Writes one piece to the line; false when the line refused it.
    virtual bool write(std::span<const uint8_t> bytes) = 0;
    // The bytes waiting in the input, taken out of it; empty when none wait.
    virtual Bytes readAll() = 0;
};

} // namespace sarvo::cable
