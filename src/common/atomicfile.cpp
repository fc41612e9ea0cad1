#include "common/atomicfile.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace sarvo {

namespace {

std::string writeInPlace(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return out ? std::string() : "cannot write " + path.string() + ": " + std::strerror(errno);
}

} // namespace

std::string writeFileAtomically(const std::filesystem::path& link, std::string_view bytes) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(link, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return writeInPlace(link, bytes);
    const bool linked = std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec));
    const std::filesystem::path path = linked ? std::filesystem::canonical(link, ec) : link;
    if (linked && ec)
        return "cannot follow " + link.string() + ": " + ec.message();
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
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return "cannot replace " + path.string() + ": " + ec.message();
    }
    return {};
}

} // namespace sarvo
