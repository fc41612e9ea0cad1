#pragma once
// Reading a whole file without surprises: a path that cannot be opened or read (a folder of that
// name, a failing disk) gives nullopt, never an exception.

#include <filesystem>
#include <optional>
#include <string>

namespace sarvo {

std::optional<std::string> readFileBytes(const std::filesystem::path& path);

} // namespace sarvo
