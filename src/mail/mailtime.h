#pragma once
// The local time of an exchange, as the mail texts and the protocol log write it.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace sarvo::mail {

struct MailTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;

    // Local time now.
    static MailTime now();
    // The local time of a point in time.
    static MailTime of(std::chrono::system_clock::time_point time);
    // "YYYY-MM-DD HH:MM" (the command line's form); nullopt for anything else or an
    // impossible date.
    static std::optional<MailTime> parse(std::string_view text);
    // "yyyymmddhhnn" read back from a boundary; nullopt when it is no valid date.
    static std::optional<MailTime> fromBoundary(std::u16string_view digits);

    // "yyyymmddhhnn": the boundary of a composed mail.
    std::u16string boundary() const;
    // "yy/mm/dd hh:nn:ss " with its trailing blank: the log's timestamp.
    std::u16string logStamp() const;
    // "yyyy/mm/dd hh:nn": the date of a song file.
    std::u16string songDate() const;

    bool valid() const;
};

} // namespace sarvo::mail
