#include "cli/typenames.h"

#include "common/textcodec.h"
#include "keyguide/phonetypes.h"

#include <algorithm>

namespace sarvo::cli {

std::optional<int> typeIndexOf(const std::string& name) {
    auto text = fromUtf8(name);
    if (!text)
        return std::nullopt;
    const keyguide::PhoneType* type = keyguide::phoneTypeByShortName(*text);
    return type ? std::optional<int>(type->index) : std::nullopt;
}

TypeList typeListOf(const std::string& list) {
    TypeList result;
    for (size_t start = 0; start <= list.size();) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, comma - start);
        const std::optional<int> index = typeIndexOf(name);
        if (!index) {
            result.unknownName = name;
            return result;
        }
        result.typeIndexes.push_back(*index);
        start = comma + 1;
    }
    return result;
}

} // namespace sarvo::cli
