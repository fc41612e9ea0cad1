#include "formats/importoptions.h"

#include "common/filebytes.h"
#include "common/textcodec.h"
#include "formats/lenienttext.h"
#include "formats/mld.h"
#include "formats/notationfiles.h"
#include "formats/smd.h"

namespace sarvo::formats {
namespace {

const std::vector<ImportOption>& optionTable() {
    static const std::vector<ImportOption> options = {
        {u"下で選択した携帯電話タイプの着信音入力操作手順データ (*.txt)",
         {{u"ﾃｷｽﾄﾌｧｲﾙ(*.TXT)", u"*.txt"}, {u"全てのﾌｧｲﾙ(*.*)", u"*.*"}},
         ImportKind::KeyText},
        {u"音ぷっとのデータ (*.OMD)", {{u"音ぷっとのﾌｧｲﾙ(*.OMD)", u"*.omd"}}, ImportKind::Letters},
        {u"着メロ倶楽部のデータ (*.KED)",
         {{u"着メロ倶楽部のﾌｧｲﾙ(*.KED)", u"*.ked"}},
         ImportKind::Letters},
        {u"着メロ編集王のデータ (*.CML)",
         {{u"着メロ編集王のﾌｧｲﾙ(*.CML)", u"*.cml"}},
         ImportKind::CodePairs},
        {u"iメロディのデータ (*.MLD)", {{u"iメロディのﾌｧｲﾙ(*.MLD)", u"*.mld"}}, ImportKind::Mld},
        {u"MIDIファイル(*.MID)", {{u"MIDIﾌｧｲﾙ(*.MID)", u"*.mid"}}, ImportKind::Midi},
        {u"J-PHONEのSky Melodyのデータ (*.SMD)",
         {{u"J-PHONEのﾌｧｲﾙ(*.SMD)", u"*.smd"}},
         ImportKind::Smd},
    };
    return options;
}

ImportedFile fromPart(const DecodedPart& part) {
    return {part.title, part.tempo, part.voice, part.melody, {}, {}};
}

ImportedFile importSmdBytes(const Bytes& bytes) {
    const DecodeResult first = decodeSmdBytes(bytes, 0);
    if (!first.part)
        return {.error = first.error};
    ImportedFile file = fromPart(*first.part);
    for (int part = 1; part < kMaxParts; ++part) {
        const DecodeResult further = decodeSmdBytes(bytes, part);
        if (further.part)
            file.furtherParts.push_back(further.part->melody);
    }
    return file;
}

ImportedFile importNotation(const std::filesystem::path& path, TextNotation notation) {
    Converted<std::u16string> melody = readNotationFile(path, notation);
    if (!melody.ok())
        return {.error = melody.error};
    return {.melody = std::move(melody.value)};
}

} // namespace

std::span<const ImportOption> importOptions() {
    return optionTable();
}

ImportedFile importMldBytes(const Bytes& bytes) {
    const std::vector<int> parts = mldParts(bytes);
    const DecodeResult first = decodeMldBytes(bytes, parts.empty() ? 0 : parts.front());
    if (!first.part)
        return {.error = first.error};
    ImportedFile file = fromPart(*first.part);
    for (size_t i = 1; i < parts.size(); ++i) {
        const DecodeResult further = decodeMldBytes(bytes, parts[i]);
        if (further.part)
            file.furtherParts.push_back(further.part->melody);
    }
    return file;
}

ImportedFile importFile(ImportKind kind, const std::filesystem::path& path) {
    switch (kind) {
    case ImportKind::Letters: return importNotation(path, TextNotation::Letter);
    case ImportKind::CodePairs: return importNotation(path, TextNotation::CodePair);
    default: break;
    }
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes)
        return {.error = u"cannot read " + fromUtf8(path.string()).value_or(u"the file")};
    if (kind == ImportKind::KeyText)
        return {.melody = fromCp932Lenient(*bytes)};
    const Bytes data(bytes->begin(), bytes->end());
    return kind == ImportKind::Smd ? importSmdBytes(data) : importMldBytes(data);
}

std::u16string subPartName(std::u16string_view name, int part) {
    const std::string digits = std::to_string(part);
    return std::u16string(name) + u"-Sub" + std::u16string(digits.begin(), digits.end());
}

} // namespace sarvo::formats
