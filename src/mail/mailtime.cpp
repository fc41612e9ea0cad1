#include "mail/mailtime.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace sarvo::mail {
namespace {

std::u16string ascii(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Reads fields of fixed widths at fixed offsets; nullopt when one is not a number.
std::optional<MailTime> fields(std::string_view text, const size_t (&offsets)[5],
                               const size_t (&widths)[5]) {
    int values[5] = {};
    for (int i = 0; i < 5; ++i) {
        const auto value = number(text.substr(offsets[i], widths[i]));
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    MailTime time{values[0], values[1], values[2], values[3], values[4], 0};
    if (!time.valid())
        return std::nullopt;
    return time;
}

} // namespace

MailTime MailTime::now() {
    return of(std::chrono::system_clock::now());
}

MailTime MailTime::of(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::optional<MailTime> MailTime::parse(std::string_view text) {
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':')
        return std::nullopt;
    return fields(text, {0, 5, 8, 11, 14}, {4, 2, 2, 2, 2});
}

std::optional<MailTime> MailTime::fromBoundary(std::u16string_view digits) {
    if (digits.size() != 12)
        return std::nullopt;
    std::string text;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        text += static_cast<char>(c);
    }
    return fields(text, {0, 4, 6, 8, 10}, {4, 2, 2, 2, 2});
}

bool MailTime::valid() const {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month) && hour >= 0 && hour < 24 && minute >= 0 &&
           minute < 60 && second >= 0 && second < 61;
}

std::u16string MailTime::boundary() const {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d", year, month, day, hour, minute);
    return ascii(text);
}

std::u16string MailTime::logStamp() const {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d ", year % 100, month, day, hour,
                  minute, second);
    return ascii(text);
}

std::u16string MailTime::songDate() const {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", year, month, day, hour, minute);
    return ascii(text);
}

} // namespace sarvo::mail
