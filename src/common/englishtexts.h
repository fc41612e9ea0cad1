#pragma once
// The English forms of the texts the core libraries hand to the interface — messages,
// questions, reports, list entries — keyed by their Japanese text, so the libraries stay
// Japanese and free of any translation machinery; the windows translate when they show them.
// A key may hold "{}" for a part that varies (a name, a count); the part is carried over, and
// translated too when it is itself a catalogue text.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sarvo {

struct EnglishText {
    std::u16string_view japanese;
    std::u16string_view english;
};

std::span<const EnglishText> englishTexts();

// The English form of one line, or nullopt when the catalogue has none.
std::optional<std::u16string> englishLine(std::u16string_view japanese);
// The English form of a text, line by line; a line the catalogue lacks stays as it is.
std::u16string toEnglish(std::u16string_view japanese);

} // namespace sarvo
