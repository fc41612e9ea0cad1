// sarvo-phone: a phone at the far end of a pseudo-terminal for the cable tests. It plays one
// model: answers the probe with its reply, runs its family's side of the write and read
// dialogues frame by frame, refuses frames it does not expect, checks the PIN 1357 and keeps
// twenty slots in a file, so that one run writes and another reads. Its frames are written from
// the phones' side, not taken from the program's step tables, so that a mistake in one shows
// against the other.
//
// usage: sarvo-phone --port DEV --slots FILE --type Type-X [--d502i] [--line-speed]
//                    [--misbehave silent|drop|empty|unknown-model|refuse-pin]
// Prints "ready" once the port is open; runs until it is stopped (or the line is dropped).

#include "cable/posixserialport.h"

#include <algorithm>
#include <chrono>
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
    for (uint8_t b : bytes)
        text += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15], ' '};
    return text;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

size_t nibbles(const Bytes& bytes) {
    size_t value = 0;
    for (uint8_t b : bytes)
        value = value * 16 + b;
    return value;
}

// The same frame ending in 08: the second part of a Type-S block.
std::string secondPart(const std::string& frame) {
    return frame.substr(0, frame.size() - 2) + "08";
}

// The line was dropped or nothing came for a long time: the session is over.
struct SessionOver {};

struct Options {
    std::string port, type, slotsFile, misbehave;
    bool lineSpeed = false;
};

class Phone;

// A model's rules: its probe reply after "6C 0D 00 02 00 07 00", its family's dialogue and, in
// the N series, the model byte and the frames that carry the melody (the write frame and its
// acknowledgement, the read request and its reply); Type-S sends the count and the notes apart.
struct Model {
    const char* name; // "Type-AC D502i": --type Type-AC --d502i
    const char* probe;
    void (Phone::*dialogue)();
    const char* modelByte = "";
    const char *write = "", *written = "", *request = "", *reply = "";
    bool split = false;
};

class Phone {
public:
    Phone(Options options, const Model& model)
        : m_options(std::move(options))
        , m_model(model)
        , m_port(m_options.port) {}

    bool open() { return m_port.open({600, false}).ok; }

    // Sessions one after another: the probe, the family's dialogue, the end frame.
    void run() {
        while (true) {
            try {
                m_endFrame = hex("1F 07 0D");
                ask("B3 0D 00 02 00 07 00 09 06 03 00 07 01 08 00 0D 06 03 01 08 01 08 00 00 00 "
                    "00 00 00 00 00 00 00 00 00 00 00 00 00",
                    probeReply());
                (this->*m_model.dialogue)();
                expectOneOf({});
            } catch (const SessionOver&) {
            }
            m_baud = 600;
            m_lastFrame.clear();
        }
    }

    // ----- the families' dialogues -----

    // Type-O, Type-S, Type-AA.
    void nSeries() {
        m_endFrame = hex("D1 06 0F 0F 1F 07 0D");
        const Bytes readOpening = hex("64 0D 00 02 00 07 00 09 06 03 00 07 01 08 00 0D 06 03 01 08 "
                                      "01 08 03 09 04 0E 04 05 04 0B 04 01 00 00 00 00 00 00");
        // The program reads when it speaks first; otherwise the phone opens the write.
        if (tryExpect({readOpening}, 200ms)) {
            answer(hex(probeReply()));
            script({{"D1 06 0F 01 08 00", "D1 06 0F 04 09 0E"},
                    {"D1 06 0F 09 00 02", "D1 06 0F 0A 00 02"},
                    {"D1 06 0F 0D 00 02 09 0D 00 08", "D1 06 0F 0C 00 02 0F 0F 00 0E"},
                    {"D1 06 0F 0E 00 04", ""},
                    {"D1 06 0F 0E 00 08", ""},
                    {"D1 06 0F 0E 01 00", ""},
                    {"D1 06 0F 0E 08 00", ""}});
            // Model queries are answered until the read request.
            while (expectOneOf({hex("D1 06 0F 01 01 00"), hex(m_model.request)}) == 0)
                answer(hex("D1 06 0F 04 " + modelByte() + " 0E"));
            const Bytes data = slotData(take(2));
            const size_t head = m_model.split ? 6 : data.size(); // the slot and the count
            answer(hex(m_model.reply) + Bytes(data.begin(), data.begin() + head));
            if (m_model.split) {
                ask(secondPart(m_model.request));
                answer(hex(secondPart(m_model.reply)) + Bytes(data.begin() + head, data.end()));
            }
            return;
        }
        answer(hex("64 0D 00 02 00 07 00 07 00 00 00 07 01 02 00 0D 06 03 01 08 01"));
        ask("6C 0D 00 02 00 07 00 0F 00 00 00 07 01 08 00 0D 06 03 01 08 01 08 03 09 04 0E 04 05 "
            "04 0B 04 01 00 00 00 00 00 00",
            "D1 06 0F 01 " + modelByte() + " 0E");
        script({{"D1 06 0F 04 01 00", "D1 06 0F 02 01 00 00 01 00 01"},
                {"D1 06 0F 04 08 00", "D1 06 0F 09 00 02"},
                {"D1 06 0F 0A 00 02", "D1 06 0F 0D 00 02 0F 0F 00 0E"},
                {"D1 06 0F 0C 00 02 09 0D 00 08", "D1 06 0F 02 00 04 00 00 00 00"},
                {"D1 06 0F 0E 00 04", "D1 06 0F 02 00 08 00 00 00 00"},
                {"D1 06 0F 0E 00 08", "D1 06 0F 02 01 00 00 01 00 01"},
                {"D1 06 0F 0E 01 00", "D1 06 0F 02 08 00 00 00 00 00"},
                {"D1 06 0F 0E 08 00", "D1 06 0F 02 00 01 00 08 00 00 00 00"}});
        ask(m_model.write);
        const size_t slot = nibbles(take(2));
        const Bytes count = take(4);
        if (m_model.split) {
            answer(hex(m_model.written + std::string(" 08")));
            ask(secondPart(m_model.write));
        }
        m_slots[slot] = count + take(nibbles(count) * 4);
        answer(hex(m_model.written));
    }

