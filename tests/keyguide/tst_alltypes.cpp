// The contract every phone type keeps with the frame, run over all 39 types: whole cells, a
// guide that fits its phone and is a fixed point of reading back and converting, a full guide
// that reaches the limit, the pitches and lengths the phone plays (phonesound.h, one row per
// type), no dependence on earlier walks, and no key text that breaks the reader.

#include "common/textcodec.h"
#include "keyguide/phonetyperules.h"
#include "keyguide/phonetypes.h"
#include "keyguidetesting.h"
#include "melody/notecodes.h"
#include "melody/noteparser.h"
#include "phonesound.h"
#include "randommelody.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

namespace sarvo::keyguide {
namespace {

class AllTypes : public ::testing::TestWithParam<int> {};
// The types whose phones hold a limited number of notes (all but three).
class LimitedTypes : public AllTypes {};

// The entries a phone stores for a melody typed into it by hand: one per note or rest of the
// melody, a sharp note as the type's sharp entries. A guide's read-back has one token per entry.
int entriesOf(const PhoneTypeRules& rules, std::u16string_view melodyText) {
    melody::ParserState state;
    int entries = 0;
    for (state.readPos = 1; melody::readNextNote(state, melodyText);) {
        const melody::Note& note = state.currentNote;
        const bool sharpNote = melody::isNoteCode(note.length[0]) && note.sharp == u"#";
        entries += sharpNote ? rules.sharpEntries : 1;
        state.currentNote.clearText();
    }
    return entries;
}

// A guide holds no more entries than the phone's limit allows, and its read-back converts to
// the guide itself. Where the limit counts units or the melody's notes, it is tested once per
// note: the last note may carry the guide past the limit, and the read-back then converts to
// the part within it. (A type that counts notes but reads a press count back as several notes
// may cut inside the last cell, which then holds fewer presses.)
void expectGuideFitsAndReadsBackToItself(int type, std::u16string_view keys) {
    const PhoneTypeRules& rules = *rulesFor(type);
    const std::u16string readBack = fromKeys(type, keys);
    const std::u16string again = toKeys(type, readBack);
    if (rules.limitCounts == LimitCount::Entries) {
        ASSERT_EQ(again, keys);
        if (const std::optional<int> most = mostCounted(rules)) {
            ASSERT_LE(entriesOf(rules, readBack), *most);
        }
        return;
    }
    ASSERT_LE(again.size(), keys.size());
    const size_t whole = again.empty() ? 0 : again.size() - kCellWidth;
    ASSERT_EQ(keys.substr(0, whole), again.substr(0, whole));
    ASSERT_EQ(toKeys(type, fromKeys(type, again)), again);
}

TEST_P(AllTypes, EmptyMelodyAndEmptyKeyText) {
    EXPECT_EQ(toKeys(GetParam(), u""), u"");
    EXPECT_EQ(fromKeys(GetParam(), u""), u" ");
}

TEST_P(AllTypes, EveryGuideFitsItsPhoneAndReadsBackToItself) {
    // Short melodies, and long ones that fill every phone with a limit.
    const int type = GetParam();
    std::mt19937 rng(1000 + type);
    for (int round = 0; round < 400; ++round) {
        const std::u16string melody = randomMelody(rng, round % 4 == 0 ? 400 : 30);
        SCOPED_TRACE(toUtf8(melody));
        const std::u16string keys = toKeys(type, melody);
        ASSERT_EQ(keys.size() % kCellWidth, 0u);
        expectGuideFitsAndReadsBackToItself(type, keys);
    }
}

// The melody's notes, each with the ties that follow it.
std::vector<std::u16string> notesOf(std::u16string_view melodyText) {
    std::vector<std::u16string> notes;
    for (size_t at = 0; at < melodyText.size();) {
        const size_t end = std::min(melodyText.find(u' ', at), melodyText.size());
        const std::u16string_view token = melodyText.substr(at, end - at);
        if (!token.empty() && (token != u"^" || notes.empty()))
            notes.emplace_back();
        if (!token.empty())
            notes.back().append(token).append(u" ");
        at = end + 1;
    }
    return notes;
}

// What the phone counts in a guide, read from the guide: its entries, or on a type that counts
// units one per unit (a unit reads back as one note or rest).
int countedIn(int type, std::u16string_view keys) {
    const PhoneTypeRules& rules = *rulesFor(type);
    PhoneTypeRules unitRules = rules;
    unitRules.sharpEntries = 1;
    const std::u16string readBack = fromKeys(type, keys);
    return entriesOf(rules.limitCounts == LimitCount::Units ? unitRules : rules, readBack);
}

TEST_P(LimitedTypes, NoGuideHoldsMoreThanItsPhoneCounts) {
    // Entries never pass the most the phone counts. Where the limit is tested before each note,
    // only the last note typed may pass it: the notes before it stay below.
    const int type = GetParam();
    const PhoneTypeRules& rules = *rulesFor(type);
    const std::optional<int> most = mostCounted(rules);
    std::mt19937 rng(4000 + type);
    for (int round = 0; round < 12; ++round) {
        const std::u16string melody = randomMelody(rng, 700) + u"D中ド ";
        SCOPED_TRACE(toUtf8(melody));
        const std::u16string keys = toKeys(type, melody);
        if (rules.limitCounts == LimitCount::Entries)
            continue; // the fit check above counts their entries
        const std::vector<std::u16string> notes = notesOf(melody);
        std::u16string before, typed;
        size_t notesTyped = 0;
        while (notesTyped < notes.size() && toKeys(type, typed) != keys) {
            before = typed;
            typed += notes[notesTyped++];
        }
        ASSERT_EQ(toKeys(type, typed), keys);
        if (rules.limitCounts == LimitCount::Notes)
            EXPECT_LE(static_cast<int>(notesTyped), *most);
        else
            EXPECT_LT(countedIn(type, toKeys(type, before)), *most);
    }
}

TEST_P(LimitedTypes, AFullGuideReachesTheLimitAndTypesTheNoteThatFillsItAsTheLimitSays) {
    // Sixteenths on two keys are one entry (and one unit, one note) on every phone. One entry
    // short of the limit, then a whole note: where the limit counts entries the guide ends with
    // the last of the note's entries that fits; elsewhere the limit is tested before each note,
    // and the whole note is typed in full.
    const int type = GetParam();
    const PhoneTypeRules& rules = *rulesFor(type);
    const std::optional<int> most = mostCounted(rules);
    std::u16string before;
    for (int entry = 1; entry < *most; ++entry)
        before += entry % 2 ? u"E中ド " : u"E中レ ";
    EXPECT_EQ(countedIn(type, toKeys(type, before + u"E中フ E中ド ")), *most);
    const std::u16string melody = before + u"A中ミ E中フ ";
    if (rules.limitCounts == LimitCount::Entries) {
        EXPECT_EQ(countedIn(type, toKeys(type, melody)), *most);
        return;
    }
    const auto ticksOf = [type](std::u16string_view text) {
        return soundingOf(fromKeys(type, toKeys(type, text))).ticks;
    };
    EXPECT_EQ(ticksOf(melody), ticksOf(before) + melody::lengthTicks(u'A', false));
}

std::vector<int> joinedRuns(const std::vector<int>& pitches) {
    std::vector<int> runs;
    for (int pitch : pitches)
        if (runs.empty() || runs.back() != pitch)
            runs.push_back(pitch);
    return runs;
}

TEST_P(AllTypes, PlaysThePitchesAndLengthsOfItsPhone) {
    // Read back, a guide gives the pitches its phone plays for the melody, in order (a pitch held
    // on counted once where the phone merges repeats). A melody typed in full lasts what the
    // phone's grid makes of its lengths; a cut one gives the first of those pitches.
    const int type = GetParam();
    const PhoneSound& phone = phoneSoundOf(type);
    const bool merges = rulesFor(type)->mergeRepeats;
    std::mt19937 rng(5000 + type);
    for (int round = 0; round < 400 && !HasFatalFailure(); ++round) {
        const std::u16string melody = randomMelody(rng, round % 4 == 0 ? 300 : 30);
        SCOPED_TRACE(toUtf8(melody));
        std::vector<int> expected;
        std::optional<int> ticks = 0;
        melody::ParserState state;
        for (state.readPos = 1; melody::readNextNote(state, melody);
             state.currentNote.clearText()) {
            const melody::Note& note = state.currentNote;
            const std::optional<int> noteTicks = ticksOnPhone(phone.grid, note);
            ticks = ticks && noteTicks ? std::optional<int>(*ticks + *noteTicks) : std::nullopt;
            if (!melody::isNoteCode(note.length[0]))
                continue;
            if (const std::optional<int> played =
                    phone.played(*melody::midiNoteNumber(note.octave, note.pitch, note.sharp)))
                expected.push_back(*played);
        }
        const std::u16string readBack = fromKeys(type, toKeys(type, melody));
        const Sounding back = soundingOf(readBack == u" " ? u"" : readBack);
        std::vector<int> pitches = back.pitches;
        if (merges) {
            pitches = joinedRuns(pitches);
            expected = joinedRuns(expected);
        }
        if (typedInFull(type, melody)) {
            ASSERT_EQ(pitches, expected);
            if (ticks) {
                ASSERT_EQ(back.ticks, *ticks);
            }
        } else {
            ASSERT_LE(pitches.size(), expected.size());
            ASSERT_TRUE(std::equal(pitches.begin(), pitches.end(), expected.begin()));
        }
    }
}

TEST_P(AllTypes, ConversionDoesNotDependOnAnEarlierWalkAndLeavesTheMergeFlagOfItsPhone) {
    // The player and the chord writer read the flag the walk leaves.
    const int type = GetParam();
    std::mt19937 rng(2000 + type);
    for (int round = 0; round < 50; ++round) {
        const std::u16string melody = randomMelody(rng);
        melody::ParserState used;
        used.readPos = 9;
        used.currentNote = {u"B", u".", u"高", u"ソ", u"#", 2, 1};
        used.previousNote = {u"D", u"低", u"ミ", u"", u""};
        used.mergeRepeats = round % 2 == 0;
        RecordingInteractive ui;
        EXPECT_EQ(convertToKeys(type, melody, used, ui), toKeys(type, melody));
        EXPECT_EQ(used.mergeRepeats, rulesFor(type)->mergeRepeats);
    }
}

TEST_P(AllTypes, ReadsKeyTextsOfOtherTypesWithoutBreakingTheMelody) {
    // A key text of another family, as a user might load by mistake: the reader keeps to its
    // grid, ends the melody with a blank, and what it reads converts to a stable guide.
    const int type = GetParam();
    std::mt19937 rng(3000 + type);
    for (int round = 0; round < 40; ++round) {
        const int other = std::uniform_int_distribution<int>(kFirstPhoneType, kLastPhoneType)(rng);
        const std::u16string foreign = toKeys(other, randomMelody(rng));
        const std::u16string melody = fromKeys(type, foreign);
        ASSERT_FALSE(melody.empty());
        ASSERT_EQ(melody.back(), u' ');
        expectGuideFitsAndReadsBackToItself(type, toKeys(type, melody));
    }
}

std::string typeName(const ::testing::TestParamInfo<int>& param) {
    std::string id;
    for (char16_t c : phoneTypeByIndex(param.param)->shortName())
        if (c != u'-')
            id += static_cast<char>(c);
    return id;
}

std::vector<int> limitedTypes() {
    std::vector<int> types;
    for (int type = kFirstPhoneType; type <= kLastPhoneType; ++type)
        if (mostCounted(*rulesFor(type)))
            types.push_back(type);
    return types;
}

// The most each phone holds comes from the phones themselves, not from the rules: everything
// above is measured against it, so it is pinned here once ("-" where there is no limit).
TEST(PhoneLimits, AreThoseOfThePhones) {
    std::string limits;
    for (int type = kFirstPhoneType; type <= kLastPhoneType; ++type) {
        const std::optional<int> most = mostCounted(*rulesFor(type));
        limits += (type == kFirstPhoneType ? "" : " ") + typeName({type, 0}) + "=" +
                  (most ? std::to_string(*most) : "-");
    }
    // A limit "N, after" lets the guide reach N + 1.
    EXPECT_EQ(limits, "TypeA=30 TypeB=50 TypeC=200 TypeD=32 TypeE=128 TypeF=128 TypeG=32 TypeH=30 "
                      "TypeI=96 TypeJ=256 TypeK=64 TypeL=64 TypeM=64 TypeN=- TypeO=54 TypeP=- "
                      "TypeQ=50 TypeR=36 TypeS=60 TypeT=257 TypeU=97 TypeV=129 TypeW=257 "
                      "TypeX=257 TypeY=65 TypeZ=- TypeAA=256 TypeAB=128 TypeAC=257 TypeAD=257 "
                      "TypeAE=129 TypeAF=257 TypeAG=129 TypeAH=200 TypeAI=65 TypeAJ=65 "
                      "TypeAK=257 TypeAL=256 TypeAM=257");
}

INSTANTIATE_TEST_SUITE_P(Catalogue, AllTypes, ::testing::Range(kFirstPhoneType, kLastPhoneType + 1),
                         typeName);
INSTANTIATE_TEST_SUITE_P(Catalogue, LimitedTypes, ::testing::ValuesIn(limitedTypes()), typeName);

} // namespace
} // namespace sarvo::keyguide
