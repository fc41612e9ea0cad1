#pragma once
// Writing a file so that a failure never leaves a half-written or lost file behind: the bytes go
// to a temporary file beside the target, which is renamed over the target only when complete.
// A symbolic link stays and its file is replaced; a target that is no regular file (/dev/null,
// /dev/stdout, a pipe) is written in place, since renaming over it would replace the device.

#include <filesystem>
#include <string>
#include <string_view>

namespace sarvo {

// Returns "" on success, otherwise a message naming the file and the reason.
std::string writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace sarvo
