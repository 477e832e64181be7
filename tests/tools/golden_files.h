#pragma once

// Reading the recorded files of tests/golden_runs, shared by the tests that
// replay them.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace mirel::batch::golden {

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + 1)
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

inline std::string join(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text.append(i ? separator : "").append(parts[i]);
    return text;
}

// The random programs, NNN.txt, in the order of their numbers.
inline std::vector<std::filesystem::path> programsIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> programs;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string stem = entry.path().stem().string();
        const bool numbered = !stem.empty() && std::all_of(stem.begin(), stem.end(), [](char c) {
            return c >= '0' && c <= '9';
        });
        if (numbered && entry.path().extension() == ".txt")
            programs.push_back(entry.path());
    }
    std::sort(programs.begin(), programs.end());
    return programs;
}

} // namespace mirel::batch::golden