    // Type-E, Type-AB.
    void pSeries() {
        ask("64 0D 00 02 00 07 00 09 06 03 00 07 01 08 00 0D 06 03 01 08 01 08 03 09 04 0D 04 01 "
            "05 0A 05 0A 09 09 09 09 09 09",
            "6C 0D 00 02 00 07 00 05 00 00 00 03 00 0A 00 0D 00 00 00 00 00");
        for (const std::string data : {"00 02 00 03 00 02 00 00 07 08 00 00 09 00 00 05 00 02 00 "
                                       "04 00 08 01 00 02 00 08 00",
                                       "00 03 00 0A 01 0F 00 0E 00 00 00 0C 00 00 00 00 00 00 00 "
                                       "04 00 00 00 07 01 0C 00 03 00 00 00 02"})
            ask("D1 01 0C 08 02 01 " + data, "D1 01 0D 08 02 01 " + data);
        if (!writing("D1 01 0C 08 02 03 00 00 00 00", "D1 01 0C 08 02 04 00 00 00 00")) {
            answer(hex("D1 01 0D 08 02 03 00 00 00 00") + slotData(take(2), "00 00") +
                   hex("D1 01 0D 08 02 03"));
            return;
        }
        const size_t slot = nibbles(take(2));
        Bytes data = take(2);
        for (size_t part = 0, parts = nibbles(data); part < parts; ++part)
            data = data + takeNotes();
        ask("D1 01 0C 08 02 04");
        m_slots[slot] = data;
    }

    // Type-AC: PIN, speed, a second PIN, then 9600 bps.
    void dSeries() {
        takePin("64 03", 8);
        answer(hex("64 02 05"));
        ask("6C 02 05");
        m_baud = 9600;
        if (!takePin("64 03", 8))
            return answer(hex("64 03"));
        answer(hex("6C 03"));
        script({{"D1 01 0D 00 01 00 01", "D1 01 0D 08 01 00 00"},
                {"D1 01 0D 00 02 00 00 00 0F", "D1 01 0D 08 02 00 01 00 0F"}});
        std::this_thread::sleep_for(300ms);
        answer(hex("A3"));
        script({{"D1 01 0D 00 01 00 00", "D1 01 0D 08 01 00 00 D1 01 0D 00 02 00 00 00 0B A3"},
                {"D1 01 0D 00 05 0A 0A 0A 0A", "D1 01 0D 08 05 00 01"}});
        if (!writing("D1 01 0D 00 07", "D1 01 0D 00 06 00 0E 05 08 00 06 00 02"))
            return answer(hex("D1 01 0D 08 07") + slotData(take(2)));
        keepNotes();
        answer(hex("D1 01 0D 08 06 0C"));
        script({{"D1 01 0D 00 03", "D1 01 0D 08 03"},
                {"D1 01 0D 08 04 00 00 00 00 00 00 00 00", "D1 01 0D 00 04 00 01"},
                {"D1 01 0D 08 04 00 01 00 00 00 00 00 00", "D1 01 0D 00 04 00 02"},
                {"D1 01 0D 08 04 00 02 00 01 00 00 00 00",
                 "D1 01 0D 00 06 00 00 00 08 00 00 0F 0F 00 00 00 01 00 00 00 00 00 01 00 01 00 "
                 "00 00 02"},
                {"D1 01 0D 08 06 00 00 03 0C", ""}});
        take(2);
        ask("D1 01 0D 00 04 00 03", "D1 01 0D 08 04 00 03 00 00 00 00 00 00");
    }

