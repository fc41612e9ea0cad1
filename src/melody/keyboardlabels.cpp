#include "melody/keyboardlabels.h"

#include "melody/keyboardinput.h"
#include "melody/lengthkeytable.h"
#include "melody/pitchkeytable.h"

#include <array>

namespace sarvo::melody {
namespace {

// Pitch names as the user interface writes them (ファ, where tokens write フ).
constexpr std::array<std::u16string_view, kPitchRows> kPitchLabels = {
    u"ド", u"レ", u"ミ", u"ファ", u"ソ", u"ラ", u"シ", u"ド#", u"レ#", u"ファ#", u"ソ#", u"ラ#"};
constexpr std::array<std::u16string_view, 3> kOctaveLabels = {u"低音", u"中音", u"高音"};
constexpr std::array<std::u16string_view, 3> kCaptionPrefixes = {u"c", u"", u"s"};
constexpr std::array<std::u16string_view, 3> kToolTipPrefixes = {u"Ctrl+", u"", u"Shift+"};
constexpr std::array<std::u16string_view, kLengthEntries> kLengthNames = {
    u"全音符", u"2分音符", u"4分音符", u"8分音符", u"16分音符", u"",
    u"全休符", u"2分休符", u"4分休符", u"8分休符", u"16分休符"};

bool isValidKey(int keyMap, int row, int column) {
    return keyMap >= 0 && keyMap < kKeyMapCount && row >= 0 && row < kPitchRows && column >= 0 &&
           column < 3;
}

} // namespace

std::u16string_view pitchKeyLabel(int keyMap, int row) {
    std::u16string_view caption = PitchKeyTable::keyMapCaption(keyMap);
    for (int index = 0; !caption.empty(); ++index) {
        const size_t space = caption.find(u' ');
        const std::u16string_view label = caption.substr(0, space);
        if (index == row)
            return label;
        if (space == std::u16string_view::npos)
            break;
        caption.remove_prefix(space + 1);
    }
    return {};
}

std::u16string keyPanelCaption(int keyMap, int row, int column) {
    if (!isValidKey(keyMap, row, column))
        return {};
    std::u16string caption(kPitchLabels[static_cast<size_t>(row)]);
    caption += u' ';
    caption += kCaptionPrefixes[static_cast<size_t>(column)];
    caption += pitchKeyLabel(keyMap, row);
    return caption;
}

std::u16string keyPanelToolTip(int keyMap, int row, int column) {
    if (!isValidKey(keyMap, row, column))
        return {};
    std::u16string tip = u"[";
    tip += kOctaveLabels[static_cast<size_t>(column)];
    tip += toFullWidth(kPitchLabels[static_cast<size_t>(row)]);
    tip += u"] キー入力：";
    tip += kToolTipPrefixes[static_cast<size_t>(column)];
    tip += toFullWidth(pitchKeyLabel(keyMap, row));
    return tip;
}

std::u16string slurPanelCaption(int keyMap) {
    const uint16_t key = slurKeyOf(keyMap);
    std::u16string caption = u"⌒ ｽﾗｰ ";
    caption += key == keys::Minus ? u'-' : static_cast<char16_t>(key);
    return caption;
}

std::u16string lengthButtonToolTip(int keyMap, int entry) {
    const uint16_t key = lengthKeyOfEntry(keyMap, entry);
    if (key == 0 || keyMap < 0 || keyMap >= kKeyMapCount)
        return {};
    std::u16string tip = u"[";
    tip += kLengthNames[static_cast<size_t>(entry)];
    tip += u"] キー入力：";
    tip += static_cast<char16_t>(key);
    return tip;
}

std::u16string toFullWidth(std::u16string_view text) {
    std::u16string wide(text);
    for (char16_t& c : wide)
        if (c >= u'!' && c <= u'~')
            c = static_cast<char16_t>(c + 0xFEE0);
    return wide;
}

} // namespace sarvo::melody
