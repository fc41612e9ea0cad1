#include "cable/protocollog.h"

#include <array>
#include <utility>

namespace sarvo::cable {
namespace {

struct Rewrite {
    std::u16string_view from;
    std::u16string_view to;
};

// Applied once each, in this order.
constexpr std::array<Rewrite, 4> kFirstPairRewrites = {
    {{u"00", u"FC"}, {u"01", u"FF"}, {u"02", u"F8"}, {u"06", u"FE"}}};

} // namespace

std::u16string disguisedLogText(std::u16string_view text) {
    std::u16string shown(text);
    if (shown.size() >= 2) {
        if (shown[1] == u'D')
            shown[1] = u'E';
        else if (shown[1] == u'6')
            shown[1] = u'F';
    }
    for (const Rewrite& rewrite : kFirstPairRewrites) {
        const size_t at = shown.find(rewrite.from);
        if (at != std::u16string::npos)
            shown.replace(at, rewrite.from.size(), rewrite.to);
    }
    return shown;
}

void ProtocolLog::logSet(std::u16string_view text, bool clear) {
    if (clear)
        reset({});
    if (m_text.size() > kLogLimit)
        logClr();
    const std::u16string shown = disguisedLogText(text);
    m_text += shown;
    if (m_listener)
        m_listener(shown, false);
}

void ProtocolLog::logClr() {
    reset(std::u16string(kLogHeader));
}

void ProtocolLog::reset(std::u16string text) {
    m_text = std::move(text);
    if (m_listener)
        m_listener(m_text, true);
}

} // namespace sarvo::cable
