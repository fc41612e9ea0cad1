#include "app/interfacelanguage.h"

#include "common/ui/coretext.h"
#include "library/songlibrary.h"
#include "settings/settingsfile.h"

#include <QCoreApplication>

namespace sarvo::app {

void installInterfaceLanguage(QCoreApplication& app, const library::SongLibrary& library) {
    const settings::Preferences preferences =
        settings::SettingsFile(library.folders().settingsFile()).preferences();
    ui::installLanguage(app, chosenLanguage(preferences.language, ui::systemLanguage()));
}

} // namespace sarvo::app
