#include "common/atomicfile.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace sarvo {

std::string writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return "cannot create " + temp.string() + ": " + std::strerror(errno);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return "cannot write " + temp.string();
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return "cannot replace " + path.string() + ": " + ec.message();
    }
    return {};
}

} // namespace sarvo
