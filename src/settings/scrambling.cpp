#include "settings/scrambling.h"

namespace sarvo::settings {
namespace {

// Digits 0 to 2, so a disguised printable character stays a single byte in code page 932.
constexpr std::u16string_view kPinKey =
    u"2102202021000000011222120110212201110121011222202011110211122100212012210020201122010011201"
    u"12012000020110120102122021110";
constexpr std::u16string_view kPasswordKey =
    u"2110102010221100210002221001022221220002201100111200110101211012100020000221112201101020102"
    u"21200102212222000110111102000";
constexpr std::u16string_view kLegacyPasswordKey =
    u"9801981599746028712295313958642011571928660582158747986768916032227734046733347641499300773"
    u"07647021560828155527454184341";
static_assert(kPinKey.size() == kMaxSecretLength && kPasswordKey.size() == kMaxSecretLength &&
              kLegacyPasswordKey.size() == kMaxSecretLength);

constexpr std::u16string_view kPasswordPrefix = u"良好";

// Adds (direction +1) or subtracts (−1) the key's digits, position by position.
std::u16string shifted(std::u16string_view text, std::u16string_view key, int direction) {
    std::u16string out(text);
    for (size_t i = 0; i < out.size() && i < key.size(); ++i)
        out[i] = static_cast<char16_t>(out[i] + direction * (key[i] - u'0'));
    return out;
}

} // namespace

std::optional<std::u16string> scramblePin(std::u16string_view pin) {
    if (pin.size() > kMaxSecretLength)
        return std::nullopt;
    return shifted(pin, kPinKey, +1);
}

std::u16string unscramblePin(std::u16string_view stored) {
    return shifted(stored.substr(0, kMaxSecretLength), kPinKey, -1);
}

std::optional<std::u16string> disguisePassword(std::u16string_view password) {
    if (password.size() > kMaxSecretLength)
        return std::nullopt;
    return std::u16string(kPasswordPrefix) + shifted(password, kPasswordKey, +1);
}

std::u16string revealPassword(std::u16string_view stored) {
    if (stored.starts_with(kPasswordPrefix)) {
        stored.remove_prefix(kPasswordPrefix.size());
        return shifted(stored.substr(0, kMaxSecretLength), kPasswordKey, -1);
    }
    return shifted(stored.substr(0, kMaxSecretLength), kLegacyPasswordKey, -1);
}

} // namespace sarvo::settings
