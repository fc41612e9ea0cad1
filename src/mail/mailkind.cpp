#include "mail/mailkind.h"

namespace sarvo::mail {
namespace {

constexpr MailKindInfo kKinds[kMailKindCount] = {
    {MailKind::PmailDx, u"ＰメールＤＸ", u"PDX", true, true, false, true},
    {MailKind::Kyara, u"きゃらメール", u"CML", false, false, false, true},
    {MailKind::IMelody, u"iメロディメール", u"MLD", true, false, true, true},
    {MailKind::SkyMelody, u"Sky Melody", u"SMD", true, true, true, true},
    {MailKind::IMelodyUrl, u"iメロディURL通知", u"MLD", false, false, true, false},
};

} // namespace

const MailKindInfo& mailKindInfo(MailKind kind) {
    return kKinds[static_cast<int>(kind)];
}

std::optional<MailKind> mailKindOfIndex(int index) {
    if (index < 0 || index >= kMailKindCount)
        return std::nullopt;
    return kKinds[index].kind;
}

} // namespace sarvo::mail
