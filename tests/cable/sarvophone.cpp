// sarvo-phone: a phone at the far end of a pseudo-terminal for the cable tests. It plays one
// phone type: answers the probe with its model's reply, runs that family's side of the write
// and read dialogues frame by frame, refuses frames it does not expect, checks the PIN and keeps
// twenty slots, optionally in a file so that one run writes and another reads. It can be told
// to misbehave.
//
// Its frames are written here from the phones' side on their own, not taken from the
// program's step tables, so that a mistake in one shows against the other.
//
// usage: sarvo-phone --port DEV --type Type-X [--d502i] [--slots FILE] [--pin NNNN]
//                    [--misbehave silent|single|noise|drop|empty|unknown-model|refuse-pin]
//                    [--line-speed]
// Prints "ready" once the port is open; runs until it is stopped (or the line is dropped).

#include "cable/posixserialport.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

Bytes hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair)
        bytes.push_back(static_cast<uint8_t>(std::stoi(pair, nullptr, 16)));
    return bytes;
}

std::string hexText(const Bytes& bytes) {
    std::string text;
    char pair[4];
    for (uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X ", b);
        text += pair;
    }
    return text;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The line was dropped or nothing came for a long time: the session is over.
struct SessionOver {};

struct Options {
    std::string port;
    std::string type;
    bool d502i = false;
    std::string slotsFile;
    std::string pin = "1357";
    std::string misbehave;
    bool lineSpeed = false;
};

class Phone {
public:
    explicit Phone(Options options)
        : m_options(std::move(options))
        , m_port(m_options.port) {
        loadSlots();
    }

    bool open() { return m_port.open({600, false}).ok; }

    void run() {
        while (true) {
            try {
                session();
            } catch (const SessionOver&) {
            }
            m_baud = 600;
            m_lastFrame.clear();
        }
    }

private:
    // ----- the line -----

    bool is(const char* mode) const { return m_options.misbehave == mode; }

    void pace(size_t bytes) const {
        if (m_options.lineSpeed)
            std::this_thread::sleep_for(std::chrono::microseconds(bytes * 10'000'000 / m_baud));
    }

    void answer(const Bytes& bytes) {
        if (is("silent"))
            return;
        if (is("drop") && ++m_answers > 4) {
            std::cerr << "sarvo-phone: dropping the line\n";
            m_port.close();
            std::exit(0);
        }
        const Bytes sent = is("noise") ? hex("55 AA 5A") + bytes : bytes;
        if (is("single")) {
            for (uint8_t b : sent) {
                m_port.write(std::span(&b, 1));
                std::this_thread::sleep_for(3ms);
            }
            return;
        }
        pace(sent.size());
        m_port.write(sent);
    }

    void fill(Clock::time_point until) {
        while (Clock::now() < until) {
            const Bytes more = m_port.readAll();
            if (!more.empty()) {
                m_buffer.insert(m_buffer.end(), more.begin(), more.end());
                return;
            }
            m_port.waitReadable(until);
        }
    }

    bool startsWith(const Bytes& prefix) const {
        return m_buffer.size() >= prefix.size() &&
               std::equal(prefix.begin(), prefix.end(), m_buffer.begin());
    }
    bool couldBecome(const Bytes& frame) const {
        const size_t n = std::min(frame.size(), m_buffer.size());
        return std::equal(m_buffer.begin(), m_buffer.begin() + n, frame.begin());
    }

    // Waits for one of the frames (a frame may be followed by `extra` bytes of its own); a
    // repeat of the frame answered last is a resend and is skipped, and so is anything else,
    // which is refused. The end frame ends the session wherever it comes.
    size_t expectOneOf(const std::vector<Bytes>& frames) {
        const auto found = tryExpect(frames, 30s);
        if (!found)
            throw SessionOver{};
        return *found;
    }
    // The same; nullopt when none came in time.
    std::optional<size_t> tryExpect(const std::vector<Bytes>& frames,
                                    std::chrono::milliseconds wait) {
        const auto until = Clock::now() + wait;
        while (true) {
            for (size_t i = 0; i < frames.size(); ++i) {
                if (startsWith(frames[i])) {
                    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + frames[i].size());
                    m_lastFrame = frames[i];
                    pace(frames[i].size());
                    return i;
                }
            }
            if (startsWith(m_endFrame)) {
                m_buffer.erase(m_buffer.begin(), m_buffer.begin() + m_endFrame.size());
                std::cerr << "sarvo-phone: end frame" << std::endl;
                saveSlots();
                throw SessionOver{};
            }
            if (!m_lastFrame.empty() && startsWith(m_lastFrame)) {
                m_buffer.erase(m_buffer.begin(), m_buffer.begin() + m_lastFrame.size());
                continue;
            }
            bool waiting =
                couldBecome(m_endFrame) || (!m_lastFrame.empty() && couldBecome(m_lastFrame));
            for (const Bytes& frame : frames)
                waiting = waiting || couldBecome(frame);
            if (!waiting && !m_buffer.empty()) {
                std::cerr << "sarvo-phone: refused " << hexText({m_buffer.front()}) << "\n";
                m_buffer.erase(m_buffer.begin());
                continue;
            }
            if (Clock::now() >= until)
                return std::nullopt;
            fill(until);
        }
    }
    void expect(const std::string& frame) { expectOneOf({hex(frame)}); }
    void ask(const std::string& frame, const std::string& reply) {
        expect(frame);
        answer(hex(reply));
    }

    Bytes take(size_t count) {
        const auto until = Clock::now() + 10s;
        while (m_buffer.size() < count) {
            if (Clock::now() >= until)
                throw SessionOver{};
            fill(until);
        }
        Bytes taken(m_buffer.begin(), m_buffer.begin() + count);
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + count);
        pace(count);
        return taken;
    }
    static int nibbles(const Bytes& bytes) {
        int value = 0;
        for (uint8_t b : bytes)
            value = value * 16 + b;
        return value;
    }
    static Bytes toNibbles(int value, int count) {
        Bytes bytes(count);
        for (int i = count - 1; i >= 0; --i, value >>= 4)
            bytes[i] = static_cast<uint8_t>(value & 15);
        return bytes;
    }
    int takeSlot() { return nibbles(take(2)); }

    // ----- the slots: what follows the slot number in the type's data block -----

    void loadSlots() {
        std::ifstream in(m_options.slotsFile);
        std::string line;
        while (std::getline(in, line)) {
            const size_t blank = line.find(' ');
            if (blank != std::string::npos)
                m_slots[std::stoi(line.substr(0, blank))] = hex(line.substr(blank + 1));
        }
    }
    void saveSlots() const {
        if (m_options.slotsFile.empty())
            return;
        std::ofstream out(m_options.slotsFile, std::ios::trunc);
        for (const auto& [slot, bytes] : m_slots)
            out << slot << ' ' << hexText(bytes) << '\n';
    }
    // The stored data, or an empty melody in the type's layout.
    Bytes stored(int slot, const Bytes& empty) const {
        const auto found = m_slots.find(slot);
        return is("empty") || found == m_slots.end() ? empty : found->second;
    }

    // A count of notes (four nibbles) and the notes (four nibbles each).
    Bytes takeNotes() {
        const Bytes count = take(4);
        return count + take(static_cast<size_t>(nibbles(count)) * 4);
    }

    // ----- the dialogues -----

    std::string probeReply() const {
        const std::string head = "6C 0D 00 02 00 07 ";
        if (m_options.type == "Type-E")
            return head + "00 05 00 00 00 03 00 0A 00 0D 00 00 00 00 00";
        if (m_options.type == "Type-AB") // none of the probe's rows: the type chosen stays
            return head + "00 05 00 00 00 03 00 0B 00 0D 00 00 00 00 00";
        if (m_options.type == "Type-O")
            return head + "00 06 00 00 00 07 01 02 00 0D 00 00 00 00 00";
        if (m_options.type == "Type-S")
            return head + "00 07 00 00 00 07 01 02 00 0D 00 00 00 00 00";
        if (m_options.type == "Type-AA")
            return head + "00 07 00 00 00 07 01 02 00 0D 01 03 00 0A 01";
        if (m_options.type == "Type-AD")
            return head + "00 07 00 00 00 07 00 0C 00 0D 00 00 00 00 00";
        if (m_options.d502i)
            return head + "00 05 00 00 00 03 01 08 00 0D 00 00 00 00 00";
        return head + "00 05 00 00 00 03 00 0C 00 0D 00 00 00 00 00";
    }

    void session() {
        m_endFrame = hex("1F 07 0D");
        expect("B3 0D 00 02 00 07 00 09 06 03 00 07 01 08 00 0D 06 03 01 08 01 08 00 00 00 00 00 "
               "00 00 00 00 00 00 00 00 00 00 00");
        answer(hex(probeReply()));
        const std::string& type = m_options.type;
        if (type == "Type-O" || type == "Type-S" || type == "Type-AA")
            nSeries();
        else if (type == "Type-E" || type == "Type-AB")
            pSeries();
        else if (type == "Type-AC" && m_options.d502i)
            d502i();
        else if (type == "Type-AC")
            dSeries();
        else
            fSeries();
        expectOneOf({}); // the end frame
    }

    std::string modelByte() const {
        if (is("unknown-model"))
            return "0B";
        return m_options.type == "Type-O" ? "05" : m_options.type == "Type-S" ? "06" : "08";
    }

    // Type-O, Type-S, Type-AA.
    void nSeries() {
        m_endFrame = hex("D1 06 0F 0F 1F 07 0D");
        const std::string reply21 = probeReply();
        const Bytes readOpening = hex("64 0D 00 02 00 07 00 09 06 03 00 07 01 08 00 0D 06 03 01 08 "
                                      "01 08 03 09 04 0E 04 05 04 0B 04 01 00 00 00 00 00 00");
        // The program reads when it speaks first; otherwise the phone opens the write.
        if (tryExpect({readOpening}, 800ms)) {
            answer(hex(reply21));
            ask("D1 06 0F 01 08 00", "D1 06 0F 04 09 0E");
            ask("D1 06 0F 09 00 02", "D1 06 0F 0A 00 02");
            ask("D1 06 0F 0D 00 02 09 0D 00 08", "D1 06 0F 0C 00 02 0F 0F 00 0E");
            for (const char* quiet : {"D1 06 0F 0E 00 04", "D1 06 0F 0E 00 08", "D1 06 0F 0E 01 00",
                                      "D1 06 0F 0E 08 00"})
                expect(quiet);
            nSeriesRead();
            return;
        }
        answer(hex("64 0D 00 02 00 07 00 07 00 00 00 07 01 02 00 0D 06 03 01 08 01"));
        ask("6C 0D 00 02 00 07 00 0F 00 00 00 07 01 08 00 0D 06 03 01 08 01 08 03 09 04 0E 04 05 "
            "04 0B 04 01 00 00 00 00 00 00",
            "D1 06 0F 01 " + modelByte() + " 0E");
        ask("D1 06 0F 04 01 00", "D1 06 0F 02 01 00 00 01 00 01");
        ask("D1 06 0F 04 08 00", "D1 06 0F 09 00 02");
        ask("D1 06 0F 0A 00 02", "D1 06 0F 0D 00 02 0F 0F 00 0E");
        ask("D1 06 0F 0C 00 02 09 0D 00 08", "D1 06 0F 02 00 04 00 00 00 00");
        ask("D1 06 0F 0E 00 04", "D1 06 0F 02 00 08 00 00 00 00");
        ask("D1 06 0F 0E 00 08", "D1 06 0F 02 01 00 00 01 00 01");
        ask("D1 06 0F 0E 01 00", "D1 06 0F 02 08 00 00 00 00 00");
        ask("D1 06 0F 0E 08 00", "D1 06 0F 02 00 01 00 08 00 00 00 00");
        if (m_options.type == "Type-AA") {
            expect("D1 06 0F 0E 00 01 00 08");
            const int slot = takeSlot();
            m_slots[slot] = takeNotes();
            answer(hex("D1 06 0F 02 00 01 00 08 00"));
        } else if (m_options.type == "Type-O") {
            expect("D1 06 0F 05 01 00 00 05 00 07");
            const int slot = takeSlot();
            m_slots[slot] = takeNotes();
            answer(hex("D1 06 0F 02 01 00 00 05 00"));
        } else {
            expect("D1 06 0F 05 01 00 00 06 00 07");
            const int slot = takeSlot();
            const Bytes count = take(4);
            answer(hex("D1 06 0F 02 01 00 00 06 00 08"));
            expect("D1 06 0F 05 01 00 00 06 00 08");
            m_slots[slot] = count + take(static_cast<size_t>(nibbles(count)) * 4);
            answer(hex("D1 06 0F 02 01 00 00 06 00"));
        }
    }

    void nSeriesRead() {
        const Bytes modelQuery = hex("D1 06 0F 01 01 00");
        const std::string& type = m_options.type;
        const Bytes request = hex(type == "Type-AA"  ? "D1 06 0F 02 00 01 00 08 00 00 00 00"
                                  : type == "Type-O" ? "D1 06 0F 02 01 00 00 05 00 01"
                                                     : "D1 06 0F 02 01 00 00 06 00 01");
        // Model queries are answered until the read request.
        while (expectOneOf({modelQuery, request}) == 0)
            answer(hex("D1 06 0F 04 " + modelByte() + " 0E"));
        const Bytes slot = take(2);
        const Bytes data = stored(nibbles(slot), hex("00 00 00 00"));
        if (type == "Type-AA") {
            answer(hex("D1 06 0F 0E 00 01 00 08") + slot + data);
        } else if (type == "Type-O") {
            answer(hex("D1 06 0F 05 01 00 00 05 00 01") + slot + data);
        } else {
            answer(hex("D1 06 0F 05 01 00 00 06 00 01") + slot +
                   Bytes(data.begin(), data.begin() + 4));
            expect("D1 06 0F 02 01 00 00 06 00 08");
            answer(hex("D1 06 0F 05 01 00 00 06 00 08") + Bytes(data.begin() + 4, data.end()));
        }
    }

    // Type-E, Type-AB.
    void pSeries() {
        const std::string reply = "6C 0D 00 02 00 07 00 05 00 00 00 03 00 0A 00 0D 00 00 00 00 00";
        ask("64 0D 00 02 00 07 00 09 06 03 00 07 01 08 00 0D 06 03 01 08 01 08 03 09 04 0D 04 01 "
            "05 0A 05 0A 09 09 09 09 09 09",
            reply);
        for (const char* data : {"00 02 00 03 00 02 00 00 07 08 00 00 09 00 00 05 00 02 00 04 00 "
                                 "08 01 00 02 00 08 00",
                                 "00 03 00 0A 01 0F 00 0E 00 00 00 0C 00 00 00 00 00 00 00 04 00 "
                                 "00 00 07 01 0C 00 03 00 00 00 02"})
            ask(std::string("D1 01 0C 08 02 01 ") + data, std::string("D1 01 0D 08 02 01 ") + data);
        const size_t which = expectOneOf(
            {hex("D1 01 0C 08 02 03 00 00 00 00"), hex("D1 01 0C 08 02 04 00 00 00 00")});
        const Bytes slot = take(2);
        if (which == 0) {
            answer(hex("D1 01 0D 08 02 03 00 00 00 00") + slot +
                   stored(nibbles(slot), hex("00 00")) + hex("D1 01 0D 08 02 03"));
            return;
        }
        const Bytes parts = take(2);
        Bytes data = parts;
        for (int part = 0; part < nibbles(parts); ++part)
            data = data + takeNotes();
        expect("D1 01 0C 08 02 04");
        m_slots[nibbles(slot)] = data;
    }

    bool pinAccepted(const Bytes& frame) const {
        if (is("refuse-pin"))
            return false;
        for (size_t i = 0; i < 4; ++i) {
            const int digit = m_options.pin[i] - '0';
            if (frame[2 + i] != (digit == 0 ? 0x9A : 0x90 + digit))
                return false;
        }
        return true;
    }
    // A PIN frame of eight or ten bytes with any digits.
    Bytes takePinFrame(const std::string& head, size_t length) {
        expect(head);
        return hex(head) + take(length - 2);
    }

    // Type-AC.
    void dSeries() {
        takePinFrame("64 03", 8);
        answer(hex("64 02 05"));
        expect("6C 02 05");
        m_baud = 9600;
        const Bytes pin = takePinFrame("64 03", 8);
        if (!pinAccepted(pin)) {
            answer(hex("64 03"));
            return;
        }
        answer(hex("6C 03"));
        ask("D1 01 0D 00 01 00 01", "D1 01 0D 08 01 00 00");
        ask("D1 01 0D 00 02 00 00 00 0F", "D1 01 0D 08 02 00 01 00 0F");
        std::this_thread::sleep_for(300ms);
        answer(hex("A3"));
        ask("D1 01 0D 00 01 00 00", "D1 01 0D 08 01 00 00 D1 01 0D 00 02 00 00 00 0B A3");
        ask("D1 01 0D 00 05 0A 0A 0A 0A", "D1 01 0D 08 05 00 01");
        const size_t which =
            expectOneOf({hex("D1 01 0D 00 07"), hex("D1 01 0D 00 06 00 0E 05 08 00 06 00 02")});
        const Bytes slot = take(2);
        if (which == 0) {
            answer(hex("D1 01 0D 08 07") + slot + stored(nibbles(slot), hex("00 00 00 00")));
            return;
        }
        m_slots[nibbles(slot)] = takeNotes();
        answer(hex("D1 01 0D 08 06 0C"));
        ask("D1 01 0D 00 03", "D1 01 0D 08 03");
        ask("D1 01 0D 08 04 00 00 00 00 00 00 00 00", "D1 01 0D 00 04 00 01");
        ask("D1 01 0D 08 04 00 01 00 00 00 00 00 00", "D1 01 0D 00 04 00 02");
        ask("D1 01 0D 08 04 00 02 00 01 00 00 00 00",
            "D1 01 0D 00 06 00 00 00 08 00 00 0F 0F 00 00 00 01 00 00 00 00 00 01 00 01 00 00 00 "
            "02");
        expect("D1 01 0D 08 06 00 00 03 0C");
        take(2);
        ask("D1 01 0D 00 04 00 03", "D1 01 0D 08 04 00 03 00 00 00 00 00 00");
    }

    // Type-AC, the D502i model: i-melody files.
    void d502i() {
        const bool writing = expectOneOf({hex("D1 03 05 04"), hex("D1 03 05 05")}) == 1;
        answer(hex("A1 01"));
        m_baud = 9600;
        const Bytes pin = takePinFrame("A2 01", 10);
        if (!pinAccepted(pin)) {
            answer(hex("A2 04"));
            return;
        }
        answer(hex("A2 03"));
        ask("D1 03 06 00", "D1 03 06 01 02");
        if (writing) {
            ask("D1 03 06 01 02", "FE 0F 07 01 00");
            expect("FE 0F 07 02");
            const int slot = takeSlot();
            const Bytes length = take(4);
            m_slots[slot] = length + take(static_cast<size_t>(nibbles(length)));
        } else {
            expect("FE 0F 07 01 00");
            const Bytes slot = take(2);
            answer(hex("FE 0F 07 02") + slot + stored(nibbles(slot), hex("00 00 00 00")));
        }
        ask("A9 01", "A9 02");
    }

    // Type-AD.
    void fSeries() {
        const bool writing =
            expectOneOf({hex("D1 09 01 01 00 00 00 00 00"), hex("D1 09 01 01 03")}) == 1;
        if (writing) {
            answer(hex("D1 09 01 01 03"));
            expect("D1 09 01 00 02 00 00 00 00");
            const int slot = takeSlot();
            m_slots[slot] = takeNotes();
            return;
        }
        answer(hex("D1 09 01 01 00 00 00 00 02 00"));
        expect("D1 09 01 01 01 00 00 00 00");
        const Bytes slot = take(2);
        answer(hex("D1 09 01 02") + slot + stored(nibbles(slot), hex("00 00 00 00")));
    }

    Options m_options;
    sarvo::cable::PosixSerialPort m_port;
    Bytes m_buffer;
    Bytes m_lastFrame;
    Bytes m_endFrame;
    int m_baud = 600;
    int m_answers = 0;
    std::map<int, Bytes> m_slots;
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            return i + 1 < argc ? argv[++i] : "";
        };
        if (arg == "--port")
            options.port = value();
        else if (arg == "--type")
            options.type = value();
        else if (arg == "--d502i")
            options.d502i = true;
        else if (arg == "--slots")
            options.slotsFile = value();
        else if (arg == "--pin")
            options.pin = value();
        else if (arg == "--misbehave")
            options.misbehave = value();
        else if (arg == "--line-speed")
            options.lineSpeed = true;
        else {
            std::cerr << "sarvo-phone: unknown argument " << arg << "\n";
            return 2;
        }
    }
    if (options.port.empty() || options.type.empty() || options.pin.size() != 4) {
        std::cerr << "usage: sarvo-phone --port DEV --type Type-X [--d502i] [--slots FILE] "
                     "[--pin NNNN] [--misbehave MODE] [--line-speed]\n";
        return 2;
    }
    Phone phone(options);
    if (!phone.open()) {
        std::cerr << "sarvo-phone: cannot open " << options.port << "\n";
        return 1;
    }
    std::cout << "ready" << std::endl;
    phone.run();
}
