#include "sound/voicelist.h"

#include <array>

namespace sarvo::sound {
namespace {

constexpr std::array<Voice, kVoiceCount> kVoices = {{
    {u"着信音ぽいかな？", 7},
    {u"ピアノ", 0},
    {u"これも着信音ぽいかも(^_^;)", 66},
    {u"ミュージックボックス", 10},
    {u"減衰しない音色", 82},
    {u"002: Bright Acoustic Piano", 1},
    {u"003: Electric Piano", 2},
    {u"004: Honky-tonk Piano", 3},
    {u"005: Electric Piano 1", 4},
    {u"006: Electric Piano 2", 5},
    {u"007: Harpsichord", 6},
    {u"009: Celesta", 8},
    {u"010: てっきん", 9},
    {u"012: Vibraphone", 11},
    {u"013: もっきん", 12},
    {u"014: Xylophone", 13},
    {u"015: Tubular-Bells", 14},
    {u"016: Dulcimer", 15},
    {u"017: オルガン", 16},
    {u"018: Percussive Organ", 17},
    {u"019: Rock Organ", 18},
    {u"020: Church Organ", 19},
    {u"021: Reed Organ", 20},
    {u"022: アコーディオン", 21},
    {u"023: Harmonica", 22},
    {u"024: Tango Accordion", 23},
    {u"025: ギター", 24},
    {u"026: Acoustic Guitar (Steel)", 25},
    {u"027: Electric Guitar (Jazz)", 26},
    {u"028: Electric Guitar (Clean)", 27},
    {u"029: Electric Guitar (Muted)", 28},
    {u"030: Overdrived Guitar", 29},
    {u"031: Distortion Guitar", 30},
    {u"032: Guitar Harmonics", 31},
    {u"033: ベース", 32},
    {u"034: Electric Bass (Finger)", 33},
    {u"035: Electric Bass (Picked)", 34},
    {u"036: Fretless Bass", 35},
    {u"037: Slap Bass 1", 36},
    {u"038: Slap Bass 2", 37},
    {u"039: Synth Bass 1", 38},
    {u"040: Synth Bass 2", 39},
    {u"041: バイオリン", 40},
    {u"042: Viola", 41},
    {u"043: Cello", 42},
    {u"044: Contrabass", 43},
    {u"045: Tremolo Strings", 44},
    {u"046: Pizzicato Strings", 45},
    {u"047: ハーブ", 46},
    {u"048: Timpani", 47},
    {u"049: String Ensemble 1", 48},
    {u"050: String Ensemble 2", 49},
    {u"051: Synth Strings 1", 50},
    {u"052: Synth Strings 2", 51},
    {u"053: Choir Aahs", 52},
    {u"054: Voice Oohs", 53},
    {u"055: Synth Voice", 54},
    {u"056: Orchestra Hit", 55},
    {u"057: トランペット", 56},
    {u"058: Trombone", 57},
    {u"059: Tuba", 58},
    {u"060: Muted Trumpet", 59},
    {u"061: French Horn", 60},
    {u"062: Brass Section", 61},
    {u"063: Synth Brass 1", 62},
    {u"064: Synth Brass 2", 63},
    {u"065: Soprano Sax", 64},
    {u"066: アルトサックス", 65},
    {u"068: Baritone Sax", 67},
    {u"069: Oboe", 68},
    {u"070: English Hom", 69},
    {u"071: Bassoon", 70},
    {u"072: クラリネット", 71},
    {u"073: Piccolo", 72},
    {u"074: フルート", 73},
    {u"075: Recorder", 74},
    {u"076: Pan Flute", 75},
    {u"077: Blown Bottle", 76},
    {u"078: Shakuhachi", 77},
    {u"079: Whistle", 78},
    {u"080: Ocarina", 79},
    {u"081: Lead 1 (Square)", 80},
    {u"082: Lead 2 (Sawtooth)", 81},
    {u"084: Lead 4 (Chiff)", 83},
    {u"085: Lead 5 (Charang)", 84},
    {u"086: Lead 6 (Voice)", 85},
    {u"087: Lead 7 (Fifths)", 86},
    {u"088: Lead 8 (Bass&Lead)", 87},
    {u"089: Pad 1 (New Age)", 88},
    {u"090: Pad 2 (Warm)", 89},
    {u"091: Pad 3 (Polysynth)", 90},
    {u"092: Pad 4 (Choir)", 91},
    {u"093: Pad 5 (Bowed)", 92},
    {u"094: Pad 6 (Metallic)", 93},
    {u"095: Pad 7 (Halo)", 94},
    {u"096: Pad 8 (Sweep)", 95},
    {u"097: FX 1 (Rain)", 96},
    {u"098: FX 2 (Soundtrack)", 97},
    {u"099: クリスタル", 98},
    {u"100: FX 4 (Atmosphere)", 99},
    {u"101: FX 5 (Brightness)", 100},
    {u"102: FX 6 (Goblins)", 101},
    {u"103: FX 7 (Echoes)", 102},
    {u"104: FX 8 (Sci-Fi)", 103},
    {u"105: Sitar", 104},
    {u"106: Banjo", 105},
    {u"107: Shamisen", 106},
    {u"108: 琴", 107},
    {u"109: Kalimba", 108},
    {u"110: Bag pipe", 109},
    {u"111: Fiddle", 110},
    {u"112: Shanai", 111},
    {u"113: Tinkle Bell", 112},
    {u"114: Agogo", 113},
    {u"115: Steel Drums", 114},
    {u"116: Woodblock", 115},
    {u"117: Taiko Drum", 116},
    {u"118: Melodic Tom", 117},
    {u"119: Synth Drum", 118},
    {u"120: Reverse Cymbal", 119},
    {u"121: Guitar Fret Noise", 120},
    {u"122: Breath Noise", 121},
    {u"123: Seashore", 122},
    {u"124: Bird Tweet", 123},
    {u"125: Telephone Ring", 124},
    {u"126: Helicopter", 125},
    {u"127: Applause", 126},
    {u"128: Gunshot", 127},
}};

} // namespace

std::span<const Voice> voiceList() {
    return kVoices;
}

std::optional<int> voiceRowOfText(std::u16string_view text) {
    for (size_t row = 0; row < kVoices.size(); ++row)
        if (kVoices[row].text == text)
            return static_cast<int>(row);
    return std::nullopt;
}

std::optional<std::u16string_view> voiceTextOfProgram(int program) {
    for (const Voice& voice : kVoices)
        if (voice.program == program)
            return voice.text;
    return std::nullopt;
}

} // namespace sarvo::sound
