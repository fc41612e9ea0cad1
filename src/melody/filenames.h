#pragma once

#include <string>
#include <string_view>

namespace sarvo::melody {

// A song name made safe as a file name: each of the characters : < > \ / * ? | is replaced by
// its full-width form (the backslash by "￥", as the Japanese code page widens it).
std::u16string sanitizeFileName(std::u16string_view name);

} // namespace sarvo::melody
