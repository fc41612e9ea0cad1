#pragma once
// What a melody sounds like, tick by tick, for comparing a melody with what a byte format gives
// back: the pitch sounding at every tick (-1 for silence) and the ticks where a note starts.

#include "formats/melodytokens.h"
#include "melody/notecodes.h"

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::formats {

struct MelodyTimeline {
    std::vector<int> pitchAtTick;
    std::set<size_t> onsets;

    // Trailing silence carries no information in formats that only store notes.
    void trimSilence() {
        while (!pitchAtTick.empty() && pitchAtTick.back() < 0)
            pitchAtTick.pop_back();
    }
};

// Tokens last their length times (ties + 1); a note token starts a note.
inline MelodyTimeline timelineOf(std::u16string_view melodyText) {
    MelodyTimeline timeline;
    for (const melody::Note& note : readTokens(melodyText)) {
        const int ticks =
            melody::lengthTicks(note.length[0], note.dot == u".") * (note.tieCount + 1);
        const auto pitch = pitchNumber(note);
        if (pitch)
            timeline.onsets.insert(timeline.pitchAtTick.size());
        timeline.pitchAtTick.insert(timeline.pitchAtTick.end(), static_cast<size_t>(ticks),
                                    pitch.value_or(-1));
    }
    return timeline;
}

// Seeded random melodies of the lengths every byte format can hold: plain and dotted notes and
// rests from whole to eighth, sixteenths, tuplets, and ties on plain notes.
inline std::u16string randomFormatMelody(std::mt19937& rng, int maxTokens, bool withTuplets) {
    static const std::u16string_view kPitches[] = {u"ド",  u"ド#", u"レ",  u"レ#", u"ミ",  u"フ",
                                                   u"フ#", u"ソ",  u"ソ#", u"ラ",  u"ラ#", u"シ"};
    auto pick = [&](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(rng);
    };
    const std::u16string_view codes = withTuplets ? u"ABCDE2356" : u"ABCDE";
    std::u16string text;
    const int tokens = 1 + pick(maxTokens);
    for (int t = 0; t < tokens; ++t) {
        const char16_t code = codes[pick(static_cast<int>(codes.size()))];
        const bool plain = melody::isPlainNoteCode(code);
        const bool rest = pick(4) == 0;
        text += rest ? melody::restCodeOf(code) : code;
        if (plain && code != u'E' && pick(3) == 0)
            text += u'.';
        if (!rest) {
            text += u"低中高"[pick(3)];
            text += kPitches[pick(12)];
        }
        text += u' ';
        if (!rest && plain && pick(5) == 0)
            for (int tie = pick(3); tie >= 0; --tie)
                text += u"^ ";
    }
    return text;
}

} // namespace sarvo::formats
