#include "common/uilanguage.h"

#include <array>

namespace sarvo {
namespace {

constexpr std::array<std::u16string_view, 3> kChoiceTexts = {u"auto", u"ja", u"en"};

} // namespace

std::u16string_view languageChoiceText(LanguageChoice choice) {
    return kChoiceTexts[static_cast<size_t>(choice)];
}

std::optional<LanguageChoice> languageChoiceFromText(std::u16string_view text) {
    for (size_t i = 0; i < kChoiceTexts.size(); ++i)
        if (kChoiceTexts[i] == text)
            return static_cast<LanguageChoice>(i);
    return std::nullopt;
}

UiLanguage localeLanguage(std::string_view lcAll, std::string_view lcMessages,
                          std::string_view lang) {
    for (std::string_view name : {lcAll, lcMessages, lang})
        if (!name.empty())
            return name.starts_with("ja") ? UiLanguage::Japanese : UiLanguage::English;
    return UiLanguage::English;
}

UiLanguage chosenLanguage(LanguageChoice choice, UiLanguage locale) {
    switch (choice) {
    case LanguageChoice::Japanese: return UiLanguage::Japanese;
    case LanguageChoice::English: return UiLanguage::English;
    case LanguageChoice::Automatic: break;
    }
    return locale;
}

} // namespace sarvo
