#include "cli/helplayout.h"

#include <algorithm>
#include <optional>

namespace sarvo::cli {
namespace {

constexpr std::string_view kIndent = "  ";
constexpr size_t kGap = 2; // columns between the widest term and the descriptions

// The code point that starts at text[i] (UTF-8), and how many bytes it takes.
std::pair<char32_t, size_t> codePointAt(std::string_view text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length && i + k < text.size(); ++k)
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return {c, length};
}

// East Asian Wide and Fullwidth characters (Unicode's EastAsianWidth W and F) that Japanese
// text uses: Hangul Jamo, CJK punctuation, kana and ideographs, Hangul syllables, compatibility
// ideographs and forms, full-width forms (not the half-width katakana after them), and the
// ideographs beyond the basic plane.
bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

std::string_view trimmedLeft(std::string_view text) {
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

// The cells of a line, split where two or more spaces stand.
std::vector<std::string_view> cells(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const size_t gap = text.find("  ");
        out.push_back(text.substr(0, gap));
        if (gap == std::string_view::npos)
            break;
        text = trimmedLeft(text.substr(gap));
    }
    return out;
}

// The rows of a table line, or nullopt for a line that is no row.
std::optional<std::vector<HelpRow>> rowsOf(std::string_view line) {
    if (!line.starts_with(kIndent) || line.size() <= kIndent.size() || line[kIndent.size()] == ' ')
        return std::nullopt;
    const std::vector<std::string_view> parts = cells(line.substr(kIndent.size()));
    if (parts.size() < 2)
        return std::nullopt;
    // Two options side by side; anything else after the term is one description.
    if (parts.size() == 4 && parts[2].starts_with("-"))
        return std::vector<HelpRow>{{std::string(parts[0]), {std::string(parts[1])}},
                                    {std::string(parts[2]), {std::string(parts[3])}}};
    const std::string_view rest = trimmedLeft(line.substr(kIndent.size() + parts[0].size()));
    return std::vector<HelpRow>{{std::string(parts[0]), {std::string(rest)}}};
}

bool continuesRow(std::string_view line) {
    return line.starts_with("   ") && !trimmedLeft(line).empty();
}

} // namespace

size_t displayWidth(std::string_view utf8) {
    size_t width = 0;
    for (size_t i = 0; i < utf8.size();) {
        const auto [c, length] = codePointAt(utf8, i);
        width += isWide(c) ? 2 : 1;
        i += length;
    }
    return width;
}

std::string formatHelpTable(const std::vector<HelpRow>& rows) {
    size_t widest = 0;
    for (const HelpRow& row : rows)
        widest = std::max(widest, displayWidth(row.term));
    const std::string column(kIndent.size() + widest + kGap, ' ');
    std::string out;
    for (const HelpRow& row : rows) {
        out += std::string(kIndent) + row.term;
        out += std::string(widest + kGap - displayWidth(row.term), ' ');
        for (size_t i = 0; i < row.description.size(); ++i)
            out += (i == 0 ? "" : column) + row.description[i] + "\n";
    }
    return out;
}

std::string alignHelpTables(std::string_view help) {
    std::string out;
    std::vector<HelpRow> table;
    const auto endTable = [&] {
        out += formatHelpTable(table);
        table.clear();
    };
    while (!help.empty()) {
        const size_t end = help.find('\n');
        const std::string_view line = help.substr(0, end);
        help = end == std::string_view::npos ? std::string_view() : help.substr(end + 1);
        if (auto rows = rowsOf(line)) {
            table.insert(table.end(), rows->begin(), rows->end());
        } else if (!table.empty() && continuesRow(line)) {
            table.back().description.emplace_back(trimmedLeft(line));
        } else {
            endTable();
            out += std::string(line) + "\n";
        }
    }
    endTable();
    return out;
}

std::string withHelpRow(std::string_view help, const HelpRow& row) {
    std::string_view body = help.substr(0, help.size() - (help.ends_with('\n') ? 1 : 0));
    const std::string_view last = body.substr(body.rfind('\n') + 1);
    const bool endsWithTable = rowsOf(last) || continuesRow(last);
    return std::string(body) + (endsWithTable ? "\n" : "\n\n") + formatHelpTable({row});
}

} // namespace sarvo::cli
