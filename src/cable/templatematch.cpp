#include "cable/templatematch.h"

#include <algorithm>

namespace sarvo::cable {

std::optional<formats::Bytes> matchTemplate(std::span<const uint8_t> pattern,
                                            std::span<const uint8_t> received) {
    if (pattern.empty())
        return std::nullopt;
    for (size_t start = 0; start + pattern.size() <= received.size(); ++start) {
        if (received[start] != pattern[0])
            continue;
        bool matches = true;
        for (size_t k = 1; k < pattern.size() && matches; ++k)
            matches = pattern[k] == kWildcard || pattern[k] == received[start + k];
        if (matches)
            return formats::Bytes(received.begin() + start,
                                  received.begin() + start + pattern.size());
    }
    return std::nullopt;
}

std::optional<size_t> findBytes(std::span<const uint8_t> needle,
                                std::span<const uint8_t> received) {
    const auto found = std::search(received.begin(), received.end(), needle.begin(), needle.end());
    if (needle.empty() || found == received.end())
        return std::nullopt;
    return static_cast<size_t>(found - received.begin());
}

} // namespace sarvo::cable
