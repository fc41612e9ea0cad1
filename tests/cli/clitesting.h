#pragma once
// Runs a sarvo-cli command in the test process, with standard input given as text and standard
// output and error kept.

#include "cli/clicommands.h"

#include <sstream>
#include <string>
#include <vector>

namespace sarvo::cli {

struct Result {
    int status;
    std::string out, err;
};

inline Result runCli(std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = run(args, in, out, err);
    return {status, out.str(), err.str()};
}

} // namespace sarvo::cli