    // Type-AC, the D502i model: i-melody files.
    void d502i() {
        const bool write = writing("D1 03 05 04", "D1 03 05 05");
        answer(hex("A1 01"));
        m_baud = 9600;
        if (!takePin("A2 01", 10))
            return answer(hex("A2 04"));
        answer(hex("A2 03"));
        ask("D1 03 06 00", "D1 03 06 01 02");
        if (write) {
            script({{"D1 03 06 01 02", "FE 0F 07 01 00"}, {"FE 0F 07 02", ""}});
            const size_t slot = nibbles(take(2));
            const Bytes length = take(4);
            m_slots[slot] = length + take(nibbles(length));
        } else {
            ask("FE 0F 07 01 00");
            answer(hex("FE 0F 07 02") + slotData(take(2)));
        }
        ask("A9 01", "A9 02");
    }

    // Type-AD.
    void fSeries() {
        if (writing("D1 09 01 01 00 00 00 00 00", "D1 09 01 01 03")) {
            answer(hex("D1 09 01 01 03"));
            ask("D1 09 01 00 02 00 00 00 00");
            return keepNotes();
        }
        answer(hex("D1 09 01 01 00 00 00 00 02 00"));
        ask("D1 09 01 01 01 00 00 00 00");
        answer(hex("D1 09 01 02") + slotData(take(2)));
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
        pace(bytes.size());
        m_port.write(bytes);
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

    // Takes the frame off the front of what came, if it is there.
    bool consume(const Bytes& frame) {
        if (frame.empty() || m_buffer.size() < frame.size() ||
            !std::equal(frame.begin(), frame.end(), m_buffer.begin()))
            return false;
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + frame.size());
        pace(frame.size());
        return true;
    }

