#pragma once
// Chooses the interface language at start: the library's "言語" setting, or the locale when it
// says "auto", and installs its translators before any window is built.

class QCoreApplication;

namespace sarvo::library {
class SongLibrary;
}

namespace sarvo::app {

void installInterfaceLanguage(QCoreApplication& app, const library::SongLibrary& library);

} // namespace sarvo::app
