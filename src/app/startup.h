#pragma once
// The program's start: find the library, hand a second start over to the running program,
// convert song folders of the old layout and take a .svo file named on the command line.

#include "app/singleinstance.h"
#include "common/interaction.h"
#include "library/songlibrary.h"

#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace sarvo::app {

inline constexpr std::u16string_view kProgramTitle = u"Sarvo Ver 1.6Z";

struct StartupEnvironment {
    std::filesystem::path programFolder;
    std::string xdgDataHome;                       // "" when unset
    std::string home;                              // "" when unset
    std::optional<std::filesystem::path> songFile; // the .svo named on the command line
    std::optional<std::filesystem::path> importFile; // a file for the import dialog, instead
};

struct Startup {
    enum class Outcome { Run, HandedOver, Failed } outcome = Outcome::Failed;
    std::filesystem::path dataFolder;
    std::unique_ptr<SingleInstance> instance; // the running program's, when it runs
    std::u16string importedSong;              // the song of the command line's .svo, if any
    std::string error;
};

// The program folder, the XDG variables and the file argument of this process: a ".svo" song
// file, or a file of a kind the import dialog reads.
StartupEnvironment processEnvironment(const QStringList& arguments);

// The folder of the song library and the settings; nullopt when neither XDG_DATA_HOME nor HOME
// is set.
std::optional<std::filesystem::path> dataFolderOf(const StartupEnvironment& environment);

// Runs the start-up up to the main window. A second start copies its .svo file into the log
// folder and asks the running program to import it, hands over a file for the import dialog, or,
// without a file, says that the program runs already and brings it to the front; either way its
// outcome is HandedOver.
Startup startUp(const StartupEnvironment& environment, IInteractive& ui);

// In the running program: a later start's request imports the first waiting .svo file and
// reports its song to songArrived, passes a file for the import dialog to fileToImport, or
// brings the window to the front through activate (which the other two requests do first).
struct HandOverReceivers {
    std::function<void(const std::u16string&)> songArrived;
    std::function<void(const std::filesystem::path&)> fileToImport;
    std::function<void()> activate;
};
void receiveHandOvers(SingleInstance& instance, const library::SongLibrary& library,
                      IInteractive& ui, HandOverReceivers receivers);

} // namespace sarvo::app