    // Waits for one of the frames (a frame may be followed by bytes of its own); a repeat of
    // the frame answered last is a resend and is skipped, and so is anything else, which is
    // refused. The end frame ends the session wherever it comes. nullopt when none came in time.
    std::optional<size_t> tryExpect(const std::vector<Bytes>& frames,
                                    std::chrono::milliseconds wait) {
        const auto until = Clock::now() + wait;
        const auto couldBecome = [&](const Bytes& frame) {
            const size_t n = std::min(frame.size(), m_buffer.size());
            return !frame.empty() &&
                   std::equal(m_buffer.begin(), m_buffer.begin() + n, frame.begin());
        };
        while (true) {
            for (size_t i = 0; i < frames.size(); ++i) {
                if (consume(frames[i])) {
                    m_lastFrame = frames[i];
                    return i;
                }
            }
            if (consume(m_endFrame)) {
                std::cerr << "sarvo-phone: end frame" << std::endl;
                std::ofstream out(m_options.slotsFile, std::ios::trunc);
                for (const auto& [slot, bytes] : m_slots)
                    out << slot << ' ' << hexText(bytes) << '\n';
                throw SessionOver{};
            }
            if (consume(m_lastFrame))
                continue;
            if (!m_buffer.empty() && !std::ranges::any_of(frames, couldBecome) &&
                !couldBecome(m_endFrame) && !couldBecome(m_lastFrame)) {
                std::cerr << "sarvo-phone: refused " << hexText({m_buffer.front()}) << "\n";
                m_buffer.erase(m_buffer.begin());
                continue;
            }
            if (Clock::now() >= until)
                return std::nullopt;
            fill(until);
        }
    }
    size_t expectOneOf(const std::vector<Bytes>& frames) {
        const auto found = tryExpect(frames, 30s);
        if (!found)
            throw SessionOver{};
        return *found;
    }
    // Waits for the frame and answers it, unless the answer is empty.
    void ask(const std::string& frame, const std::string& reply = "") {
        expectOneOf({hex(frame)});
        if (!reply.empty())
            answer(hex(reply));
    }
    void script(std::initializer_list<std::pair<std::string, std::string>> frames) {
        for (const auto& [frame, reply] : frames)
            ask(frame, reply);
    }
    // Which of the two frames opening the melody came: true for the write.
    bool writing(const std::string& read, const std::string& write) {
        return expectOneOf({hex(read), hex(write)}) == 1;
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
    // A count of notes (four nibbles) and the notes (four nibbles each).
    Bytes takeNotes() {
        const Bytes count = take(4);
        return count + take(nibbles(count) * 4);
    }
    // A slot number and its notes, kept.
    void keepNotes() {
        const size_t slot = nibbles(take(2));
        m_slots[slot] = takeNotes();
    }
    // The slot number and what the slot holds, or an empty melody in the type's layout.
    Bytes slotData(const Bytes& slot, const std::string& empty = "00 00 00 00") const {
        const auto found = m_slots.find(nibbles(slot));
        return slot + (is("empty") || found == m_slots.end() ? hex(empty) : found->second);
    }
    // A PIN frame of eight or ten bytes with any digits; true when they are 1357.
    bool takePin(const std::string& head, size_t length) {
        ask(head);
        const Bytes digits = take(length - 2);
        for (size_t i = 0; i < 4; ++i)
            if (digits[i] != 0x91 + 2 * i)
                return false;
        return !is("refuse-pin");
    }

    std::string probeReply() const { return std::string("6C 0D 00 02 00 07 00 ") + m_model.probe; }
    std::string modelByte() const { return is("unknown-model") ? "0B" : m_model.modelByte; }

    Options m_options;
    const Model& m_model;
    sarvo::cable::PosixSerialPort m_port;
    Bytes m_buffer;
    Bytes m_lastFrame;
    Bytes m_endFrame;
    int m_baud = 600;
    int m_answers = 0;
    std::map<size_t, Bytes> m_slots;
};

const Model kModels[] = {
    {"Type-E", "05 00 00 00 03 00 0A 00 0D 00 00 00 00 00", &Phone::pSeries},
    // None of the probe's rows: the type chosen stays.
    {"Type-AB", "05 00 00 00 03 00 0B 00 0D 00 00 00 00 00", &Phone::pSeries},
    {"Type-O", "06 00 00 00 07 01 02 00 0D 00 00 00 00 00", &Phone::nSeries, "05",
     "D1 06 0F 05 01 00 00 05 00 07", "D1 06 0F 02 01 00 00 05 00", "D1 06 0F 02 01 00 00 05 00 01",
     "D1 06 0F 05 01 00 00 05 00 01"},
    {"Type-S", "07 00 00 00 07 01 02 00 0D 00 00 00 00 00", &Phone::nSeries, "06",
     "D1 06 0F 05 01 00 00 06 00 07", "D1 06 0F 02 01 00 00 06 00", "D1 06 0F 02 01 00 00 06 00 01",
     "D1 06 0F 05 01 00 00 06 00 01", true},
    {"Type-AA", "07 00 00 00 07 01 02 00 0D 01 03 00 0A 01", &Phone::nSeries, "08",
     "D1 06 0F 0E 00 01 00 08", "D1 06 0F 02 00 01 00 08 00", "D1 06 0F 02 00 01 00 08 00 00 00 00",
     "D1 06 0F 0E 00 01 00 08"},
    {"Type-AC", "05 00 00 00 03 00 0C 00 0D 00 00 00 00 00", &Phone::dSeries},
    {"Type-AC D502i", "05 00 00 00 03 01 08 00 0D 00 00 00 00 00", &Phone::d502i},
    {"Type-AD", "07 00 00 00 07 00 0C 00 0D 00 00 00 00 00", &Phone::fSeries},
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    bool d502i = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* value = arg == "--port"        ? &options.port
                             : arg == "--slots"     ? &options.slotsFile
                             : arg == "--type"      ? &options.type
                             : arg == "--misbehave" ? &options.misbehave
                                                    : nullptr;
        if (value && i + 1 < argc)
            *value = argv[++i];
        else if (arg == "--d502i" || arg == "--line-speed")
            (arg == "--d502i" ? d502i : options.lineSpeed) = true;
        else
            return std::cerr << "sarvo-phone: unknown argument " << arg << "\n", 2;
    }
    const std::string name = options.type + (d502i ? " D502i" : "");
    const auto model = std::find_if(std::begin(kModels), std::end(kModels),
                                    [&](const Model& m) { return m.name == name; });
    if (model == std::end(kModels))
        return std::cerr << "sarvo-phone: no model " << name << "\n", 2;
    Phone phone(options, *model);
    if (!phone.open())
        return std::cerr << "sarvo-phone: cannot open " << options.port << "\n", 1;
    std::cout << "ready" << std::endl;
    phone.run();
}
