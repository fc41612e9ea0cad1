#include "settings/preferences.h"

#include "keyguide/phonetypes.h"
#include "melody/pitchkeytable.h"
#include "settings/profilenumbers.h"

#include <algorithm>
#include <array>

namespace sarvo::settings {
namespace {

constexpr std::array<std::u16string_view, 3> kInputSoundTexts = {u"入力音なし", u"自動",
                                                                 u"音符に従う"};

// The scroll bar of the tempo base value; 21 would make the test scale's divisor zero.
constexpr int kMinTempoBase = 0;
constexpr int kMaxTempoBase = 20;
constexpr int kMaxFontSize = 90;

std::optional<int> keyMapFromCaption(std::u16string_view caption) {
    for (int map = 0; map < melody::kKeyMapCount; ++map) {
        if (melody::PitchKeyTable::keyMapCaption(map) == caption)
            return map;
    }
    return std::nullopt;
}

// One font group's four keys, named after the screen: "入力画面の" or "表示画面の".
struct FontKeys {
    std::u16string name, size, bold, preview;
    explicit FontKeys(std::u16string_view screen)
        : name(std::u16string(screen) + u"フォント")
        , size(name + u"サイズ")
        , bold(name + u"ボールド")
        , preview(name + u"プレビュー") {}
};

const FontKeys& inputFontKeys() {
    static const FontKeys keys(u"入力画面の");
    return keys;
}

const FontKeys& displayFontKeys() {
    static const FontKeys keys(u"表示画面の");
    return keys;
}

// Reads a key and, when it holds an acceptable value, stores it in target.
class PreferenceReader {
public:
    explicit PreferenceReader(const PrivateProfile& profile)
        : m_profile(profile) {}

    template <typename T, typename Parse>
    void read(std::u16string_view key, T& target, Parse parse) const {
        const std::u16string text =
            m_profile.value(kPreferencesSection, key, {}, kPreferenceBuffer);
        if (text.empty())
            return;
        if (auto parsed = parse(text))
            target = *parsed;
    }

    void readText(std::u16string_view key, std::u16string& target) const {
        read(key, target,
             [](std::u16string_view text) { return std::optional(std::u16string(text)); });
    }

