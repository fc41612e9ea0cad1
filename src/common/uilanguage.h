#pragma once
// The language of the interface: Japanese, whose texts are the program's own, or English. The
// user chooses it in the settings ("auto", "ja" or "en"); "auto" follows the locale.

#include <optional>
#include <string_view>

namespace sarvo {

enum class UiLanguage { Japanese, English };
enum class LanguageChoice { Automatic, Japanese, English };

// The settings value of a choice and back; nullopt for a value that names none.
std::u16string_view languageChoiceText(LanguageChoice choice);
std::optional<LanguageChoice> languageChoiceFromText(std::u16string_view text);

// The language of the locale named by the usual variables, taken in POSIX order (LC_ALL, then
// LC_MESSAGES, then LANG; the first one set decides): "ja…" is Japanese, anything else English.
UiLanguage localeLanguage(std::string_view lcAll, std::string_view lcMessages,
                          std::string_view lang);

// The language a choice means in a locale.
UiLanguage chosenLanguage(LanguageChoice choice, UiLanguage locale);

} // namespace sarvo
