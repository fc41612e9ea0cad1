#pragma once
// The program's note font "Sarvo", built with the program and registered with Qt at run time.
// It draws the length codes of the melody text as notes and rests; the melody text box and the
// staff view print with it.

#include <QFont>
#include <QString>

namespace sarvo::melody {

inline constexpr const char* kNoteFontFamily = "Sarvo";

// Registers the font with the application's font database unless it is there already. Returns
// false when the embedded font could not be loaded. Needs a QGuiApplication.
bool installNoteFont();

// The note font at a pixel size (one staff space is a quarter of it), installed if needed.
QFont noteFont(qreal pixelSize);

// The font of the melody text box: the note font first, Japanese text after it (the settings'
// defaults are 12 points, bold).
QFont melodyTextFont(int pointSize, bool bold);

} // namespace sarvo::melody
