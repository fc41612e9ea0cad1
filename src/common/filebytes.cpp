#include "common/filebytes.h"

#include <fstream>
#include <iterator>

namespace sarvo {

std::optional<std::string> readFileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    try {
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (file.bad())
            return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure&) {
        // The stream buffer reports a read error by throwing; a folder opens but cannot be read.
        return std::nullopt;
    }
}

} // namespace sarvo
