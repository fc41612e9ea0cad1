#include "keyguide/phonetypes.h"

#include <array>

namespace sarvo::keyguide {
namespace {

constexpr std::u16string_view kNoteInputEntry = u"音符入力 Alt+1";
constexpr std::u16string_view kStaffInputEntry = u"５線譜入力 Alt+2";

// label, capacity text, then the labels that differ in the settings/import lists and in the
// cable dialog ({} means: the same as the label, or no cable for the cable column).
struct Row {
    std::u16string_view label;
    std::u16string_view capacity;
    std::u16string_view listLabel;
    std::u16string_view cableLabel;
};

constexpr std::array<Row, kPhoneTypeCount> kRows = {{
    {u"Type-A [P206,P205,P156,DP-145,521G,521GII,TH081,HD60P,HD61P,P3]",
     u"30音　低音なし",
     u"Type-A [P206,P205,P156,DP-145,521G,521GII,TH081,HD60P,HD61P,P3,P3sw]",
     {}},
    {u"Type-B [N206S,N206,M206,TH781,HD60N,N3(中国)]",
     u"50音 中音ド～高音ド ＃(半音上)なし",
     {},
     {}},
    {u"Type-C [DP-194,528G,HD50DE,ND3,ND3sw]", u"200音　全てＯＫ", {}, {}},
    {u"Type-D [529G,526G,TH181,TH18K,TH18S,HD80K,HD60K,HD61K,D201K,D202K]",
     u"32音　低音なし",
     {},
     {}},
    {u"Type-E [P207,P601ev,P157,P501i,J-P01,531G,537G,TH091/2,D101P,P4]", u"128音　全てＯＫ",
     u"Type-E [P207,P601ev,P157,P501i,J-P01,531G,537G,TH091/2,D101P,P4,EB-PD500S]",
     u"Type-E [P207,P601ev,P157,P501i,531G,537G,D101P,EB-PD500S]"},
    {u"Type-F [ISD-P57,ISD-P47]", u"128音　低音なし", {}, {}},
    {u"Type-G [J-T01,530G,TH381,HD60T,C103T,T4(北陸以外)]", u"32音", {}, {}},
    {u"Type-H [TS206,DP174,522G,TH371,HD50T,T3,T3sw]", u"30音　＃(半音上)なし", {}, {}},
    {u"Type-I [J70]", u"96音", {}, {}},
    {u"Type-J [D207,D501i,J-D01,TH48S,THZ41,THZ43,D4(北海道)]", u"256音", {}, {}},
    {u"Type-K [J-DN01,ND4]", u"64音", {}, {}},
    {u"Type-L [DE207]", u"64音", {}, {}},
    {u"Type-M [332S,331P,331P-II,611S,AP-21,SH811,N811]", u"64音", {}, {}},
    {u"Type-N [KX-PH21F,KX-PH21H,KX-PH921,KX-PH32S,KX-PH932S]", u"音数はメモリ制限", {}, {}},
    {u"Type-O [N207,N207S]", u"54音　低音なし", {}, u"Type-O [N207,N207S,N601ps]"},
    {u"Type-P [KX-PH30S]", u"音数はメモリ制限　低音ド～高音ド", {}, {}},
    {u"Type-Q [C101S]", u"50音　低音なし", {}, {}},
    {u"Type-R [C201H]", u"36音 低音なし", {}, {}},
    {u"Type-S [N501i]", u"60音 低音なし", {}, u"Type-S [N501i]"},
    {u"Type-T [PS-T15]", u"全てＯＫ", {}, {}},
    {u"Type-U [ER207]", u"全てＯＫ", {}, {}},
    {u"Type-V [ISD-P67]", u"全てＯＫ", {}, {}},
    {u"Type-W [SA207]", u"256音　低音ファ～高温ド", {}, {}},
    {u"Type-X [J80]", u"256音　低音なし", {}, {}},
    {u"Type-Y [AJ-32]", u"64音　低・中・高音全てOK", {}, {}},
    {u"Type-Z [KX-PH23F,KX-PH923S,KX-PJ33S,KX-PH933S]",
     u"音数はメモリ制限　低・中・高音全てOK",
     {},
     {}},
    {u"Type-AA [N208,N208S,N502i]", u"256音　低・中・高音全てOK", {}, u"Type-AA [N208,N208S]"},
    {u"Type-AB [P208,P502i]", u"124音　低・中・高音全てOK", {}, u"Type-AB [P208]"},
    {u"Type-AC [D208,D502i,J-D02,TD01]", u"256音　低・中・高音全てOK", {}, u"Type-AC [D208,D502i]"},
    {u"Type-AD [F208,F502i]", u"256音　低・中・高音全てOK", {}, u"Type-AD [F208,F502i]"},
    {u"Type-AE [ISD-E7]", u"128音　低・中・高音全てOK", {}, {}},
    {u"Type-AF [PS-T25]", u"256音　低・中・高音全てOK", {}, {}},
    {u"Type-AG [DL-S200]", u"256音　低・中・高音全てOK", {}, {}},
    {u"Type-AH [DL-S100]", u"200音(半音=2音)　中音ド～高温ミ", {}, {}},
    {u"Type-AI [AT-31]", u"64音　低・中・高音全てOK", {}, {}},
    {u"Type-AJ [AD-31]", u"64音　低・中・高音全てOK", {}, {}},
    {u"Type-AK [R208]", u"256音　低・中・高音全てOK", {}, {}},
    {u"Type-AL [SH821i]", u"256音　低・中・高音全てOK", {}, {}},
    {u"Type-AM [NM502i]", u"256音　低・中・高音全てOK", {}, {}},
}};

std::array<PhoneType, kPhoneTypeCount> buildCatalogue() {
    std::array<PhoneType, kPhoneTypeCount> types{};
    for (int i = 0; i < kPhoneTypeCount; ++i) {
        const Row& row = kRows[i];
        types[i] = PhoneType{kFirstPhoneType + i, row.label, row.capacity,
                             row.listLabel.empty() ? row.label : row.listLabel, row.cableLabel};
    }
    return types;
}

// Built on first use, so that the catalogue is ready even for other files' static objects.
const std::array<PhoneType, kPhoneTypeCount>& catalogue() {
    static const std::array<PhoneType, kPhoneTypeCount> types = buildCatalogue();
    return types;
}

char16_t asciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

} // namespace

std::u16string_view shortNameOf(std::u16string_view label) {
    return label.substr(0, label.find(u' '));
}

std::u16string_view PhoneType::shortName() const {
    return shortNameOf(label);
}

std::span<const PhoneType> phoneTypes() {
    return catalogue();
}

const PhoneType* phoneTypeByIndex(int index) {
    if (index < kFirstPhoneType || index > kLastPhoneType)
        return nullptr;
    return &catalogue()[index - kFirstPhoneType];
}

const PhoneType* phoneTypeByShortName(std::u16string_view name) {
    for (const PhoneType& type : catalogue()) {
        std::u16string_view shortName = type.shortName();
        if (shortName.size() != name.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i)
            same = asciiUpper(shortName[i]) == asciiUpper(name[i]);
        if (same)
            return &type;
    }
    return nullptr;
}

std::vector<std::u16string> viewSelectorEntries() {
    std::vector<std::u16string> entries{std::u16string(kNoteInputEntry),
                                        std::u16string(kStaffInputEntry)};
    for (const PhoneType& type : catalogue())
        entries.emplace_back(type.label);
    return entries;
}

} // namespace sarvo::keyguide
