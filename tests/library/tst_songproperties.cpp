#include "common/textcodec.h"
#include "library/nameclash.h"
#include "library/songproperties.h"

#include <gtest/gtest.h>

namespace sarvo::library {
namespace {

struct FormCase {
    const char* name;
    std::u16string tenpo, neiro;
    std::optional<std::u16string> tempoNote, tempo;
    std::optional<int> voiceProgram;
};

class PropertiesForm : public ::testing::TestWithParam<FormCase> {};

TEST_P(PropertiesForm, FillsFromTheRowAndLeavesBlankColumnsAlone) {
    const FormCase& c = GetParam();
    SongInfo row;
    row.properties = {u"春", u"歌手", u"演歌", u"コメント", c.tenpo, c.neiro};
    const SongPropertiesForm form = formForRow(row);
    EXPECT_EQ(form.name, u"春");
    EXPECT_EQ(form.kashu, u"歌手");
    EXPECT_EQ(form.jan, u"演歌");
    EXPECT_EQ(form.body, u"コメント");
    EXPECT_EQ(form.tempoNote, c.tempoNote);
    EXPECT_EQ(form.tempo, c.tempo);
    EXPECT_EQ(form.voiceProgram, c.voiceProgram);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PropertiesForm,
    ::testing::Values(FormCase{"Both", u"120", u"7", u"C", u"120", 7},
                      FormCase{"BlankTempo", u"", u"0", std::nullopt, std::nullopt, 0},
                      FormCase{"SpacesAreBlank", u"  ", u"  ", std::nullopt, std::nullopt,
                               std::nullopt},
                      FormCase{"VoiceNotANumber", u"90", u"ピアノ", u"C", u"90", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PartKinds, PrefixTheComment) {
    struct Case {
        std::u16string_view kind, comment, expected;
    };
    const Case cases[] = {
        {u"サビ", u"X", u"サビ X"},
        {u"サビ", u"", u"サビ"},
        {u"和音", u"  ", u"和音  "}, // a blank comment gets no separator
        {u"イントロ", u"サビ X", u"イントロ サビ X"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(prefixComment(c.kind, c.comment), c.expected);
    // Two kinds in turn over X: the second kind, a blank, the first, a blank and X.
    EXPECT_EQ(prefixComment(partKinds()[1], prefixComment(partKinds()[4], u"X")),
              u"イントロ サビ X");
}

TEST(SongPropertiesLists, EveryEntryCanBeStoredInASongFile) {
    for (auto list : {genres(), partKinds()}) {
        for (std::u16string_view entry : list)
            EXPECT_TRUE(toCp932(entry).has_value()) << toUtf8(entry);
    }
}

TEST(SongName, LeavingTheFieldWidensAndConfirmingRefusesBlanks) {
    EXPECT_EQ(nameAfterEditing(u"a/b:c"), u"a／b：c");
    struct Case {
        std::u16string_view name;
        bool accepted;
    };
    const Case cases[] = {
        {u"", false}, {u"   ", false}, {u"a", true}, {u" a ", true}, {u"　", true}};
    for (const Case& c : cases) {
        RecordingInteractive ui;
        EXPECT_EQ(confirmSongName(c.name, ui), c.accepted) << toUtf8(c.name);
        EXPECT_EQ(ui.messages().size(), c.accepted ? 0u : 1u);
        if (!c.accepted) {
            EXPECT_EQ(ui.messages()[0], u"曲名は必ず入力して下さい。");
        }
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
    EXPECT_EQ(static_cast<int>(clash.result()), 2);
}

TEST(NameClashDialog, ClosingUndecidedAsksBeforeDiscarding) {
    struct Case {
        std::optional<Answer> answer;
        bool closes;
        NameClashResult result;
    };
    const Case cases[] = {{Answer::No, false, NameClashResult::Undecided},
                          {Answer::Yes, true, NameClashResult::Discard}};
    for (const Case& c : cases) {
        RecordingInteractive ui;
        ui.queueAnswer(*c.answer);
        NameClash clash(u"春");
        EXPECT_EQ(clash.close(ui), c.closes);
        EXPECT_EQ(clash.result(), c.result);
        EXPECT_EQ(ui.questions(),
                  std::vector<std::u16string>{u"受信を曲を捨てます。よろしいですか？"});
    }
    // A decided dialog closes without a question.
    RecordingInteractive ui;
    NameClash clash(u"春");
    clash.overwrite();
    EXPECT_TRUE(clash.close(ui));
    EXPECT_TRUE(ui.questions().empty());
    EXPECT_EQ(static_cast<int>(clash.result()), 1);
    clash.discard();
    EXPECT_EQ(static_cast<int>(clash.result()), 0);
}

} // namespace
} // namespace sarvo::library
