#include "library/songsession.h"
#include "librarytesting.h"

#include <gtest/gtest.h>

namespace sarvo::library {
namespace {

struct SwitchCase {
    const char* name;
    std::u16string editor;        // the melody in the editor when switching
    std::optional<Answer> answer; // to "「a」を保存しますか？"
    bool saveSucceeds;
    bool asked;
    bool saved;
    std::optional<std::u16string> loaded; // the melody the switch gives the editor
};

class SongSwitch : public LibraryTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SongSwitch, OffersToSaveAChangedMelodyFirst) {
    const SwitchCase& c = GetParam();
    putLogFile(u"a.ini", u"[曲情報]\r\nMusic=C中ド\r\n");
    putLogFile(u"b.ini", u"[曲情報]\r\nMusic=D中レ \r\n");
    SongSession session(m_library);
    ASSERT_TRUE(session.load(u"a", u"", m_ui, [] { return true; }));
    EXPECT_EQ(session.savedMelody(), u"C中ド "); // the final space added on loading
    if (c.answer)
        m_ui.queueAnswer(*c.answer);
    bool saved = false;
    const auto song = session.load(u"b", c.editor, m_ui, [&] {
        saved = true;
        return c.saveSucceeds;
    });
    EXPECT_EQ(m_ui.questions().size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(m_ui.questions()[0], u"「a」を保存しますか？");
    }
    EXPECT_EQ(saved, c.saved);
    EXPECT_EQ(song ? std::optional(song->melody) : std::nullopt, c.loaded);
    EXPECT_EQ(session.currentName(), c.loaded ? u"b" : u"a");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SongSwitch,
    ::testing::Values(
        SwitchCase{"Unchanged", u"C中ド ", std::nullopt, true, false, false, u"D中レ "},
        SwitchCase{"ChangedYes", u"E中ミ ", Answer::Yes, true, true, true, u"D中レ "},
        SwitchCase{"ChangedNo", u"E中ミ ", Answer::No, true, true, false, u"D中レ "},
        SwitchCase{"ChangedCancel", u"E中ミ ", Answer::Cancel, true, true, false, std::nullopt},
        SwitchCase{"SaveFails", u"E中ミ ", Answer::Yes, false, true, true, std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SongSwitch, TheCurrentSongOrASongWithoutFileLoadsNothing) {
    putLogFile(u"a.ini", u"[曲情報]\r\nMusic=C中ド \r\n");
    SongSession session(m_library);
    auto never = [] {
        ADD_FAILURE() << "nothing to save";
        return true;
    };
    ASSERT_TRUE(session.load(u"a", u"", m_ui, never));
    EXPECT_EQ(session.load(u"A", u"changed", m_ui, never), std::nullopt);
    // A current song whose file is gone asks nothing.
    session.setCurrent(u"gone", u"");
    EXPECT_EQ(session.load(u"none", u"changed", m_ui, never), std::nullopt);
    EXPECT_TRUE(m_ui.questions().empty());
    EXPECT_EQ(session.currentName(), u"gone");
}

} // namespace
} // namespace sarvo::library
