#include "library/songproperties.h"

#include "melody/filenames.h"
#include "settings/profilenumbers.h"

#include <array>

namespace sarvo::library {
namespace {

constexpr std::array<std::u16string_view, 26> kGenres = {
    u"J-POP",
    u"演歌",
    u"歌謡曲",
    u"ＣＭソング",
    u"アニメ主題歌",
    u"テレビドラマ主題歌",
    u"子供向け主題歌",
    u"映画・ミュージカル",
    u"ゲーム・パチンコ",
    u"応援歌",
    u"民謡",
    u"童謡・唱歌・マーチ",
    u"ダンスミュージック",
    u"クラシック",
    u"ロック・ブルース",
    u"ジャズ・フュージョン",
    u"カントリー・フォーク",
    u"ラテン・ボサノバ・民族音楽",
    u"シャンソン・カンツォーネ",
    u"ポップス・ポピュラー",
    u"国歌・軍歌・抒情歌",
    u"ｒ＆ｂ",
    u"クリスマス",
    u"ウェディング",
    u"ソナチネ・ソナタ",
    u"ディズニー",
};

constexpr std::array<std::u16string_view, 7> kPartKinds = {
    u"和音", u"イントロ", u"Aメロ", u"Bメロ", u"サビ", u"間奏", u"一曲丸々",
};

// Blank as the dialog sees it: nothing but spaces.
bool isBlank(std::u16string_view text) {
    return text.find_first_not_of(u' ') == std::u16string_view::npos;
}

} // namespace

std::span<const std::u16string_view> genres() {
    return kGenres;
}

std::span<const std::u16string_view> partKinds() {
    return kPartKinds;
}

SongPropertiesForm formForRow(const SongInfo& row) {
    const SongProperties& p = row.properties;
    SongPropertiesForm form{p.name, p.kashu, p.jan, p.body};
    if (!isBlank(p.tenpo)) {
        form.tempoNote = u"C";
        form.tempo = p.tenpo;
    }
    if (!isBlank(p.neiro))
        form.voiceProgram = settings::integerFrom(p.neiro);
    return form;
}

std::u16string prefixComment(std::u16string_view partKind, std::u16string_view comment) {
    std::u16string text(partKind);
    if (!isBlank(comment))
        text += u' ';
    text += comment;
    return text;
}

std::u16string nameAfterEditing(std::u16string_view name) {
    return melody::sanitizeFileName(name);
}

bool confirmSongName(std::u16string_view name, IInteractive& ui) {
    if (!isBlank(name))
        return true;
    ui.showMessage(u"曲名は必ず入力して下さい。");
    return false;
}

} // namespace sarvo::library
