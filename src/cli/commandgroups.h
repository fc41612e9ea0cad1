#pragma once
// The commands of sarvo-cli, one group per subsystem. Each group lives in its own
// <subsystem>commands.cpp; allCommands() lists them in the order `sarvo-cli --help` shows.

#include "cli/command.h"

#include <vector>

namespace sarvo::cli {

std::vector<Command> keyguideCommands();
std::vector<Command> soundCommands();
std::vector<Command> formatCommands();
std::vector<Command> libraryCommands();
std::vector<Command> midiCommands();
std::vector<Command> cableCommands();
std::vector<Command> mailCommands();

std::vector<Command> allCommands();

} // namespace sarvo::cli
