#include "melody/filenames.h"

namespace sarvo::melody {

std::u16string sanitizeFileName(std::u16string_view name) {
    std::u16string out(name);
    for (char16_t& c : out) {
        switch (c) {
        case u':': c = u'：'; break;
        case u'<': c = u'＜'; break;
        case u'>': c = u'＞'; break;
        case u'\\': c = u'￥'; break;
        case u'/': c = u'／'; break;
        case u'*': c = u'＊'; break;
        case u'?': c = u'？'; break;
        case u'|': c = u'｜'; break;
        default: break;
        }
    }
    return out;
}

} // namespace sarvo::melody
