#include "file_bytes.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirel::files {

namespace {
// Closes the file on every way out of the reader.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { ::close(fd_); }

private:
    int fd_;
};
} // namespace

std::optional<std::string> readFileBytes(const std::string& path, std::string& error) {
    const auto fail = [&](const std::string& reason) {
        error = "Cannot open " + path + ": " + reason;
        return std::nullopt;
    };
    // Non-blocking, so that a named pipe without a writer cannot hang the
    // window; anything that is not a regular file is refused before a read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(std::strerror(errno));
    const FileDescriptor in(fd);
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return fail(std::strerror(errno));
    if (S_ISDIR(status.st_mode))
        return fail(std::strerror(EISDIR));
    if (!S_ISREG(status.st_mode))
        return fail("not a regular file");
    if (static_cast<unsigned long long>(status.st_size) > maxProgramFileBytes) {
        error = path + " is too large to be a program.";
        return std::nullopt;
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(std::strerror(errno));
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
        // A file that grows while it is read is judged by what it became.
        if (content.size() > maxProgramFileBytes) {
            error = path + " is too large to be a program.";
            return std::nullopt;
        }
    }
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
