// A writer process saves the same song over and over, alternating two versions, and is killed at
// random moments: the song file must always be one whole version, never a mix or a torn file.

#include "librarytesting.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <set>

#include <sys/wait.h>
#include <unistd.h>

namespace sarvo::library {
namespace {

class KillDuringSave : public LibraryTest {};

TEST_F(KillDuringSave, LeavesTheOldOrTheNewFileNeverATornOne) {
    SongInfo first;
    first.properties = {u"abc", u"一"};
    SongInfo second = first;
    second.properties.kashu = u"二";
    // Large enough that a write takes many system calls.
    const std::u16string melodyA = repeated(u"C中ド ", 20000);
    const std::u16string melodyB = repeated(u"D高ソ# ", 20000);
    // The bytes a complete save of each version leaves, from a library of their own.
    const auto referenceBytes = [&](const SongInfo& info, std::u16string_view melody) {
        testing::TempFolder other;
        SongLibrary library{LibraryFolders(other.path())};
        melody::ParserState state;
        EXPECT_TRUE(library.saveSong(info, melody, {}, state, m_ui).ok());
        return testing::readBytes(library.songFile(info.name()));
    };
    const std::string versionA = referenceBytes(first, melodyA);
    const std::string versionB = referenceBytes(second, melodyB);
    ASSERT_NE(versionA.size(), versionB.size());

    // The song exists before the first kill: from then on every kill must leave a whole file.
    melody::ParserState state;
    ASSERT_TRUE(m_library.saveSong(first, melodyA, {}, state, m_ui).ok());
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(m_library.saveSong(second, melodyB, {}, state, m_ui).ok());
    const auto saveMicroseconds = std::chrono::duration_cast<std::chrono::microseconds>(
                                      std::chrono::steady_clock::now() - started)
                                      .count();

    std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
    // Kill within the first few saves, at any point of a save.
    std::uniform_int_distribution<int> delayMicroseconds(0, static_cast<int>(4 * saveMicroseconds));
    std::set<std::string> seen;
    for (int round = 0; round < 40; ++round) {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            RecordingInteractive quiet;
            for (bool odd = false;; odd = !odd)
                m_library.saveSong(odd ? second : first, odd ? melodyB : melodyA, {}, state, quiet);
        }
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(writer, SIGKILL);
        int status = 0;
        ::waitpid(writer, &status, 0);

        const std::string bytes = testing::readBytes(m_library.songFile(u"abc"));
        ASSERT_TRUE(bytes == versionA || bytes == versionB)
            << "round " << round << ": " << bytes.size() << " bytes";
        seen.insert(bytes == versionA ? "A" : "B");
        // The song loads whole.
        const auto loaded = m_library.loadSong(u"abc");
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(loaded->melody == melodyA || loaded->melody == melodyB);
    }
    // The kills left each version at times: they did land while saves ran.
    EXPECT_EQ(seen.size(), 2u);
    // Only finished song files are songs: left-over temporary files are not listed.
    EXPECT_EQ(m_library.listSongs().size(), 1u);
}

} // namespace
} // namespace sarvo::library
