#include "melody/tokenvalidation.h"

#include "melody/notecodes.h"
#include "melody/noteparser.h"

namespace sarvo::melody {
namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\u3000' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool canCarrySharp(char16_t pitch) {
    return pitch == u'ド' || pitch == u'レ' || pitch == u'フ' || pitch == u'ソ' || pitch == u'ラ';
}

bool isPitchName(char16_t c) {
    return canCarrySharp(c) || c == u'ミ' || c == u'シ';
}

} // namespace

bool isValidToken(std::u16string_view token) {
    if (token.empty())
        return false;
    const char16_t code = token[0];
    size_t at = 1;
    if (code == kTie || isTupletRestCode(code) || isTupletNoteCode(code)) {
        // No dot on ties and tuplets.
    } else if (isPlainNoteCode(code) || isPlainRestCode(code)) {
        if (at < token.size() && token[at] == u'.')
            ++at;
    } else {
        return false;
    }
    if (isNoteCode(code)) {
        if (at + 2 > token.size() || !isOctaveMark(token[at]) || !isPitchName(token[at + 1]))
            return false;
        const char16_t pitch = token[at + 1];
        at += 2;
        if (at < token.size() && token[at] == u'#' && canCarrySharp(pitch))
            ++at;
    }
    return at == token.size();
}

std::u16string keepValidTokens(std::u16string_view text) {
    std::u16string kept;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        const size_t start = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        const std::u16string_view piece = text.substr(start, i - start);
        if (isValidToken(piece)) {
            kept += piece;
            kept += u' ';
        }
    }
    return kept;
}

bool isValidMelodyText(std::u16string_view text) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t space = text.find(u' ', start);
        if (space == std::u16string_view::npos || !isValidToken(text.substr(start, space - start)))
            return false;
        start = space + 1;
    }
    return true;
}

} // namespace sarvo::melody
