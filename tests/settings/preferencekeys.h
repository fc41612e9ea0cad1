#pragma once
// The keys of section "設定" that the settings dialog writes, in the order it writes them:
// what the tests of the settings file and of the dialog compare a written file with.

#include <string>
#include <vector>

namespace sarvo::testdata {

inline const std::vector<std::u16string> kPreferenceKeys = {
    u"音色",
    u"入力音",
    u"テンポ",
    u"テンポの音符",
    u"テストの音符",
    u"テンポ基準値",
    u"５線譜再生カーソル",
    u"キー割り当て",
    u"入力画面のフォント",
    u"入力画面のフォントサイズ",
    u"入力画面のフォントボールド",
    u"入力画面のフォントプレビュー",
    u"表示画面のフォント",
    u"表示画面のフォントサイズ",
    u"表示画面のフォントボールド",
    u"表示画面のフォントプレビュー",
    u"携帯タイプ",
    u"使用者",
    u"言語"};

} // namespace sarvo::testdata
