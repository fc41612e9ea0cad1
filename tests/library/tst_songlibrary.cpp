#include "keyguide/keyconversion.h"
#include "keyguide/phonetypes.h"
#include "librarytesting.h"
#include "settings/privateprofile.h"

#include <gtest/gtest.h>

#include <chrono>

namespace sarvo::library {
namespace {

SongInfo songInfo(std::u16string name) {
    SongInfo info;
    info.properties = {std::move(name), u"歌手", u"J-POP", u"サビ 冬の歌", u"120", u"7"};
    info.from = u"山田";
    info.date = u"2000/01/02 03:04";
    return info;
}

class SongFiles : public LibraryTest {};

TEST_F(SongFiles, SaveWritesTheKeysInOrderInCodePage932AndTheGuideTextsAndLoadReadsThemBack) {
    // [GIVEN] a song abc whose melody lacks its final space, 1000 tokens of 6 bytes: far beyond
    // the 4094 bytes an older reader kept, and two owned phone types
    const std::u16string melody = repeated(u"C中ド ", 1000);
    ASSERT_GT(sjis(melody).size(), 4094u);
    melody::ParserState state;
    const std::vector<int> types = {2, 6};
    // [WHEN] it is saved
    ASSERT_TRUE(
        m_library
            .saveSong(songInfo(u"abc"), melody.substr(0, melody.size() - 1), types, state, m_ui)
            .ok());
    // [THEN] the song file has the keys in save order and the melody with its space
    EXPECT_EQ(testing::readBytes(logFile(u"abc.ini")),
              sjis(u"[曲情報]\r\nIcon=1\r\nKashu=歌手\r\nFrom=山田\r\nDate=2000/01/02 03:04\r\n"
                   u"Jan=J-POP\r\nBody=サビ 冬の歌\r\nTenpo=120\r\nNeiro=7\r\nName=abc\r\n"
                   u"Music=" +
                   melody + u"\r\n"));
    // and one guide text per type in Text/abc, converted from the saved melody
    for (int index : types) {
        const std::u16string type(keyguide::phoneTypeByIndex(index)->shortName());
        EXPECT_EQ(testing::readBytes(text() / "abc" / pathFromName(type + u".txt")),
                  sjis(keyguide::convertToKeys(index, melody, state, m_ui)) + "\r\n");
    }
    // Loading gives the whole melody and the properties back.
    const auto loaded = m_library.loadSong(u"abc");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->melody, melody);
    EXPECT_EQ(loaded->info, songInfo(u"abc"));
    EXPECT_EQ(m_library.loadSong(u"ない曲"), std::nullopt);
}

TEST_F(SongFiles, SaveKeepsTheKeysOfAnExistingFileInTheirPlaces) {
    putLogFile(u"abc.ini", u"[曲情報]\r\nName=abc\r\nMusic=D中レ \r\nX-Other=keep\r\n"
                           u"Icon=3\r\n\r\n[別]\r\na=1\r\n");
    melody::ParserState state;
    SongInfo info = songInfo(u"abc");
    info.icon = u"3";
    ASSERT_TRUE(m_library.saveSong(info, u"C中ド ", {}, state, m_ui).ok());
    EXPECT_EQ(readLogFile(u"abc.ini"),
              u"[曲情報]\r\nName=abc\r\nMusic=C中ド \r\nX-Other=keep\r\nIcon=3\r\nKashu=歌手\r\n"
              u"From=山田\r\nDate=2000/01/02 03:04\r\nJan=J-POP\r\nBody=サビ 冬の歌\r\n"
              u"Tenpo=120\r\nNeiro=7\r\n\r\n[別]\r\na=1\r\n");
}

TEST_F(SongFiles, ListShowsEverySongFileSortedWithEmptyColumnsForMissingKeys) {
    putLogFile(u"b.ini", u"[曲情報]\r\nIcon=2\r\nKashu=K\r\nFrom=F\r\nDate=D\r\nJan=J\r\n"
                         u"Body=B\r\nTenpo=T\r\nNeiro=N\r\n");
    putLogFile(u"a.ini", u"");
    putLogFile(u"c.INI", u"[曲情報]\r\nName=別名\r\n");
    putLogFile(u"waiting.svo", u"[曲情報]\r\nName=x\r\n");
    putLogFile(u"notes.txt", u"x");
    std::filesystem::create_directories(log() / "folder.ini");
    const std::vector<SongInfo> songs = m_library.listSongs();
    ASSERT_EQ(songs.size(), 3u);
    EXPECT_EQ(songs[0], (SongInfo{{u"a"}, u"1", u"", u""}));
    EXPECT_EQ(songs[1], (SongInfo{{u"b", u"K", u"J", u"B", u"T", u"N"}, u"2", u"F", u"D"}));
    // The row is named after the file, whatever its Name key says.
    EXPECT_EQ(songs[2].name(), u"c");
}

// Update renames the song file and its guide folder; create asks before it takes a stored name.
TEST_F(SongFiles, UpdateRenamesAndCreateAsksBeforeTakingAStoredName) {
    melody::ParserState state;
    ASSERT_TRUE(m_library.saveSong(songInfo(u"old"), u"C中ド ", {2}, state, m_ui).ok());
    ASSERT_TRUE(m_library.saveSong(songInfo(u"other"), u"D中レ ", {}, state, m_ui).ok());

    SongProperties changed = songInfo(u"new").properties;
    changed.body = u"変えた";
    const auto updated = m_library.updateSong(u"old", changed, m_ui);
    ASSERT_TRUE(updated);
    EXPECT_FALSE(std::filesystem::exists(logFile(u"old.ini")));
    EXPECT_FALSE(std::filesystem::exists(text() / "old"));
    EXPECT_TRUE(std::filesystem::exists(text() / "new" / "Type-A.txt"));
    const auto loaded = m_library.loadSong(u"new");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->melody, u"C中ド ");
    EXPECT_EQ(loaded->info.properties.body, u"変えた");
    EXPECT_EQ(loaded->info.from, u"山田"); // author and date stay
    EXPECT_EQ(*updated, loaded->info);

