#pragma once
// The user's preferences: the keys of section "設定" that the settings dialog edits, each with
// the value a control shows before anything is read (the design-time value) and the value the
// dialog's reset buttons restore.

#include "common/uilanguage.h"
#include "settings/privateprofile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::settings {

inline constexpr std::u16string_view kPreferencesSection = u"設定";
// Every preference is read into a 256-byte buffer.
inline constexpr size_t kPreferenceBuffer = 256;

// The first row of the voice list, which the reset selects.
inline constexpr std::u16string_view kFirstVoice = u"着信音ぽいかな？";

// How long a typed note sounds; stored as the entry's text.
enum class InputSound { None, Automatic, FollowNote };
std::u16string_view inputSoundText(InputSound sound);
std::optional<InputSound> inputSoundFromText(std::u16string_view text);

struct FontChoice {
    std::u16string name;
    int size = 0;
    bool bold = false;
    std::u16string preview;

    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

struct Preferences {
    std::u16string voice{kFirstVoice};             // "音色"
    InputSound inputSound = InputSound::Automatic; // "入力音"
    int tempo = 100;                               // "テンポ"
    std::u16string tempoNote = u"C";               // "テンポの音符"
    std::u16string testNote = u"C";                // "テストの音符"
    int tempoBase = 15;                            // "テンポ基準値"
    bool staffCursorStays = false;                 // "５線譜再生カーソル"
    int keyMap = 0; // "キー割り当て", stored as the map's caption
    FontChoice inputFont{u"Sarvo", 12, true, u"ABCDEFG"};           // "入力画面の…"
    FontChoice displayFont{u"ＭＳ ゴシック", 9, false, u"ABCDEFG"}; // "表示画面の…"
    std::vector<int> phoneTypes = allPhoneTypes(); // "携帯タイプ": type indexes in list order
    std::u16string userName;                       // "使用者"
    LanguageChoice language = LanguageChoice::Automatic; // "言語": auto, ja or en

    // The reset buttons of the four tabs: 0 sound and tempo, 1 key assignment, 2 fonts,
    // 3 phone types. The user name and the language are never reset.
    void resetTab(int tab);

    static std::vector<int> allPhoneTypes();

    friend bool operator==(const Preferences&, const Preferences&) = default;
};

// Reads every preference; a key that is missing, empty or not one of its values leaves the
// design-time value.
Preferences readPreferences(const PrivateProfile& profile);
// Writes every key of section "設定" in the order of the settings table.
void writePreferences(PrivateProfile& profile, const Preferences& preferences);

// The message that keeps the settings dialog open, or nullopt when the preferences may be saved.
std::optional<std::u16string_view> preferencesError(const Preferences& preferences);

// ",Type-A,Type-E": every type preceded by a comma, in list order.
std::u16string phoneTypeListText(const std::vector<int>& typeIndexes);
// The types a stored list names, in list order; unknown names are ignored.
std::vector<int> phoneTypesFromListText(std::u16string_view text);

// The tempo note entries of the note-length combos with their length in tenths of a sixteenth:
// "A." 240, "A" 160 … "E" 10.
struct NoteLengthEntry {
    std::u16string_view code;
    int tenths;
};
const std::vector<NoteLengthEntry>& noteLengthEntries();
// nullopt for a text that names no entry.
std::optional<int> noteLengthTenths(std::u16string_view code);

} // namespace sarvo::settings
