#include "app/interfacelanguage.h"

#include "common/ui/coretext.h"
#include "library/libraryfolders.h"
#include "settings/settingsfile.h"

#include <QCoreApplication>

namespace sarvo::app {

void installInterfaceLanguage(QCoreApplication& app, const std::filesystem::path& dataFolder) {
    const settings::Preferences preferences =
        settings::SettingsFile(library::LibraryFolders(dataFolder).settingsFile()).preferences();
    ui::installLanguage(app, chosenLanguage(preferences.language, ui::systemLanguage()));
}

} // namespace sarvo::app