    // The name of another song is refused and nothing is renamed.
    changed.name = u"OTHER";
    EXPECT_EQ(m_library.updateSong(u"new", changed, m_ui), std::nullopt);
    EXPECT_EQ(m_ui.messages(), std::vector<std::u16string>{u"既に同じ曲名が存在します。"});
    EXPECT_TRUE(std::filesystem::exists(logFile(u"new.ini")));
    EXPECT_EQ(m_library.loadSong(u"other")->melody, u"D中レ ");

    // A change of case only is the same song.
    changed.name = u"NEW";
    EXPECT_TRUE(m_library.updateSong(u"new", changed, m_ui));
    EXPECT_TRUE(std::filesystem::exists(logFile(u"NEW.ini")));
    EXPECT_TRUE(std::filesystem::exists(text() / "NEW" / "Type-A.txt"));

    // Creating a song of a stored name asks first. No: nothing changes.
    const auto now = std::chrono::system_clock::now();
    const SongProperties created{u"NEW", u"新しい歌手"};
    m_ui.queueAnswer(Answer::No);
    EXPECT_EQ(m_library.createSong(created, u"佐藤", now, m_ui), std::nullopt);
    EXPECT_EQ(m_ui.questions(),
              std::vector<std::u16string>{u"「NEW」が既に存在します。上書きしてよろしいですか？"});
    EXPECT_EQ(m_library.loadSong(u"NEW")->info.properties.kashu, u"歌手");
    EXPECT_TRUE(std::filesystem::exists(text() / "NEW" / "Type-A.txt"));
    // Yes: the old guide texts go; a song file without melody takes the name.
    m_ui.queueAnswer(Answer::Yes);
    EXPECT_EQ(m_library.createSong(created, u"佐藤", now, m_ui)->from, u"佐藤");
    EXPECT_FALSE(std::filesystem::exists(text() / "NEW" / "Type-A.txt"));
    EXPECT_EQ(readLogFile(u"NEW.ini"),
              u"[曲情報]\r\nIcon=1\r\nName=NEW\r\nKashu=新しい歌手\r\nFrom=佐藤\r\nDate=" +
                  songDate(now) + u"\r\nJan=\r\nBody=\r\nTenpo=\r\nNeiro=\r\n");
}

