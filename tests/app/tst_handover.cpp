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

#include <csignal>

namespace sarvo::app {
namespace {

const char* const kTitleRunning = "message: Sarvo Ver 1.6Z は既に起動されています";

class Peer {
public:
    Peer(const testing::TempFolder& folder, const std::vector<QString>& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", QString::fromStdString(folder.path().string()));
        m_process.setProcessEnvironment(environment);
        QStringList list = {QString::fromStdString((folder.path() / "program").string())};
        for (const QString& argument : arguments)
            list << argument;
        m_process.start(QStringLiteral(HANDOVER_PEER), list);
        EXPECT_TRUE(m_process.waitForStarted(5000));
    }
    ~Peer() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(5000);
        }
    }

    // Waits for a line of output; false when it does not come within the time.
    bool waitForLine(const std::string& line, int timeoutMs = 10000) {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            while (m_process.canReadLine()) {
                if (m_process.readLine().trimmed().toStdString() == line)
                    return true;
            }
            if (!m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime())) &&
                m_process.state() == QProcess::NotRunning && !m_process.canReadLine())
                return false;
        }
        return false;
    }
    int finish() {
        EXPECT_TRUE(m_process.waitForFinished(10000));
        return m_process.exitCode();
    }
    void kill() {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
        m_process.waitForFinished(5000);
    }

private:
    QProcess m_process;
};

enum class FirstEnd { Running, Killed };

struct HandOverCase {
    const char* name;
    FirstEnd first;
    const char* secondFile;              // in the downloads folder; nullptr: none
    std::vector<std::string> secondSays; // in order
    std::vector<std::string> firstSays;  // after the second start, in order
    bool songStored;
};

class HandOver : public ::testing::TestWithParam<HandOverCase> {};

TEST_P(HandOver, BetweenTwoProcesses) {
    const HandOverCase& c = GetParam();
    testing::TempFolder folder;
    // A portable copy: the settings file beside the program keeps the library there.
    testing::writeBytes(folder.path() / "program" / "Sarvo.ini", "");
    const auto downloads = folder.path() / "downloads";
    testing::writeBytes(downloads / "dl.svo", *toCp932(u"[曲情報]\r\nName=春\r\nMusic=E中ミ \r\n"));
    testing::writeBytes(downloads / "tune.mld", "melo");

    Peer first(folder, {});
    ASSERT_TRUE(first.waitForLine("running"));
    if (c.first == FirstEnd::Killed)
        first.kill();

    std::vector<QString> arguments;
    if (c.secondFile)
        arguments.push_back(QString::fromStdString((downloads / c.secondFile).string()));
    Peer second(folder, arguments);
    for (const std::string& line : c.secondSays)
        EXPECT_TRUE(second.waitForLine(line)) << line;
    for (const std::string& line : c.firstSays)
        EXPECT_TRUE(first.waitForLine(line)) << line;
    if (c.first == FirstEnd::Running) {
        EXPECT_EQ(second.finish(), 0);
    }

    const auto log = folder.path() / "program" / "log";
    EXPECT_EQ(std::filesystem::exists(log / std::filesystem::path(u8"春.ini")), c.songStored);
    EXPECT_FALSE(std::filesystem::exists(log / "dl.svo"));
    EXPECT_TRUE(std::filesystem::exists(downloads / "dl.svo")); // the user's own file stays
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandOver,
    ::testing::Values(
        HandOverCase{
            "SongFileGoesToTheRunningProgram",
            FirstEnd::Running,
            "dl.svo",
            {"handed over"},
            {"activated", "message: ダウンロードした「春」を読み込みました。", "arrived: 春"},
            true},
        HandOverCase{"FileForTheImportDialogGoesToTheRunningProgram",
                     FirstEnd::Running,
                     "tune.mld",
                     {"handed over"},
                     {"activated", "import dialog for: tune.mld"},
                     false},
        HandOverCase{"WithoutFileTheRunningProgramComesForward",
                     FirstEnd::Running,
                     nullptr,
                     {kTitleRunning, "handed over"},
                     {"activated"},
                     false},
        // A program that died leaves its lock and socket; the next start runs on its own.
        HandOverCase{
            "AfterACrashTheNextStartRuns",
            FirstEnd::Killed,
            "dl.svo",
            {"message: ダウンロードした「春」を読み込みました。", "running", "imported: 春"},
            {},
            true}),
    [](const auto& row) { return std::string(row.param.name); });

// The program itself: a second "sarvo FILE.svo" gives the file to the first and ends.
TEST(HandOverProgram, SecondStartOfSarvoHandsItsFileOver) {
    testing::TempFolder folder;
    const auto download = folder.path() / "dl.svo";
    testing::writeBytes(download, *toCp932(u"[曲情報]\r\nName=夏\r\nMusic=E中ミ \r\n"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", QString::fromStdString(folder.path().string()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const auto log = folder.path() / "sarvo" / "log";

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(SARVO_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted(5000));
    // The second start must find the first one running: wait until the first holds its lock.
    const QString lock = QDir::temp().filePath(
        SingleInstance(folder.path() / "sarvo").serverName() + QStringLiteral(".lock"));
    QDeadlineTimer ready(20000);
    while (!QFileInfo::exists(lock) && !ready.hasExpired())
        first.waitForFinished(50);
    ASSERT_TRUE(QFileInfo::exists(lock));
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(SARVO_PROGRAM), {QString::fromStdString(download.string())});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    // The running program imports the file (and then shows its message box).
    QDeadlineTimer deadline(10000);
    while (!std::filesystem::exists(log / std::filesystem::path(u8"夏.ini")) &&
           !deadline.hasExpired())
        first.waitForFinished(100);
    EXPECT_TRUE(std::filesystem::exists(log / std::filesystem::path(u8"夏.ini")));
    EXPECT_FALSE(std::filesystem::exists(log / "dl.svo"));
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(5000);
}

} // namespace
} // namespace sarvo::app
