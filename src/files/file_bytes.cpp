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

std::vector<std::string_view> fieldsUpToFirstEmpty(std::string_view bytes,
                                                   std::string_view alsoEnds, bool skipBlanks) {
    const std::string ends = "\r\n" + std::string(alsoEnds);
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        while (skipBlanks && pos < bytes.size() && bytes[pos] == ' ')
            ++pos;
        const std::size_t end = bytes.find_first_of(ends, pos);
        const std::string_view field =
            bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (field.empty())
            break;
        fields.push_back(field);
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
        if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return fields;
}

std::vector<std::string> linesUpToFirstEmpty(const std::string& bytes) {
    const auto lines = fieldsUpToFirstEmpty(bytes, "", false);
    return {lines.begin(), lines.end()};
}

} // namespace mirel::files
