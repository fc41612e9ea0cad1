#include "keyguide/macrotexts.h"

#include "keyguide/keycells.h"

#include <array>
#include <optional>
#include <string>

namespace sarvo::keyguide {
namespace {

constexpr std::array kRepeatedFormTypes = {2, 5, 6, 8, 11, 16, 20, 24};
constexpr int kCountedFormType = 6;

struct MacroKey {
    std::u16string_view key;
    char16_t letter;
};

constexpr std::array<MacroKey, 10> kLetterKeys = {{
    {u"＃", u'W'},
    {u"＊", u'Z'},
    {u"▲", u'Y'},
    {u"▼", u'T'},
    {u"↑", u'U'},
    {u"↓", u'V'},
    {u"クリア", u'X'},
    {u"Ｆ", u'N'},
    {u"文字", u'L'},
    {u"→", u'Q'},
}};

// The macro letters of a key as the cell writes it ("５", "１５", "５Ｆ", "クリア"); nullopt when
// a part of it has no letter.
std::optional<std::u16string> lettersOf(std::u16string_view key) {
    std::u16string letters;
    while (!key.empty()) {
        if (key[0] >= u'０' && key[0] <= u'９') {
            letters += static_cast<char16_t>(u'0' + (key[0] - u'０'));
            key.remove_prefix(1);
            continue;
        }
        bool found = false;
        for (const MacroKey& k : kLetterKeys) {
            if (key.starts_with(k.key)) {
                letters += k.letter;
                key.remove_prefix(k.key.size());
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return letters;
}

std::u16string narrowNumber(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

bool hasMacroText(int typeIndex, MacroForm form) {
    if (form == MacroForm::Counted)
        return typeIndex == kCountedFormType;
    for (int index : kRepeatedFormTypes)
        if (index == typeIndex)
            return true;
    return false;
}

std::u16string macroText(std::u16string_view keyText, MacroForm form) {
    std::u16string macro;
    for (size_t at = 0; at < keyText.size(); at += kCellWidth) {
        std::u16string_view cell = keyText.substr(at, kCellWidth);
        while (!cell.empty() && cell.back() == kCellPad)
            cell.remove_suffix(1);
        const size_t times = cell.find(u'×');
        const std::u16string_view key = cell.substr(0, times);
        const int presses =
            times == std::u16string_view::npos ? 1 : parseCount(cell.substr(times + 1)).value_or(1);
        const std::optional<std::u16string> letters = lettersOf(key);
        if (!letters || letters->empty() || presses < 1)
            continue;
        if (form == MacroForm::Counted) {
            if (!macro.empty())
                macro += u',';
            macro += *letters;
            if (presses > 1)
                macro += u'@' + narrowNumber(presses);
            continue;
        }
        if (*letters == u"Q") {
            macro += u'Q';
            continue;
        }
        for (int i = 0; i < presses; ++i)
            macro += *letters;
        macro += u'R';
    }
    return macro;
}

} // namespace sarvo::keyguide
