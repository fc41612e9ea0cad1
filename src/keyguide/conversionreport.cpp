#include "keyguide/conversionreport.h"

#include "common/messagetally.h"
#include "keyguide/keyconversion.h"
#include "keyguide/phonetypes.h"

namespace sarvo::keyguide {

ReportedConversion convertWithReport(int typeIndex, std::u16string_view melody,
                                     melody::ParserState& state, IInteractive& ui) {
    MessageTally tally(ui);
    ReportedConversion converted{convertToKeys(typeIndex, melody, state, tally), {}};
    const PhoneType* type = phoneTypeByIndex(typeIndex);
    const std::u16string_view label = type ? type->label : std::u16string_view();
    for (const auto& [message, count] : tally.counts()) {
        if (!converted.report.empty())
            converted.report += u'\n';
        const std::string number = std::to_string(count);
        converted.report += std::u16string(label) + u"：表現できない音符が " +
                            std::u16string(number.begin(), number.end()) + u" 個あります（" +
                            message + u"）";
    }
    return converted;
}

} // namespace sarvo::keyguide
