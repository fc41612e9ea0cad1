#pragma once
// Runs a sarvo-cli command in the test process, with standard input given as text and standard
// output and error kept; a table of such runs with what each must give.

#include "cli/clicommands.h"

#include <gtest/gtest.h>

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

// One run: the arguments, standard input, the exit status, the whole standard output and a part
// of standard error.
struct Run {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
    std::string errPart = {};
};

inline void expectRuns(const std::vector<Run>& runs) {
    for (const Run& r : runs) {
        const Result result = runCli(r.args, r.input);
        const std::string name = r.args.empty() ? "(none)" : r.args.front() + " " + r.args.back();
        EXPECT_EQ(result.status, r.status) << name << ": " << result.err;
        EXPECT_EQ(result.out, r.out) << name;
        EXPECT_NE(result.err.find(r.errPart), std::string::npos) << name << ": " << result.err;
    }
}

} // namespace sarvo::cli
