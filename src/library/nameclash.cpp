#include "library/nameclash.h"

namespace sarvo::library {

bool NameClash::rename(std::u16string_view fieldText, IInteractive& ui) {
    if (fieldText == m_arrivingName) {
        ui.showMessage(u"曲名が、変更されていません。");
        return false;
    }
    m_newName = fieldText;
    m_result = NameClashResult::Rename;
    return true;
}

bool NameClash::close(IInteractive& ui) {
    if (m_result != NameClashResult::Undecided)
        return true;
    if (ui.askQuestion(u"受信を曲を捨てます。よろしいですか？", QuestionButtons::YesNo) !=
        Answer::Yes)
        return false;
    m_result = NameClashResult::Discard;
    return true;
}

} // namespace sarvo::library
