#pragma once
// A library in a temporary folder, with helpers to put song files into it the way another copy
// of the program leaves them.

#include "common/textcodec.h"
#include "library/songlibrary.h"
#include "library/songnames.h"

#include "../common/tempfolder.h"

#include <gtest/gtest.h>

namespace sarvo::library {

inline std::string sjis(std::u16string_view text) {
    return toCp932(text).value();
}

inline std::u16string repeated(std::u16string_view token, int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += token;
    return text;
}

class LibraryTest : public ::testing::Test {
protected:
    std::filesystem::path log() const { return m_temp.path() / "log"; }
    std::filesystem::path text() const { return m_temp.path() / "Text"; }
    std::filesystem::path logFile(std::u16string_view fileName) const {
        return log() / pathFromName(fileName);
    }
    // Writes a file of the log folder from UTF-16 text in code page 932.
    void putLogFile(std::u16string_view fileName, std::u16string_view contents) const {
        testing::writeBytes(logFile(fileName), sjis(contents));
    }
    std::u16string readLogFile(std::u16string_view fileName) const {
        return fromCp932(testing::readBytes(logFile(fileName))).value_or(u"<not code page 932>");
    }
    size_t entriesIn(const std::filesystem::path& folder) const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
    }

    testing::TempFolder m_temp;
    SongLibrary m_library{LibraryFolders(m_temp.path())};
    RecordingInteractive m_ui;
};

} // namespace sarvo::library
