#include "cli/commandgroups.h"

namespace sarvo::cli {

std::vector<Command> allCommands() {
    std::vector<Command> commands;
    for (auto group :
         {keyguideCommands, formatCommands, libraryCommands, soundCommands, midiCommands,
          cableCommands, mailCommands}) {
        std::vector<Command> more = group();
        commands.insert(commands.end(), more.begin(), more.end());
    }
    return commands;
}

} // namespace sarvo::cli
