#pragma once
// The column layout of sarvo-cli's help texts. A terminal gives East Asian wide and full-width
// characters two columns, so columns are lined up by display width, not by bytes or characters.
//
// A help text is free prose with tables in it. A table row is a line indented by two spaces whose
// term (an option, a command, an action) is followed by two or more spaces and its description;
// lines indented further continue the description above them. Rows in a run without a blank line
// form one table, whose descriptions start together two columns after its widest term. A row
// that holds two terms and descriptions side by side ("--kashu T  musician  --jan T  genre") is
// split into two rows.

#include <string>
#include <string_view>
#include <vector>

namespace sarvo::cli {

// Terminal columns of UTF-8 text.
size_t displayWidth(std::string_view utf8);

struct HelpRow {
    std::string term;
    std::vector<std::string> description; // one entry per line
};

// One table: every row indented by two spaces, the descriptions starting together.
std::string formatHelpTable(const std::vector<HelpRow>& rows);

// The help text with each of its tables laid out by formatHelpTable; the prose stays as it is.
std::string alignHelpTables(std::string_view help);

// The help text (ending with a newline) with one more row: in its last table when it ends with
// one, otherwise as a table of its own after a blank line.
std::string withHelpRow(std::string_view help, const HelpRow& row);

} // namespace sarvo::cli