class Deletes : public LibraryTest, public ::testing::WithParamInterface<std::u16string> {};

// A song's file and guide texts go; nothing else, whatever the name.
TEST_P(Deletes, NeverReachOutsideTheSong) {
    // [GIVEN] files beside and above the library that a careless delete would reach
    const auto outside = m_temp.path() / "outside";
    testing::writeBytes(outside / "precious.txt", "x");
    testing::writeBytes(m_temp.path() / "precious.ini", "x");
    testing::writeBytes(text() / "precious.txt", "x");
    melody::ParserState state;
    for (const char16_t* name : {u"abc", u"keep"})
        ASSERT_TRUE(m_library.saveSong(songInfo(name), u"C中ド ", {2, 3}, state, m_ui).ok());
    // and a song whose guide folder is a link to the outside folder
    std::filesystem::create_directory_symlink(outside, text() / "linked");
    putLogFile(u"linked.ini", u"[曲情報]\r\n");
    // [WHEN] deleting the name
    m_library.deleteSong(GetParam());
    // [THEN] only the song's own files are gone; a linked guide folder goes as a link only
    EXPECT_TRUE(std::filesystem::exists(outside / "precious.txt"));
    EXPECT_TRUE(std::filesystem::exists(m_temp.path() / "precious.ini"));
    EXPECT_TRUE(std::filesystem::exists(text() / "precious.txt"));
    EXPECT_TRUE(std::filesystem::exists(text() / "keep" / "Type-A.txt"));
    for (const char16_t* song : {u"abc", u"linked"}) {
        EXPECT_EQ(std::filesystem::exists(logFile(std::u16string(song) + u".ini")),
                  GetParam() != song);
        EXPECT_EQ(
            std::filesystem::exists(std::filesystem::symlink_status(text() / pathFromName(song))),
            GetParam() != song);
    }
    EXPECT_EQ(m_library.listSongs().size(),
              GetParam() == u"abc" || GetParam() == u"linked" ? 2u : 3u);
}

INSTANTIATE_TEST_SUITE_P(Names, Deletes,
                         ::testing::Values(u"abc", u"linked", u"", u"..", u"../precious",
                                           u"..\\..\\outside", u"/tmp"));

TEST_F(SongFiles, MigrationTurnsOldSongFoldersIntoSongFiles) {
    // [GIVEN] the old layout: log/<name>/log.ini with the properties and a melody log
    putLogFile(u"古い曲/log.ini", u"[曲情報]\r\nKashu=昔の歌手\r\nTenpo=90\r\n");
    putLogFile(u"古い曲/1999.log", u"# comment\r\n#another\r\nC中ド D中レ \r\nE中ミ \r\n");
    putLogFile(u"名前だけ/readme.txt", u"x");
    putLogFile(u"既にある/log.ini", u"[曲情報]\r\nKashu=old\r\n");
    putLogFile(u"既にある.ini", u"[曲情報]\r\nKashu=new\r\n");
    std::filesystem::create_directories(log() / ".hidden");
    // [WHEN] migrating
    m_library.migrateLegacyFolders();
    // [THEN] each folder became a song file with Name and Music, and is gone
    EXPECT_EQ(readLogFile(u"古い曲.ini"),
              u"[曲情報]\r\nKashu=昔の歌手\r\nTenpo=90\r\nName=古い曲\r\nMusic=C中ド D中レ \r\n");
    EXPECT_FALSE(std::filesystem::exists(logFile(u"古い曲")));
    EXPECT_EQ(readLogFile(u"名前だけ.ini"), u"[曲情報]\r\nName=名前だけ\r\n");
    EXPECT_FALSE(std::filesystem::exists(logFile(u"名前だけ")));
    // A song of the same name in the new layout is kept, and so is the old folder.
    EXPECT_EQ(readLogFile(u"既にある.ini"), u"[曲情報]\r\nKashu=new\r\n");
    EXPECT_TRUE(std::filesystem::exists(logFile(u"既にある/log.ini")));
    EXPECT_TRUE(std::filesystem::exists(log() / ".hidden"));
}

} // namespace
} // namespace sarvo::library
