// What each cable type keeps of a melody: a round trip through its byte codec gives the melody
// back as far as the type can express it.

#include "cable/cabletypes.h"
#include "cable/datablock.h"

#include <gtest/gtest.h>

namespace sarvo::cable {
namespace {

struct CodecCase {
    CableType type;
    std::u16string_view melody;
    std::u16string_view readBack;
    size_t notes;
};

TEST(NoteCodecs, KeepWhatTheTypeExpresses) {
    const CodecCase cases[] = {
        {CableType::E, u"C中ド ^ 2高シ 3低ド 6中レ E.中ミ ", u"B中ド 2高シ 3低ド 6中レ E.中ミ ", 5},
        {CableType::E, u"5中ド ", u"3中ド ", 1},
        {CableType::AA, u"C中ド ^ A.低ド ", u"B中ド A低ド B低ド ", 3},
        {CableType::AA, u"3中ド J ", u"E中ド J ", 2},
        {CableType::O, u"C低ミ D高シ ", u"C中ミ D高シ ", 2},
        {CableType::S, u"E.低ド I. ", u"E中ド I. ", 2},
        {CableType::AB, u"C中ド ^ ^ E.高ド ", u"B.中ド 3高ド ", 2},
        {CableType::AD, u"A中ド ^ ^ ^ ^ ^ ", u"A中ド ^ ^ ^ ^ A中ド ", 2},
    };
    for (const CodecCase& c : cases) {
        const CableTypeInfo& info = cableTypeInfo(c.type);
        const EncodedNotes encoded = encodeNotes(*info.codec, c.melody, info.noteLimit);
        EXPECT_EQ(encoded.notes.size(), c.notes)
            << std::string(info.shortName.begin(), info.shortName.end());
        EXPECT_EQ(decodeNotes(*info.codec, encoded.notes), std::u16string(c.readBack));
    }
}

TEST(NoteCodecs, CutAtTheTypesLimit) {
    std::u16string melody;
    for (int i = 0; i < 61; ++i)
        melody += u"E中ド ";
    const CableTypeInfo& s = cableTypeInfo(CableType::S);
    const EncodedNotes encoded = encodeNotes(*s.codec, melody, s.noteLimit);
    EXPECT_TRUE(encoded.cut);
    EXPECT_EQ(encoded.notes.size(), 60u);
    EXPECT_FALSE(encodeNotes(*s.codec, melody.substr(0, 60 * 4), s.noteLimit).cut);
}

TEST(NoteCodecs, RefuseValuesOfNoPitchOrLength) {
    for (const auto& [type, value] : {std::pair{CableType::E, NoteValue{0x10, 8}},
                                      {CableType::E, {0x0F, 7}},
                                      {CableType::AB, {37, 12}},
                                      {CableType::AB, {1, 0}}})
        EXPECT_FALSE(decodeNotes(*cableTypeInfo(type).codec, std::vector{value}));
}

TEST(DataBlocks, ArriveInFullBeforeTheyAreRead) {
    const BlockContent chord{7, 0, {{{1, 2}}, {}, {{3, 4}, {5, 6}}}, {}};
    const Bytes block = buildBlock(BlockLayout::SlotParts, chord);
    for (size_t cut = 0; cut < block.size(); ++cut)
        EXPECT_GT(blockLength(BlockLayout::SlotParts, std::span(block).first(cut)), cut);
    EXPECT_EQ(blockLength(BlockLayout::SlotParts, block), block.size());
    const auto parsed = parseBlock(BlockLayout::SlotParts, block);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->slot, 7);
    EXPECT_EQ(parsed->parts, chord.parts);
    Bytes broken = block;
    broken[5] = 0x10; // no nibble
    EXPECT_FALSE(parseBlock(BlockLayout::SlotParts, broken));
}

} // namespace
} // namespace sarvo::cable
