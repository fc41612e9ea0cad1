#pragma once
// The events of a MIDI file as the independent converter midicsv lists them, for cross-checking
// the file reader, and a run of csvmidi that writes a file from such a list.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace sarvo::sound::testing {

// One line of midicsv output: track, time, record type and the fields after it.
struct CsvRecord {
    int track = 0;
    long long tick = 0;
    std::string type;
    std::vector<std::string> fields;
};

inline bool hasMidicsv() {
    return std::system("command -v midicsv csvmidi >/dev/null 2>&1") == 0;
}

// Splits a record at ", "; quoted text fields keep their quotes (commas inside them are rare
// and only in text events, whose fields the cross-check does not compare).
inline std::vector<CsvRecord> midicsvRecords(const std::filesystem::path& file) {
    std::string out;
    if (FILE* pipe = ::popen(("midicsv '" + file.string() + "' 2>/dev/null").c_str(), "r")) {
        char buffer[65536];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    std::vector<CsvRecord> records;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> parts;
        size_t start = 0;
        for (size_t comma; (comma = line.find(", ", start)) != std::string::npos; start = comma + 2)
            parts.push_back(line.substr(start, comma - start));
        parts.push_back(line.substr(start));
        if (parts.size() >= 3)
            records.push_back({std::stoi(parts[0]), std::stoll(parts[1]), parts[2],
                               std::vector(parts.begin() + 3, parts.end())});
    }
    return records;
}

// Writes a MIDI file from CSV text with csvmidi; returns its exit status.
inline int runCsvmidi(const std::string& csv, const std::filesystem::path& out) {
    const std::filesystem::path csvPath = out.string() + ".csv";
    std::ofstream(csvPath, std::ios::binary) << csv;
    return std::system(("csvmidi '" + csvPath.string() + "' '" + out.string() + "' 2>&1").c_str());
}

} // namespace sarvo::sound::testing
