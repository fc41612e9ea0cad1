#pragma once
// The frame every sarvo-cli command plugs into: a command names the options it accepts, how many
// positional arguments it takes, its help text and the function that runs it. The frame parses
// the command line ("--name value", "--name=value", flags, positionals), answers --help and
// reports usage errors; a command's function only sees arguments that passed those checks.

#include "cli/cliio.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sarvo::cli {

struct OptionSpec {
    std::string name;         // with the dashes: "--type"
    bool takesValue = false;  // "--type Type-A" rather than a flag such as "--up"
    std::string requiredHint; // when not empty the option must be given; shown after "missing"
};

class Args {
public:
    std::string command;
    std::vector<std::string> positionals;
    bool sjis = false;
    bool help = false;

    bool has(std::string_view option) const;
    std::optional<std::string> value(std::string_view option) const;
    // The value of an option that the frame already checked is present.
    const std::string& required(std::string_view option) const;

    void setValue(const std::string& option, std::string value) { m_values[option] = value; }
    void setFlag(const std::string& option) { m_flags.insert(option); }

private:
    std::map<std::string, std::string, std::less<>> m_values;
    std::set<std::string, std::less<>> m_flags;
};

inline constexpr int kUnlimited = -1;

struct Command {
    std::string name;
    std::string summary; // one line for the command list of `sarvo-cli --help`
    std::vector<OptionSpec> options;
    int minPositionals = 0;
    int maxPositionals = 0; // kUnlimited for any number
    std::string help;       // the text of `sarvo-cli NAME --help`
    int (*run)(const Args&, Io&) = nullptr;
};

} // namespace sarvo::cli
