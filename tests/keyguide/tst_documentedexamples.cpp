// The worked example of every type in docs/phone-types.md is converted and read back here, so
// the document and the code cannot drift apart. Each type's section holds the example in one
// form: "Worked example: `melody`", a table whose second column lists the press groups in
// backticks (remarks in parentheses), and "Reading the presses back gives `melody`" (or "the
// same melody").

#include "common/textcodec.h"
#include "keyguide/phonetypes.h"
#include "keyguidetesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace sarvo::keyguide {
namespace {

struct DocumentedExample {
    std::u16string type; // "Type-A"
    std::u16string melody;
    std::u16string keys;
    std::u16string readBack;
};

// The text between the first pair of backticks at or after from; "" when there is none.
std::u16string backticked(std::u16string_view text, size_t from = 0) {
    const size_t open = text.find(u'`', from);
    const size_t close = open == text.npos ? text.npos : text.find(u'`', open + 1);
    if (close == text.npos)
        return u"";
    std::u16string inside(text.substr(open + 1, close - open - 1));
    std::replace(inside.begin(), inside.end(), u'\n', u' '); // a span may wrap onto the next line
    return inside;
}

// The press groups of a table row's second column, remarks in parentheses left out.
std::u16string keysOfRow(std::u16string_view row) {
    const size_t column = row.find(u'|', 1);
    std::u16string keys;
    int depth = 0;
    bool inKey = false;
    std::u16string key;
    for (char16_t c : row.substr(column + 1)) {
        if (!inKey && c == u'(')
            ++depth;
        else if (!inKey && c == u')')
            --depth;
        else if (depth == 0 && c == u'`') {
            if (inKey)
                keys += makeCell(key);
            inKey = !inKey;
            key.clear();
        } else if (inKey)
            key += c;
    }
    return keys;
}

std::vector<DocumentedExample> documentedExamples() {
    std::ifstream file(SARVO_SOURCE_DIR "/docs/phone-types.md");
    std::stringstream text;
    text << file.rdbuf();
    const std::u16string doc = fromUtf8(text.str()).value_or(u"");
    std::vector<DocumentedExample> examples;
    std::u16string_view rest(doc);
    for (size_t at; (at = rest.find(u"\n## Type-")) != rest.npos;) {
        rest = rest.substr(at + 4);
        const std::u16string_view section = rest.substr(0, rest.find(u"\n## "));
        DocumentedExample example;
        example.type = std::u16string(section.substr(0, section.find(u' ')));
        const size_t worked = section.find(u"Worked example: ");
        example.melody = backticked(section, worked);
        for (size_t line = section.find(u"\n| `", worked); line != section.npos;
             line = section.find(u"\n| `", line + 1))
            example.keys +=
                keysOfRow(section.substr(line + 1, section.find(u'\n', line + 1) - line - 1));
        const size_t reading = section.find(u"Reading the presses back gives ");
        example.readBack =
            section.substr(reading).starts_with(u"Reading the presses back gives the same melody")
                ? example.melody
                : backticked(section, reading);
        examples.push_back(example);
    }
    return examples;
}

TEST(DocumentedExamples, EveryTypeHasOneThatConvertsAndReadsBackAsDocumented) {
    const std::vector<DocumentedExample> examples = documentedExamples();
    ASSERT_EQ(examples.size(), static_cast<size_t>(kPhoneTypeCount));
    for (int type = kFirstPhoneType; type <= kLastPhoneType; ++type) {
        const DocumentedExample& example = examples[type - kFirstPhoneType];
        EXPECT_EQ(example.type, phoneTypeByIndex(type)->shortName());
        EXPECT_FALSE(example.melody.empty() || example.readBack.empty()) << toUtf8(example.type);
        EXPECT_EQ(toUtf8(toKeys(type, example.melody)), toUtf8(example.keys))
            << toUtf8(example.type);
        EXPECT_EQ(toUtf8(fromKeys(type, example.keys)), toUtf8(example.readBack))
            << toUtf8(example.type);
    }
}

} // namespace
} // namespace sarvo::keyguide
