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
};

struct Startup {
    enum class Outcome { Run, HandedOver, Failed } outcome = Outcome::Failed;
    std::filesystem::path dataFolder;
    std::unique_ptr<SingleInstance> instance; // the running program's, when it runs
    std::u16string importedSong;              // the song of the command line's .svo, if any
    std::string error;
};

// The program folder, the XDG variables and a ".svo" argument of this process (an argument that
// does not end in ".svo" is no song file).
StartupEnvironment processEnvironment(const QStringList& arguments);

// Runs the start-up up to the main window. A second start copies its .svo file into the log
// folder and asks the running program to import it, or, without a file, says that the program
// runs already and brings it to the front; either way its outcome is HandedOver.
Startup startUp(const StartupEnvironment& environment, IInteractive& ui);

// In the running program: a later start's request imports the first waiting .svo file and
// reports its song to songArrived, or brings the window to the front through activate.
void receiveHandOvers(SingleInstance& instance, const library::SongLibrary& library,
                      IInteractive& ui, std::function<void(const std::u16string&)> songArrived,
                      std::function<void()> activate);

} // namespace sarvo::app
