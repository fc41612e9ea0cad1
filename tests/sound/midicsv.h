#pragma once
// The events of a MIDI file as the independent converter midicsv lists them, for cross-checking
// the file reader, and a run of csvmidi that writes a file from such a list.

#include <cstdio>
#include <filesystem>
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

inline std::string runCommand(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int rc = ::pclose(pipe);
    if (status)
        *status = rc;
    return out;
}

inline bool hasMidicsv() {
    int status = -1;
    runCommand("command -v midicsv csvmidi >/dev/null 2>&1", &status);
    return status == 0;
}

// Splits a record at ", "; quoted text fields keep their quotes (commas inside them are rare
// and only in text events, whose fields the cross-check does not compare).
inline std::vector<CsvRecord> midicsvRecords(const std::filesystem::path& file) {
    std::vector<CsvRecord> records;
    std::istringstream lines(runCommand("midicsv '" + file.string() + "' 2>/dev/null"));
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> parts;
        size_t start = 0;
        for (size_t comma; (comma = line.find(", ", start)) != std::string::npos; start = comma + 2)
            parts.push_back(line.substr(start, comma - start));
        parts.push_back(line.substr(start));
        if (parts.size() < 3)
            continue;
        CsvRecord record;
        record.track = std::stoi(parts[0]);
        record.tick = std::stoll(parts[1]);
        record.type = parts[2];
        record.fields.assign(parts.begin() + 3, parts.end());
        records.push_back(std::move(record));
    }
    return records;
}

// Writes a MIDI file from CSV text with csvmidi; returns its exit status.
inline int runCsvmidi(const std::string& csv, const std::filesystem::path& out) {
    const std::filesystem::path csvPath = out.string() + ".csv";
    {
        FILE* f = std::fopen(csvPath.c_str(), "w");
        std::fwrite(csv.data(), 1, csv.size(), f);
        std::fclose(f);
    }
    int status = -1;
    runCommand("csvmidi '" + csvPath.string() + "' '" + out.string() + "' 2>&1", &status);
    return status;
}

} // namespace sarvo::sound::testing
