#include "sound/mmlwriter.h"

#include "melody/notecodes.h"
#include "melody/noteparser.h"
#include "sound/mmllengths.h"

#include <algorithm>
#include <optional>

namespace sarvo::sound {
namespace {

constexpr char kNoteLetters[12] = {'c', 'c', 'd', 'd', 'e', 'f', 'f', 'g', 'g', 'a', 'a', 'b'};
constexpr bool kSharp[12] = {false, true,  false, true,  false, false,
                             true,  false, true,  false, true,  false};

// One sounding unit of the line: a note (or rest) and its whole time in melody ticks.
struct Cell {
    std::optional<int> key; // MIDI note number; none for a rest
    int ticks = 0;
};

// The melody as cells: each token with its ties, and with mergeRepeats each run of identical
// notes as one cell. A token whose pitch is not valid keeps its time as a rest.
std::vector<Cell> cellsOf(const std::u16string& melody, MmlOptions options) {
    std::vector<Cell> cells;
    melody::ParserState state;
    std::u16string previousToken;
    int previousTies = -1;
    for (state.currentNote.clearText(); melody::readNextNote(state, melody);
         state.currentNote.clearText()) {
        const melody::Note& note = state.currentNote;
        const char16_t code = note.length.empty() ? u'\0' : note.length[0];
        const int ticks = melody::lengthTicks(code, note.dot == u".") * (note.tieCount + 1);
        if (ticks == 0)
            continue;
        std::optional<int> key;
        if (melody::isNoteCode(code))
            key = melody::midiNoteNumber(note.octave, note.pitch, note.sharp);
        const bool repeats = options.mergeRepeats && key && !cells.empty() &&
                             cells.back().key == key && note.token() == previousToken &&
                             note.tieCount == previousTies;
        if (repeats)
            cells.back().ticks += ticks;
        else
            cells.push_back({key, ticks});
        previousToken = note.token();
        previousTies = note.tieCount;
    }
    return cells;
}

} // namespace

std::string mmlPartLine(const MmlPart& part, int index, MmlOptions options) {
    std::string line(1, static_cast<char>('A' + index));
    line += " C" + std::to_string(index + 1) + " @" + std::to_string(part.program + 1) + " t" +
            std::to_string(part.tempo) + " v127 o5";
    int octave = 5;
    for (const Cell& cell : cellsOf(part.melody, options)) {
        const std::vector<MmlLength> lengths = splitIntoLengths(cell.ticks);
        if (!cell.key) {
            for (const MmlLength& length : lengths)
                line += " r" + length.text();
            continue;
        }
        line += ' ';
        const int cellOctave = *cell.key / 12 - 1;
        line.append(static_cast<size_t>(std::abs(cellOctave - octave)),
                    cellOctave > octave ? '>' : '<');
        octave = cellOctave;
        line += kNoteLetters[*cell.key % 12];
        if (kSharp[*cell.key % 12])
            line += '+';
        for (size_t i = 0; i < lengths.size(); ++i)
            line += (i == 0 ? "" : "&") + lengths[i].text();
    }
    return line;
}

std::vector<MmlPart> partsToPlay(std::vector<MmlPart> parts, IInteractive& ui) {
    if (parts.size() <= kMaxMmlParts)
        return parts;
    if (ui.askQuestion(u"和音の試聴は26パートまでです。\n上から26曲を試聴しますか？",
                       QuestionButtons::YesNo) != Answer::Yes)
        return {};
    parts.resize(kMaxMmlParts);
    return parts;
}

std::string writeMml(const std::vector<MmlPart>& parts, MmlOptions options) {
    std::string text;
    const int count = std::min(static_cast<int>(parts.size()), kMaxMmlParts);
    for (int i = 0; i < count; ++i)
        text += mmlPartLine(parts[i], i, options) + "\r\n";
    return text;
}

} // namespace sarvo::sound
