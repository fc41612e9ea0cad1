#pragma once
// A host for the keyboard input that keeps everything it is told, for tests, the benchmark and
// the fuzz target: beeps, status messages, previews, key panels, length buttons, views and
// function keys, with a clipboard of its own and a view selector of 41 entries.

#include "melody/keyboardinput.h"

#include <string>
#include <string_view>
#include <vector>

namespace sarvo::melody {

class RecordingKeyInputHost final : public IKeyInputHost {
public:
    struct Preview {
        uint16_t keyCode;
        int note;
        char16_t length; // 0 for a note-off
        bool autoRepeat;
        bool fromPanel;
        bool operator==(const Preview&) const = default;
    };
    struct Panel {
        int row;
        int column;
        bool pressed;
        bool operator==(const Panel&) const = default;
    };

    static constexpr int kViewCount = 41;

    void beep() override { ++beeps; }
    void showStatus(std::u16string_view message) override { statusMessages.emplace_back(message); }
    void previewNoteOn(uint16_t keyCode, int midiNote, char16_t lengthCode,
                       bool autoRepeat) override {
        previews.push_back({keyCode, midiNote, lengthCode, autoRepeat, false});
        notesOn.push_back(midiNote);
    }
    void previewNoteOff(uint16_t keyCode, int midiNote, bool fromPanel) override {
        previews.push_back({keyCode, midiNote, 0, false, fromPanel});
        notesOff.push_back(midiNote);
    }
    void setKeyPanelPressed(int row, int column, bool pressed) override {
        panels.push_back({row, column, pressed});
    }
    void setLengthButton(int entry) override { lengthButtons.push_back(entry); }
    std::u16string clipboardText() override { return clipboard; }
    void setClipboardText(std::u16string_view text) override { clipboard = text; }
    int currentView() const override { return view; }
    void selectView(int index) override {
        if (index < 0 || index >= kViewCount)
            return;
        view = index;
        selectedViews.push_back(index);
    }
    void pressFunctionKey(int number) override { functionKeys.push_back(number); }
    void startTypeKeyTimer() override { ++typeKeyTimerStarts; }

    int beeps = 0;
    std::vector<std::u16string> statusMessages;
    std::vector<Preview> previews;
    std::vector<int> notesOn;
    std::vector<int> notesOff;
    std::vector<Panel> panels;
    std::vector<int> lengthButtons;
    std::u16string clipboard;
    int view = 0;
    std::vector<int> selectedViews;
    std::vector<int> functionKeys;
    int typeKeyTimerStarts = 0;
};

} // namespace sarvo::melody
