#pragma once
// sarvo-cli: the program's core libraries on the command line. The commands themselves are
// listed in commandgroups.h; `sarvo-cli --help` shows them and `sarvo-cli NAME --help` their
// options.
//
// Text is UTF-8 unless --sjis asks for code page 932. A final newline on input is ignored;
// output ends with one newline. Usage errors exit with status 2, unreadable input or a failed
// write with 1. Messages for the user go to stderr.

#include <iosfwd>
#include <string>
#include <vector>

namespace sarvo::cli {

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

} // namespace sarvo::cli
