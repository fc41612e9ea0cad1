#pragma once
// Key sequences written as short scripts for the tables of the keyboard-input tests: keys
// separated by spaces, each with optional "S-" (Shift), "C-" (Ctrl), "A-" (Alt) and "R-" (an
// auto-repeat) prefixes, then a character ("1", "Q", ".", "-") or a key name ("Esc", "BS",
// "Del", "Home", "End", "Left", "Right", "Up", "Down", "F1" to "F12").

#include "melody/keyboardinput.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::melody::testing {

inline uint16_t keyCodeOf(std::string_view name) {
    static const std::map<std::string_view, uint16_t> kNamed = {
        {"Esc", keys::Escape},  {"BS", keys::Backspace}, {"Del", keys::Delete},
        {"Home", keys::Home},   {"End", keys::End},      {"Left", keys::Left},
        {"Right", keys::Right}, {"Up", keys::Up},        {"Down", keys::Down},
        {".", keys::Period},    {"-", keys::Minus}};
    if (const auto it = kNamed.find(name); it != kNamed.end())
        return it->second;
    if (name.size() > 1 && name[0] == 'F')
        return static_cast<uint16_t>(keys::F1 + std::stoi(std::string(name.substr(1))) - 1);
    EXPECT_EQ(name.size(), 1u) << "unknown key " << name;
    return name.empty() ? 0 : static_cast<uint16_t>(name[0]);
}

inline std::vector<KeyEvent> keysOf(std::string_view script) {
    std::vector<KeyEvent> events;
    std::istringstream words{std::string(script)};
    for (std::string word; words >> word;) {
        KeyEvent event;
        for (; word.size() > 2 && word[1] == '-'; word.erase(0, 2)) {
            switch (word[0]) {
            case 'S': event.modifiers |= modifiers::Shift; break;
            case 'C': event.modifiers |= modifiers::Ctrl; break;
            case 'A': event.modifiers |= modifiers::Alt; break;
            case 'R': event.autoRepeat = true; break;
            default: ADD_FAILURE() << "unknown prefix in " << word;
            }
        }
        event.keyCode = keyCodeOf(word);
        events.push_back(event);
    }
    return events;
}

} // namespace sarvo::melody::testing
