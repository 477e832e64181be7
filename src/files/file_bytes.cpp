#include "file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace mirel::files {

std::optional<std::string> readFileBytes(const std::string& path, std::string& error) {
    const auto fail = [&](int code) {
        error = "Cannot open " + path + ": " + std::strerror(code);
        return std::nullopt;
    };
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return fail(EISDIR);
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return fail(errno);
    std::string content;
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        content.append(buffer, got);
    const int readError = std::ferror(in) ? errno : 0;
    std::fclose(in);
    if (readError != 0)
        return fail(readError);
    return content;
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
