#pragma once
// sarvo-cli: the melody core and the key guide on the command line.
//
//   sarvo-cli keys --type Type-A        melody text on stdin → key text on stdout
//   sarvo-cli keys --type all           one line per phone type: short name, tab, key text
//   sarvo-cli read --type Type-A        key text on stdin → melody text on stdout
//   sarvo-cli convert --from Type-A     key text on stdin → one line per phone type, as keys all
//   sarvo-cli export --dir DIR --types Type-A,Type-E
//                                       melody on stdin → the key and macro text files in DIR
//   sarvo-cli transpose --up|--down     melody text on stdin → moved a semitone
//   sarvo-cli types                     index, short name, label, capacity text (tab-separated)
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
