#pragma once
// The disguise of the phone PIN and the mail password in the settings file. Character i of the
// stored text is character i of the secret with its code raised by digit i of a fixed key of 120
// digits; reading subtracts the same digits. This only keeps the secret from being read at a
// glance; it is no protection. The forms must stay as they are, or stored secrets no longer
// load.

#include <optional>
#include <string>
#include <string_view>

namespace sarvo::settings {

// Secrets longer than the keys cannot be stored.
inline constexpr size_t kMaxSecretLength = 120;

// The stored form of the PIN ("設定", "SARVONO"); nullopt when it is too long.
std::optional<std::u16string> scramblePin(std::u16string_view pin);
std::u16string unscramblePin(std::u16string_view stored);

// The stored form of the mail password ("設定", "音の状態"): "良好" and the disguised password;
// nullopt when it is too long.
std::optional<std::u16string> disguisePassword(std::u16string_view password);
// Reads the stored form, also the older one without the "良好" prefix and with its own key.
std::u16string revealPassword(std::u16string_view stored);

} // namespace sarvo::settings
