#include "formats/notationfiles.h"

#include "formats/lenienttext.h"
#include "melody/foreignnotation.h"
#include "melody/noteparser.h"

#include "common/filebytes.h"
#include "common/textcodec.h"

namespace sarvo::formats {
namespace {

bool isDropped(char16_t c, TextNotation notation) {
    if (c == u'\r' || c == u'\n')
        return true;
    return notation == TextNotation::Letter && (c == u' ' || c == u'\t' || c == u'\u3000');
}

} // namespace

std::optional<TextNotation> notationOfFormat(std::string_view format) {
    if (format == "omd" || format == "ked")
        return TextNotation::Letter;
    if (format == "cml")
        return TextNotation::CodePair;
    return std::nullopt;
}

std::u16string notationToMelody(std::u16string_view text, TextNotation notation) {
    std::u16string notes;
    for (char16_t c : text)
        if (!isDropped(c, notation))
            notes += c;
    const auto reader =
        notation == TextNotation::Letter ? melody::readLetterNote : melody::readCodePairNote;
    melody::ParserState state;
    state.readPos = 1;
    std::u16string melodyText;
    while (reader(state, notes))
        melody::appendNote(state, melodyText);
    return melodyText;
}

Converted<std::u16string> readNotationFile(const std::filesystem::path& path,
                                           TextNotation notation) {
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes)
        return {{}, u"cannot read " + fromUtf8(path.string()).value_or(u"the file")};
    std::u16string melodyText = notationToMelody(fromCp932Lenient(*bytes), notation);
    if (melodyText.empty())
        return {{}, u"the file holds no notes"};
    return {melodyText, {}};
}

} // namespace sarvo::formats
