#pragma once
// The reply templates of the link: a template byte 0xFF matches any byte and takes it over.

#include "formats/hexbytes.h"

#include <optional>
#include <span>

namespace sarvo::cable {

inline constexpr uint8_t kWildcard = 0xFF;

// Searches the received bytes for the template from every start position: the first template
// byte must equal the received byte, every further one must equal it unless it is the wildcard,
// which takes the received byte. Returns the template with its wildcards filled at the first
// position where it matches; a template that runs past the received bytes does not match.
std::optional<formats::Bytes> matchTemplate(std::span<const uint8_t> pattern,
                                            std::span<const uint8_t> received);

// Where the bytes occur in the received bytes (no wildcards); nullopt when they do not.
std::optional<size_t> findBytes(std::span<const uint8_t> needle, std::span<const uint8_t> received);

} // namespace sarvo::cable
