#include "cli/clicommands.h"

#include "cli/commandgroups.h"
#include "cli/helplayout.h"

#include <algorithm>
#include <iostream>

namespace sarvo::cli {

bool Args::has(std::string_view option) const {
    return m_flags.contains(option) || m_values.contains(option);
}

std::optional<std::string> Args::value(std::string_view option) const {
    auto found = m_values.find(option);
    return found == m_values.end() ? std::nullopt : std::optional<std::string>(found->second);
}

const std::string& Args::required(std::string_view option) const {
    return m_values.find(option)->second;
}

namespace {

const HelpRow kSjisOption{"--sjis", {"read and write code page 932 (Shift_JIS) instead of UTF-8"}};

std::string mainHelp(const std::vector<Command>& commands) {
    std::vector<HelpRow> rows;
    for (const Command& command : commands)
        rows.push_back({command.name, {command.summary}});
    return "usage: sarvo-cli <command> [options]\n       sarvo-cli --help | --version\n\n"
           "Commands:\n" +
           formatHelpTable(rows) +
           "\nRun 'sarvo-cli <command> --help' for the options of a command.\n";
}

const OptionSpec* optionNamed(const Command& command, std::string_view name) {
    for (const OptionSpec& option : command.options)
        if (option.name == name)
            return &option;
    return nullptr;
}

// Parses the arguments after the command name; returns an error message, or "" when they are
// fine.
std::string parseArgs(const Command& command, const std::vector<std::string>& argv, Args& args) {
    for (size_t i = 1; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            args.help = true;
            continue;
        }
        if (arg == "--sjis") {
            args.sjis = true;
            continue;
        }
        if (!arg.starts_with("--") || arg == "-") {
            args.positionals.push_back(arg);
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionSpec* option = optionNamed(command, name);
        if (!option)
            return "unknown option '" + arg + "'";
        if (!option->takesValue) {
            if (equals != std::string::npos)
                return name + " takes no value";
            args.setFlag(name);
        } else if (equals != std::string::npos) {
            args.setValue(name, arg.substr(equals + 1));
        } else if (i + 1 >= argv.size()) {
            return name + " needs a value";
        } else {
            args.setValue(name, argv[++i]);
        }
    }
    if (args.help)
        return {};
    for (const OptionSpec& option : command.options)
        if (!option.requiredHint.empty() && args.value(option.name).value_or("").empty())
            return "missing " + option.requiredHint;
    const int count = static_cast<int>(args.positionals.size());
    if (count < command.minPositionals)
        return "missing arguments";
    if (command.maxPositionals != kUnlimited && count > command.maxPositionals)
        return "unexpected argument '" + args.positionals[command.maxPositionals] + "'";
    return {};
}

} // namespace

int run(const std::vector<std::string>& argv, std::istream& in, std::ostream& out,
        std::ostream& err) {
    const std::vector<Command> commands = allCommands();
    if (argv.empty())
        return usageError(err, "missing command", "");
    if (argv[0] == "--help" || argv[0] == "-h" || argv[0] == "help") {
        out << mainHelp(commands);
        return 0;
    }
    if (argv[0] == "--version") {
        out << "sarvo-cli " << SARVO_VERSION << "\n";
        return 0;
    }
    auto command = std::find_if(commands.begin(), commands.end(),
                                [&](const Command& c) { return c.name == argv[0]; });
    if (command == commands.end())
        return usageError(err, "unknown command '" + argv[0] + "'", "");
    Args args;
    args.command = argv[0];
    if (std::string error = parseArgs(*command, argv, args); !error.empty())
        return usageError(err, error, args.command);
    if (args.help) {
        out << alignHelpTables(withHelpRow(command->help, kSjisOption));
        return 0;
    }
    Io io{in, out, err, args.sjis};
    return command->run(args, io);
}

} // namespace sarvo::cli
