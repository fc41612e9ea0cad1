#pragma once
// A pseudo-terminal pair made by socat with the phone emulator on one end, for the cable tests:
// the program under test opens port(). Both processes are stopped when the line goes. A line
// that cannot be made throws, which fails the test (or benchmark) that wanted it.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace sarvo::cable::testing {

class PhoneLine {
public:
    // phoneArgs: the emulator's options after its port, such as {"--type", "Type-E"}.
    explicit PhoneLine(const std::vector<std::string>& phoneArgs) {
        char pattern[] = "/tmp/sarvo-cable-XXXXXX";
        m_dir = mkdtemp(pattern);
        const std::string ttyB = (m_dir / "ttyB").string();
        m_socat = spawn(
            {"socat", "-d", "-d", "pty,raw,echo=0,link=" + port(), "pty,raw,echo=0,link=" + ttyB},
            m_dir / "socat.log");
        if (!waitFor(
                [&] { return std::filesystem::exists(port()) && std::filesystem::exists(ttyB); }))
            fail("socat made no pseudo-terminals: is socat installed?");
        std::vector<std::string> args = {std::string(SARVO_BINARY_DIR) + "/bin/sarvo-phone",
                                         "--port", ttyB, "--slots", (m_dir / "slots").string()};
        args.insert(args.end(), phoneArgs.begin(), phoneArgs.end());
        m_phone = spawn(args, m_dir / "phone.log", m_dir / "ready");
        if (!waitFor([&] { return read(m_dir / "ready").find("ready") != std::string::npos; }))
            fail("sarvo-phone did not start: " + read(m_dir / "phone.log"));
    }
    ~PhoneLine() { stop(); }
    PhoneLine(const PhoneLine&) = delete;
    PhoneLine& operator=(const PhoneLine&) = delete;

    std::string port() const { return (m_dir / "ttyA").string(); }
    std::filesystem::path dir() const { return m_dir; }

    // The slot's line of the emulator's slot file ("N XX XX ..."), waiting a little for the
    // emulator to store it after the end frame.
    std::string slotLine(int slot) const {
        std::string found;
        waitFor([&] {
            std::istringstream lines(read(m_dir / "slots"));
            while (std::getline(lines, found))
                if (found.rfind(std::to_string(slot) + " ", 0) == 0)
                    return true;
            found.clear();
            return false;
        });
        return found;
    }

    // Descriptors of this process still open on the port.
    int openDescriptors() const {
        const auto device = std::filesystem::canonical(port());
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
            std::error_code error;
            count += std::filesystem::read_symlink(entry.path(), error) == device;
        }
        return count;
    }

private:
    static std::string read(const std::filesystem::path& file) {
        std::ifstream in(file);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Polls for up to two seconds.
    template <typename Done> static bool waitFor(Done done) {
        for (int i = 0; i < 100 && !done(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return done();
    }
    [[noreturn]] void fail(const std::string& why) {
        stop();
        throw std::runtime_error(why);
    }
    void stop() {
        for (pid_t* pid : {&m_phone, &m_socat}) {
            if (*pid > 0) {
                kill(*pid, SIGTERM);
                waitpid(*pid, nullptr, 0);
            }
            *pid = -1;
        }
        if (!m_dir.empty())
            std::filesystem::remove_all(m_dir);
    }
    static pid_t spawn(const std::vector<std::string>& args, const std::filesystem::path& err,
                       const std::filesystem::path& out = "/dev/null") {
        const pid_t pid = fork();
        if (pid == 0) {
            freopen(out.c_str(), "w", stdout);
            freopen(err.c_str(), "w", stderr);
            std::vector<char*> argv;
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        return pid;
    }

    std::filesystem::path m_dir;
    pid_t m_socat = -1;
    pid_t m_phone = -1;
};

} // namespace sarvo::cable::testing
