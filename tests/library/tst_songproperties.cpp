#include "common/textcodec.h"
#include "library/nameclash.h"
#include "library/songproperties.h"

#include <gtest/gtest.h>

#include <tuple>

namespace sarvo::library {
namespace {

TEST(PropertiesForm, FillsFromTheRowAndLeavesBlankColumnsAlone) {
    struct Case {
        std::u16string tenpo, neiro;
        std::optional<std::u16string> tempoNote, tempo;
        std::optional<int> voiceProgram;
    };
    const Case cases[] = {{u"120", u"7", u"C", u"120", 7},
                          {u"", u"0", std::nullopt, std::nullopt, 0},
                          {u"  ", u"  ", std::nullopt, std::nullopt, std::nullopt},
                          {u"90", u"ピアノ", u"C", u"90", std::nullopt}};
    for (const Case& c : cases) {
        SongInfo row;
        row.properties = {u"春", u"歌手", u"演歌", u"コメント", c.tenpo, c.neiro};
        const SongPropertiesForm form = formForRow(row);
        EXPECT_EQ(form.name + form.kashu + form.jan + form.body, u"春歌手演歌コメント");
        EXPECT_EQ(form.tempoNote, c.tempoNote);
        EXPECT_EQ(form.tempo, c.tempo);
        EXPECT_EQ(form.voiceProgram, c.voiceProgram);
    }
}

// A part kind goes before the comment, a blank comment (nothing but spaces) gets no separator.
TEST(PartKinds, PrefixTheComment) {
    const std::tuple<std::u16string_view, std::u16string_view, std::u16string_view> cases[] = {
        {u"サビ", u"X", u"サビ X"},
        {u"サビ", u"", u"サビ"},
        {u"和音", u"  ", u"和音  "},
        {u"イントロ", u"サビ X", u"イントロ サビ X"}};
    for (const auto& [kind, comment, expected] : cases)
        EXPECT_EQ(prefixComment(kind, comment), expected);
}

TEST(SongName, LeavingTheFieldWidensAndConfirmingRefusesBlanks) {
    EXPECT_EQ(nameAfterEditing(u"a/b:c"), u"a／b：c");
    for (const auto& [name, accepted] : {std::pair<std::u16string_view, bool>{u"", false},
                                         {u"   ", false},
                                         {u"a", true},
                                         {u" a ", true},
                                         {u"　", true}}) {
        RecordingInteractive ui;
        EXPECT_EQ(confirmSongName(name, ui), accepted) << toUtf8(name);
        EXPECT_EQ(ui.messages(), accepted
                                     ? std::vector<std::u16string>{}
                                     : std::vector<std::u16string>{u"曲名は必ず入力して下さい。"});
    }
}

TEST(NameClashDialog, RenamingNeedsAnotherName) {
    RecordingInteractive ui;
    NameClash clash(u"春");
    EXPECT_FALSE(clash.rename(u"春", ui));
    EXPECT_EQ(clash.result(), NameClashResult::Undecided);
    EXPECT_EQ(ui.messages(), std::vector<std::u16string>{u"曲名が、変更されていません。"});
    // Blanks around a changed name are taken as typed.
    EXPECT_TRUE(clash.rename(u" 春 ", ui));
    EXPECT_EQ(clash.result(), NameClashResult::Rename);
    EXPECT_EQ(clash.newName(), u" 春 ");
}

// Closing undecided asks before the arriving song is discarded; a decided dialog just closes.
TEST(NameClashDialog, ClosingUndecidedAsksBeforeDiscarding) {
    struct Case {
        std::optional<Answer> answer; // none: overwrite chosen first
        bool closes;
        NameClashResult result;
    };
    const Case cases[] = {{Answer::No, false, NameClashResult::Undecided},
                          {Answer::Yes, true, NameClashResult::Discard},
                          {std::nullopt, true, NameClashResult::Overwrite}};
    for (const Case& c : cases) {
        RecordingInteractive ui;
        NameClash clash(u"春");
        if (c.answer)
            ui.queueAnswer(*c.answer);
        else
            clash.overwrite();
        EXPECT_EQ(clash.close(ui), c.closes);
        EXPECT_EQ(clash.result(), c.result);
        EXPECT_EQ(ui.questions(),
                  c.answer ? std::vector<std::u16string>{u"受信を曲を捨てます。よろしいですか？"}
                           : std::vector<std::u16string>{});
    }
}

} // namespace
} // namespace sarvo::library
