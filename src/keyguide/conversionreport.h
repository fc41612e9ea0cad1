#pragma once
// A key guide with what its conversion had to say. Some types answer every note they cannot
// type with a message (Type-T's "変換エラー！"); a guide of a long melody would open a box per
// note, so the messages become one report that names the type and counts the notes.

#include "common/interaction.h"
#include "melody/parserstate.h"

#include <string>
#include <string_view>

namespace sarvo::keyguide {

struct ReportedConversion {
    std::u16string keys;
    // Empty when the conversion said nothing; otherwise one line per distinct message, such as
    // "Type-T [PS-T15]：表現できない音符が 3 個あります（変換エラー！）".
    std::u16string report;
};

// convertToKeys of the type, with its messages gathered into the report (questions still go to
// ui). Shows nothing itself.
ReportedConversion convertWithReport(int typeIndex, std::u16string_view melody,
                                     melody::ParserState& state, IInteractive& ui);

} // namespace sarvo::keyguide
