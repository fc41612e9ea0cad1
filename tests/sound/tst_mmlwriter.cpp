#include "sound/mmllengths.h"
#include "sound/mmlwriter.h"

#include <gtest/gtest.h>

#include <optional>

namespace sarvo::sound {
namespace {

// The cells after the header of a one-part line.
std::string cellsOf(const std::u16string& melody, MmlOptions options = {}) {
    const std::string line = mmlPartLine({melody, 120, 0}, 0, options);
    const std::string header = "A C1 @1 t120 v127 o5";
    EXPECT_EQ(line.substr(0, header.size()), header);
    return line.size() > header.size() ? line.substr(header.size() + 1) : "";
}

TEST(MmlWriter, ExampleLine) {
    EXPECT_EQ(mmlPartLine({u"C中ド D.高ミ I ", 120, 0}, 0), "A C1 @1 t120 v127 o5 c4 >e8. r8");
}

// Melody → the cells of its MML line, with or without merging repeated notes.
TEST(MmlWriter, CellsOfMelodies) {
    struct Case {
        std::u16string melody;
        bool merge;
        std::string cells;
    };
    // clang-format off
    const std::vector<Case> cases = {
        // Length numbers of every code.
        {u"A中ド B中ド C中ド D中ド E中ド ", false, "c1 c2 c4 c8 c16"},
        {u"A.中ド B.中ド C.中ド D.中ド E.中ド ", false, "c1. c2. c4. c8. c16."},
        {u"2中レ 3中レ 5中レ 6中レ ", false, "d6 d12 d12 d24"},
        {u"F G H I J F. J. ", false, "r1 r2 r4 r8 r16 r1. r16."}, {u"\\ ] _ ` ", false, "r6 r12 r12 r24"},
        {u"C中ド# C中レ# C中フ# C中ソ# C中ラ# C中ミ C中シ ", false, "c+4 d+4 f+4 g+4 a+4 e4 b4"},
        // Octave changes are relative; rests keep the octave.
        {u"C低ド C高ド C中ド ", false, "<c4 >>c4 <c4"}, {u"C高ド C低ド C中ド ", false, ">c4 <<c4 >c4"},
        {u"C高ド H C高レ H C中ド ", false, ">c4 r4 d4 r4 <c4"}, {u"H C中ド ", false, "r4 c4"},
        // Tied notes keep their whole time.
        {u"C中ド ^ ", false, "c2"}, {u"C中ド ^ ^ ", false, "c2."}, {u"C中ド ^ ^ ^ ^ ", false, "c1&4"},
        {u"D中ド ^ ^ ^ ^ ", false, "c2&8"}, {u"E.中ド ^ ^ ", false, "c8.&16."}, {u"3中ド ^ ", false, "c6"},
        {u"A中ド ^ ^ ^ ^ ", false, "c1&1&1&1&1"}, {u"H ^ ", false, "r2"},
        // Merging stops at any difference; ミ# is no pitch: the token keeps its time as a rest.
        {u"D中レ D中レ# ", true, "d8 d+8"}, {u"D中ミ D中ミ# ", true, "e8 r8"},
        {u"D中ミ D高ミ ", true, "e8 >e8"}, {u"D中ミ E中ミ ", true, "e8 e16"},
        {u"D中ミ ^ D中ミ ", true, "e4 e8"}, {u"D中ミ I D中ミ ", true, "e8 r8 e8"}, {u"I I ", true, "r8 r8"},
        // Without merging every token is a cell of its own.
        {u"D中ミ D中ミ ", false, "e8 e8"},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(cellsOf(c.melody, {c.merge}), c.cells) << c.cells;
}

// Merging a run of the same note keeps the run's whole time: where the table of the merged
// lengths names one length it is that length, otherwise "&" carries the remainder.
TEST(MmlWriter, MergedRunsKeepTheRunsTime) {
    struct Case {
        std::u16string token;
        int run;
        std::string cells;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {u"D中ミ ", 1, "e8"}, {u"D中ミ ", 2, "e4"}, {u"D中ミ ", 3, "e4."}, {u"D中ミ ", 4, "e2"},
        {u"D中ミ ", 5, "e2&8"}, {u"D中ミ ", 6, "e2."}, {u"D中ミ ", 8, "e1"}, {u"D中ミ ", 9, "e1&8"},
        {u"E中ミ ", 2, "e8"}, {u"E中ミ ", 3, "e8."}, {u"E中ミ ", 4, "e4"}, {u"E中ミ ", 6, "e4."},
        {u"E中ミ ", 8, "e2"}, {u"E中ミ ", 12, "e2."}, {u"E中ミ ", 16, "e1"}, {u"E中ミ ", 17, "e1&16"},
        {u"3中ミ ", 3, "e4"}, {u"C中ミ ^ ", 2, "e1"}};
    // clang-format on
    for (const Case& c : cases) {
        std::u16string melody;
        for (int i = 0; i < c.run; ++i)
            melody += c.token;
        EXPECT_EQ(cellsOf(melody, {true}), c.cells) << c.cells;
    }
}

TEST(MmlWriter, HeadersOfTwentySixPartsAndNoMore) {
    std::vector<MmlPart> parts;
    for (int i = 0; i < 27; ++i)
        parts.push_back({u"C中ド ", 40 + i, i * 4});
    const std::string text = writeMml(parts);
    size_t lines = 0;
    for (size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2)
        ++lines;
    EXPECT_EQ(lines, 26u);
    EXPECT_EQ(text.substr(0, 28), "A C1 @1 t40 v127 o5 c4\r\nB C2");
    EXPECT_NE(text.find("Z C26 @101 t65 v127 o5 c4\r\n"), std::string::npos);
    EXPECT_EQ(writeMml({}), "");
}

TEST(MmlLengths, SplitsIntoFewestLengthsLongestFirst) {
    struct Case {
        int ticks;
        std::string lengths;
    };
    // clang-format off
    const std::vector<Case> cases = {{192, "1"}, {288, "1."}, {240, "1 4"}, {8, "24"}, {20, "16 24"},
        {26, "16. 24"}, {0, ""}, {4, ""}, {960, "1 1 1 1 1"}, {54, "8. 16."}};
    // clang-format on
    for (const Case& c : cases) {
        std::string text;
        for (const MmlLength& length : splitIntoLengths(c.ticks))
            text += (text.empty() ? "" : " ") + length.text();
        EXPECT_EQ(text, c.lengths) << c.ticks;
    }
}

TEST(MmlWriter, MoreThanTwentySixPartsAskFirst) {
    struct Case {
        size_t parts;
        std::optional<Answer> answer;
        size_t kept;
        size_t questions;
    };
    const std::vector<Case> cases = {
        {1, std::nullopt, 1, 0}, {26, std::nullopt, 26, 0}, {27, Answer::Yes, 26, 1},
        {27, Answer::No, 0, 1},  {40, Answer::Yes, 26, 1},
    };
    for (const Case& c : cases) {
        std::vector<MmlPart> parts;
        for (size_t i = 0; i < c.parts; ++i)
            parts.push_back({u"C中ド ", static_cast<int>(40 + i), 0});
        RecordingInteractive ui;
        if (c.answer)
            ui.queueAnswer(*c.answer);
        const std::vector<MmlPart> kept = partsToPlay(parts, ui);
        ASSERT_EQ(kept.size(), c.kept) << c.parts;
        for (size_t i = 0; i < kept.size(); ++i)
            EXPECT_EQ(kept[i].tempo, parts[i].tempo);
        ASSERT_EQ(ui.questions().size(), c.questions) << c.parts;
        if (c.questions > 0) {
            EXPECT_EQ(ui.questions()[0],
                      u"和音の試聴は26パートまでです。\n上から26曲を試聴しますか？");
        }
    }
}

} // namespace
} // namespace sarvo::sound
