#pragma once
// Captions and tool tips of the on-screen keyboard and the length toolbar. The key a panel names
// follows the key map, so the texts are built from it.

#include <string>
#include <string_view>

namespace sarvo::melody {

inline constexpr std::u16string_view kSlurPanelToolTip =
    u"前の音符分、音を伸ばします。連続して使用できます。";
inline constexpr std::u16string_view kClearPanelCaption = u"クリア sEsc";
inline constexpr std::u16string_view kClearPanelToolTip = u"音の入力をクリアします。";
inline constexpr std::u16string_view kRefreshPanelCaption = u"更新 F5";
inline constexpr std::u16string_view kRefreshPanelToolTip =
    u"携帯電話入力方法を再表示します。(A)～(M)を表示時、音の入力を行った際、使用してください。";
inline constexpr std::u16string_view kDotButtonToolTip = u"[符点] キー入力：．";

// The key of a PitchKeyTable row under a key map as the map's caption writes it: "1", "Q", "#C".
std::u16string_view pitchKeyLabel(int keyMap, int row);

// "ド c1", "ド 1", "ド s1": the pitch and its key, "c" for Ctrl (low), "s" for Shift (high).
std::u16string keyPanelCaption(int keyMap, int row, int column);
// "[中音ド] キー入力：１", "[高音ラ＃] キー入力：Shift+Ｙ".
std::u16string keyPanelToolTip(int keyMap, int row, int column);
// "⌒ ｽﾗｰ 0" with the slur key of the map.
std::u16string slurPanelCaption(int keyMap);
// "[全音符] キー入力：A" ... "[16分休符] キー入力：J" for the length entries 0 to 4 and 6 to 10.
std::u16string lengthButtonToolTip(int keyMap, int entry);

// The text with its ASCII characters in their full-width forms.
std::u16string toFullWidth(std::u16string_view text);

} // namespace sarvo::melody
