#pragma once
// Chooses the interface language at start: the "言語" setting of the settings file in the data
// folder, or the locale when it says "auto", and installs its translators before any message box
// or window is shown.

#include <filesystem>

class QCoreApplication;

namespace sarvo::app {

void installInterfaceLanguage(QCoreApplication& app, const std::filesystem::path& dataFolder);

} // namespace sarvo::app
