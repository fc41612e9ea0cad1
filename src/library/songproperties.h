#pragma once
// The rules of the song-properties dialog, without the dialog: its genre and part-kind lists,
// how a music-box row fills its fields, how a part kind prefixes the comment and the check of
// the name when the dialog is confirmed.

#include "common/interaction.h"
#include "library/song.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sarvo::library {

// The genre combo's list, in order; any other text is accepted too.
std::span<const std::u16string_view> genres();
// The part kinds that prefix a comment ("和音" … "一曲丸々"), in order.
std::span<const std::u16string_view> partKinds();

// What the dialog shows for a music-box row. A field left nullopt leaves its control as it was.
struct SongPropertiesForm {
    std::u16string name;
    std::u16string kashu;
    std::u16string jan;
    std::u16string body;
    std::optional<std::u16string> tempoNote; // "C" when the row has a tempo
    std::optional<std::u16string> tempo;
    std::optional<int> voiceProgram; // selects the first voice entry of this GM program

    friend bool operator==(const SongPropertiesForm&, const SongPropertiesForm&) = default;
};

SongPropertiesForm formForRow(const SongInfo& row);

// The comment after choosing a part kind: the kind, a blank when the old comment is not blank,
// then the old comment.
std::u16string prefixComment(std::u16string_view partKind, std::u16string_view comment);

// The name field as the user leaves it: ":<>\/*?|" become their full-width forms.
std::u16string nameAfterEditing(std::u16string_view name);

// Confirming the dialog: false, after "曲名は必ず入力して下さい。", when the name is blank.
bool confirmSongName(std::u16string_view name, IInteractive& ui);

} // namespace sarvo::library
