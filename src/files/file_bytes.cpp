#include "file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace mirel::files {

std::optional<std::string> readFileBytes(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Cannot open " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        error = "Cannot read " + path;
        return std::nullopt;
    }
    return content.str();
}

std::vector<std::string> linesUpToFirstEmpty(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", pos);
        std::string line =
            bytes.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (line.empty())
            break;
        lines.push_back(std::move(line));
        if (end == std::string::npos)
            break;
        pos = end + 1;
        if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return lines;
}

} // namespace mirel::files
