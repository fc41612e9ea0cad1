#pragma once
// The five ringtone mail services the mail dialog offers. The index is the option index of the
// dialog and the value stored under "MAILTYPE".

#include <optional>
#include <string_view>

namespace sarvo::mail {

enum class MailKind { PmailDx = 0, Kyara = 1, IMelody = 2, SkyMelody = 3, IMelodyUrl = 4 };

inline constexpr int kMailKindCount = 5;

struct MailKindInfo {
    MailKind kind;
    std::u16string_view caption;    // the option button
    std::u16string_view typeHeader; // value of "X-Sarvo-Mail-Type: "
    bool hasSubject;                // a "Subject: " line comes first
    bool multipart;                 // a "Multipart/Mixed" boundary line
    bool chord;                     // carries up to four parts of a chord
    bool receivable;                // ParseMail recognises it
};

const MailKindInfo& mailKindInfo(MailKind kind);
// The kind of an option index; nullopt outside 0 to 4.
std::optional<MailKind> mailKindOfIndex(int index);

} // namespace sarvo::mail
