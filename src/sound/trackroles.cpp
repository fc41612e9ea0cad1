#include "sound/trackroles.h"

#include "common/textcodec.h"
#include "formats/lenienttext.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace sarvo::sound {
namespace {

// Words that start a word of the name (ASCII letters, any case), and Japanese words found
// anywhere in it. "acc" alone, since an accordion may well play the melody.
constexpr std::array<std::u16string_view, 7> kMelodyWords = {u"melo", u"vocal", u"vox",  u"lead",
                                                             u"sing", u"solo",  u"theme"};
constexpr std::array<std::u16string_view, 9> kMelodyJapanese = {
    u"メロ", u"ﾒﾛ", u"旋律", u"歌", u"ボーカル", u"ヴォーカル", u"ﾎﾞｰｶﾙ", u"リード", u"ﾘｰﾄﾞ"};
constexpr std::array<std::u16string_view, 13> kAccompanimentWords = {
    u"accomp", u"bass", u"drum", u"perc",  u"pad",   u"chord",  u"backing",
    u"rhythm", u"arp",  u"kick", u"snare", u"hihat", u"harmony"};
constexpr std::array<std::u16string_view, 11> kAccompanimentJapanese = {
    u"伴奏", u"ベース", u"ﾍﾞｰｽ",  u"ドラム", u"ﾄﾞﾗﾑ", u"コード",
    u"ｺｰﾄﾞ", u"パッド", u"ﾊﾟｯﾄﾞ", u"リズム", u"ﾘｽﾞﾑ"};

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The ASCII words of the name in lower case.
std::vector<std::u16string> wordsOf(std::u16string_view name) {
    std::vector<std::u16string> words;
    std::u16string word;
    for (char16_t c : name) {
        if (isAsciiLetter(c)) {
            word += c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

template <size_t N, size_t M>
bool mentions(std::u16string_view name, const std::vector<std::u16string>& words,
              const std::array<std::u16string_view, N>& starts,
              const std::array<std::u16string_view, M>& japanese) {
    return std::any_of(words.begin(), words.end(),
                       [&](const std::u16string& w) {
                           return std::any_of(
                               starts.begin(), starts.end(),
                               [&](std::u16string_view s) { return w.starts_with(s); });
                       }) ||
           std::any_of(japanese.begin(), japanese.end(),
                       [&](std::u16string_view j) { return name.find(j) != name.npos; });
}

} // namespace

TrackRole trackRoleOf(std::string_view bytes) {
    const std::u16string name = fromUtf8(bytes).value_or(formats::fromCp932Lenient(bytes));
    const std::vector<std::u16string> words = wordsOf(name);
    if (std::find(words.begin(), words.end(), u"acc") != words.end())
        return TrackRole::Accompaniment;
    if (mentions(name, words, kMelodyWords, kMelodyJapanese))
        return TrackRole::Melody;
    if (mentions(name, words, kAccompanimentWords, kAccompanimentJapanese))
        return TrackRole::Accompaniment;
    return TrackRole::Unknown;
}

} // namespace sarvo::sound