    void readFont(const FontKeys& keys, FontChoice& font) const {
        readText(keys.name, font.name);
        read(keys.size, font.size,
             [](std::u16string_view text) { return integerIn(text, 1, kMaxFontSize); });
        read(keys.bold, font.bold, flagFromText);
        readText(keys.preview, font.preview);
    }

private:
    const PrivateProfile& m_profile;
};

void writeFont(PrivateProfile& profile, const FontKeys& keys, const FontChoice& font) {
    profile.setValue(kPreferencesSection, keys.name, font.name);
    profile.setValue(kPreferencesSection, keys.size, numberText(font.size));
    profile.setValue(kPreferencesSection, keys.bold, flagText(font.bold));
    profile.setValue(kPreferencesSection, keys.preview, font.preview);
}

} // namespace

std::u16string_view inputSoundText(InputSound sound) {
    return kInputSoundTexts[static_cast<size_t>(sound)];
}

std::optional<InputSound> inputSoundFromText(std::u16string_view text) {
    for (size_t i = 0; i < kInputSoundTexts.size(); ++i) {
        if (kInputSoundTexts[i] == text)
            return static_cast<InputSound>(i);
    }
    return std::nullopt;
}

std::vector<int> Preferences::allPhoneTypes() {
    std::vector<int> all;
    for (int index = keyguide::kFirstPhoneType; index <= keyguide::kLastPhoneType; ++index)
        all.push_back(index);
    return all;
}

void Preferences::resetTab(int tab) {
    const Preferences defaults;
    switch (tab) {
    case 0:
        voice = defaults.voice;
        inputSound = defaults.inputSound;
        tempoNote = defaults.tempoNote;
        tempo = defaults.tempo;
        testNote = defaults.testNote;
        staffCursorStays = defaults.staffCursorStays;
        tempoBase = defaults.tempoBase;
        break;
    case 1: keyMap = defaults.keyMap; break;
    case 2:
        inputFont = defaults.inputFont;
        displayFont = defaults.displayFont;
        break;
    case 3: phoneTypes = defaults.phoneTypes; break;
    default: break;
    }
}

Preferences readPreferences(const PrivateProfile& profile) {
    Preferences preferences;
    const PreferenceReader reader(profile);
    reader.readText(u"音色", preferences.voice);
    reader.read(u"入力音", preferences.inputSound, inputSoundFromText);
    reader.read(u"テンポ", preferences.tempo,
                [](std::u16string_view text) { return integerIn(text, 1, 9999); });
    auto noteCode = [](std::u16string_view text) -> std::optional<std::u16string> {
        if (!noteLengthTenths(text))
            return std::nullopt;
        return std::u16string(text);
    };
    reader.read(u"テンポの音符", preferences.tempoNote, noteCode);
    reader.read(u"テストの音符", preferences.testNote, noteCode);
    reader.read(u"テンポ基準値", preferences.tempoBase, [](std::u16string_view text) {
        // A number outside the scroll bar's range is taken as its nearest end.
        const auto number = integerFrom(text);
        return number ? std::optional(std::clamp(*number, kMinTempoBase, kMaxTempoBase))
                      : std::nullopt;
    });
    reader.read(u"５線譜再生カーソル", preferences.staffCursorStays, flagFromText);
    reader.read(u"キー割り当て", preferences.keyMap, keyMapFromCaption);
    reader.readFont(inputFontKeys(), preferences.inputFont);
    reader.readFont(displayFontKeys(), preferences.displayFont);
    reader.read(u"携帯タイプ", preferences.phoneTypes, [](std::u16string_view text) {
        return std::optional(phoneTypesFromListText(text));
    });
    reader.readText(u"使用者", preferences.userName);
    reader.read(u"言語", preferences.language, languageChoiceFromText);
    return preferences;
}

void writePreferences(PrivateProfile& profile, const Preferences& preferences) {
    auto write = [&](std::u16string_view key, std::u16string_view value) {
        profile.setValue(kPreferencesSection, key, value);
    };
    write(u"音色", preferences.voice);
    write(u"入力音", inputSoundText(preferences.inputSound));
    write(u"テンポ", numberText(preferences.tempo));
    write(u"テンポの音符", preferences.tempoNote);
    write(u"テストの音符", preferences.testNote);
    write(u"テンポ基準値", numberText(preferences.tempoBase));
    write(u"５線譜再生カーソル", flagText(preferences.staffCursorStays));
    write(u"キー割り当て", melody::PitchKeyTable::keyMapCaption(preferences.keyMap));
    writeFont(profile, inputFontKeys(), preferences.inputFont);
    writeFont(profile, displayFontKeys(), preferences.displayFont);
    write(u"携帯タイプ", phoneTypeListText(preferences.phoneTypes));
    write(u"使用者", preferences.userName);
    write(u"言語", languageChoiceText(preferences.language));
}

std::optional<std::u16string_view> preferencesError(const Preferences& preferences) {
    if (preferences.phoneTypes.empty())
        return u"携帯電話タイプは必ず１つは指定して下さい。m(_ _;)m";
    return std::nullopt;
}

std::u16string phoneTypeListText(const std::vector<int>& typeIndexes) {
    std::u16string text;
    for (int index : typeIndexes) {
        if (const keyguide::PhoneType* type = keyguide::phoneTypeByIndex(index)) {
            text += u',';
            text += type->shortName();
        }
    }
    return text;
}

std::vector<int> phoneTypesFromListText(std::u16string_view text) {
    std::vector<std::u16string_view> listed;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(u',', start);
        if (comma == std::u16string_view::npos)
            comma = text.size();
        listed.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    std::vector<int> selected;
    for (const keyguide::PhoneType& type : keyguide::phoneTypes()) {
        for (std::u16string_view name : listed) {
            if (name == type.shortName()) {
                selected.push_back(type.index);
                break;
            }
        }
    }
    return selected;
}

const std::vector<NoteLengthEntry>& noteLengthEntries() {
    static const std::vector<NoteLengthEntry> entries = {
        {u"A.", 240}, {u"A", 160}, {u"B.", 120}, {u"B", 80},  {u"C.", 60},
        {u"C", 40},   {u"D.", 30}, {u"D", 20},   {u"E.", 15}, {u"E", 10},
    };
    return entries;
}

std::optional<int> noteLengthTenths(std::u16string_view code) {
    for (const NoteLengthEntry& entry : noteLengthEntries()) {
        if (entry.code == code)
            return entry.tenths;
    }
    return std::nullopt;
}

} // namespace sarvo::settings
