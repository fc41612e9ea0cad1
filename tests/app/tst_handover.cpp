// Two real processes start on one library: the second hands its song file, a file for the import
// dialog, or its wish to see the program, to the first over the local socket and ends.

#include "app/singleinstance.h"
#include "common/textcodec.h"

#include "../common/tempfolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <gtest/gtest.h>

#include <functional>

namespace sarvo::app {
namespace {

using testing::TempFolder;

const char* const kTitleRunning = "message: Sarvo Ver 1.6Z は既に起動されています";
const char* const kImportDialog = "import dialog for: tune.mld";
const char* const kImported = "message: ダウンロードした「春」を読み込みました。";

// A process on the library of the folder, killed when it goes out of scope if still running.
struct Process : QProcess {
    Process(const TempFolder& folder, const QString& program, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", QString::fromStdString(folder.path().string()));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        setProcessEnvironment(environment);
        start(program, arguments);
        EXPECT_TRUE(waitForStarted(5000));
    }

    // Waits for a line of output; false when it does not come within the time.
    bool waitForLine(const std::string& line) {
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            while (canReadLine())
                if (readLine().trimmed().toStdString() == line)
                    return true;
            if (!waitForReadyRead(static_cast<int>(deadline.remainingTime())) &&
                state() == NotRunning && !canReadLine())
                return false;
        }
        return false;
    }
    // Waits while the process runs until done() holds.
    bool waitUntil(const std::function<bool()>& done) {
        QDeadlineTimer deadline(20000);
        while (!done() && !deadline.hasExpired())
            waitForFinished(50);
        return done();
    }
};

struct HandOverCase {
    const char* name;
    bool firstKilled;
    const char* secondFile;              // in the downloads folder; nullptr: none
    std::vector<std::string> secondSays; // in order
    std::vector<std::string> firstSays;  // after the second start, in order
    bool songStored = false;
};

class HandOver : public ::testing::TestWithParam<HandOverCase> {};

TEST_P(HandOver, BetweenTwoProcesses) {
    const HandOverCase& c = GetParam();
    TempFolder folder;
    // A portable copy: the settings file beside the program keeps the library there.
    const auto program = folder.path() / "program";
    testing::writeBytes(program / "Sarvo.ini", "");
    const auto downloads = folder.path() / "downloads";
    testing::writeBytes(downloads / "dl.svo", *toCp932(u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n"));
    testing::writeBytes(downloads / "tune.mld", "melo");
    const QString peer = QStringLiteral(HANDOVER_PEER);
    QStringList arguments = {QString::fromStdString(program.string())};

    Process first(folder, peer, arguments);
    ASSERT_TRUE(first.waitForLine("running"));
    if (c.firstKilled) {
        first.kill();
        first.waitForFinished(5000);
    }
    if (c.secondFile)
        arguments << QString::fromStdString((downloads / c.secondFile).string());
    Process second(folder, peer, arguments);
    for (const std::string& line : c.secondSays)
        EXPECT_TRUE(second.waitForLine(line)) << line;
    for (const std::string& line : c.firstSays)
        EXPECT_TRUE(first.waitForLine(line)) << line;
    if (!c.firstKilled) {
        EXPECT_TRUE(second.waitForFinished(10000));
        EXPECT_EQ(second.exitCode(), 0);
    }
    EXPECT_EQ(std::filesystem::exists(program / "log" / std::filesystem::path(u8"春.ini")),
              c.songStored);
    EXPECT_FALSE(std::filesystem::exists(program / "log" / "dl.svo"));
    EXPECT_TRUE(std::filesystem::exists(downloads / "dl.svo")); // the user's own file stays
}

// A song file is stored by the running program, a file for the import dialog opened there.
const HandOverCase kCases[] = {
    {"SongFile", false, "dl.svo", {"handed over"}, {"activated", kImported, "arrived: 春"}, true},
    {"ImportFile", false, "tune.mld", {"handed over"}, {"activated", kImportDialog}},
    {"NoFileBringsItForward", false, nullptr, {kTitleRunning, "handed over"}, {"activated"}},
    // A program that died leaves its lock and socket; the next start runs on its own.
    {"AfterACrash", true, "dl.svo", {kImported, "running", "imported: 春"}, {}, true}};
INSTANTIATE_TEST_SUITE_P(Cases, HandOver, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The program itself: a second "sarvo FILE.svo" gives the file to the first and ends.
TEST(HandOverProgram, SecondStartOfSarvoHandsItsFileOver) {
    TempFolder folder;
    const auto download = folder.path() / "dl.svo";
    testing::writeBytes(download, *toCp932(u"[曲情報]\r\nName=夏\r\nMusic=E中ミ \r\n"));
    const auto log = folder.path() / "sarvo" / "log";
    Process first(folder, QStringLiteral(SARVO_PROGRAM), {});
    // The second start must find the first one running: wait until the first holds its lock.
    const QString lock = QDir::temp().filePath(
        SingleInstance(folder.path() / "sarvo").serverName() + QStringLiteral(".lock"));
    ASSERT_TRUE(first.waitUntil([&] { return QFileInfo::exists(lock); }));
    Process second(folder, QStringLiteral(SARVO_PROGRAM),
                   {QString::fromStdString(download.string())});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    // The running program imports the file (and then shows its message box).
    EXPECT_TRUE(first.waitUntil(
        [&] { return std::filesystem::exists(log / std::filesystem::path(u8"夏.ini")); }));
    EXPECT_FALSE(std::filesystem::exists(log / "dl.svo"));
    EXPECT_EQ(first.state(), QProcess::Running);
}

} // namespace
} // namespace sarvo::app
