#pragma once
// The rules of the name-clash dialog, without the dialog: what to do with a song that arrives
// (by mail, server, cable or import) under the name of a stored song.

#include "common/interaction.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sarvo::library {

// The values are the ones callers store.
enum class NameClashResult : int16_t { Undecided = -1, Discard = 0, Overwrite = 1, Rename = 2 };

class NameClash {
public:
    explicit NameClash(std::u16string arrivingName)
        : m_arrivingName(std::move(arrivingName)) {}

    const std::u16string& arrivingName() const { return m_arrivingName; }
    NameClashResult result() const { return m_result; }
    // The name to store under when the result is Rename.
    const std::u16string& newName() const { return m_newName; }

    // "受信曲を捨てる。" and "同名で上書きする": decide and close.
    void discard() { m_result = NameClashResult::Discard; }
    void overwrite() { m_result = NameClashResult::Overwrite; }
    // "上の名前に曲名を変更": takes the field's text as typed, blanks included; refuses (false,
    // with "曲名が、変更されていません。") a name equal to the arriving one.
    bool rename(std::u16string_view fieldText, IInteractive& ui);
    // Closing the window: while undecided asks "受信を曲を捨てます。よろしいですか？"; Yes
    // discards and closes, No keeps the dialog open (false).
    bool close(IInteractive& ui);

private:
    std::u16string m_arrivingName;
    std::u16string m_newName;
    NameClashResult m_result = NameClashResult::Undecided;
};

} // namespace sarvo::library
