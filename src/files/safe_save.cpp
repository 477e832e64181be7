#include "safe_save.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirel::files {

namespace {

namespace fs = std::filesystem;

// Links followed before a chain counts as a loop, as the system counts them.
constexpr int maxLinks = 40;

// The file a save lands in: a symbolic link is saved through to its target,
// so the link stays a link and the file it names gets the program.
bool resolveLinks(fs::path& path, int& error) {
    for (int hops = 0; hops < maxLinks; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return true;
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) {
            error = ec.value();
            return false;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    error = ELOOP;
    return false;
}

// A name for the temporary file beside the target that fits the folder's
// name limit, however long the target's own name is.
std::string temporaryName(const fs::path& target, std::mt19937_64& random) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = NAME_MAX;
    static constexpr char digits[] = "0123456789abcdef";
    std::string suffix = ".save-";
    for (std::uint64_t bits = random(), i = 0; i < 8; ++i, bits >>= 4)
        suffix += digits[bits & 15];
    std::string stem = target.filename().string();
    const std::size_t room = static_cast<std::size_t>(limit) - suffix.size() - 1;
    if (stem.size() > room)
        stem.resize(room);
    return "." + stem + suffix;
}

// A new file beside the target, created exclusively so that no other file is hit.
int createTemporaryBeside(const fs::path& target, mode_t mode, fs::path& temporary) {
    std::random_device seed;
    std::mt19937_64 random((std::uint64_t{seed()} << 32) | seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = target;
        temporary.replace_filename(temporaryName(target, random));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

int writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            return errno;
        done += static_cast<std::size_t>(wrote);
    }
    // On the disk before the rename, so that a crash leaves the old file or
    // the new one, never an empty one.
    return ::fsync(fd) == 0 ? 0 : errno;
}

// The rename itself is on the disk once the folder is.
void syncFolder(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A file-size limit would otherwise end the program in the middle of a save,
// leaving the temporary file behind; ignored, the write fails with EFBIG and
// the save says so.
void writeErrorsInsteadOfFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

} // namespace

bool writeFileSafely(const std::string& path, const std::string& bytes, std::string& error) {
    const auto fail = [&](const std::string& reason) {
        error = "Cannot save " + path + ": " + reason;
        return false;
    };
    writeErrorsInsteadOfFileSizeSignal();
    // What the name stands for, through any links.
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    mode_t mode = 0666; // less the user's umask, as for any new file
    if (replacing) {
        if (S_ISDIR(old.st_mode))
            return fail(std::strerror(EISDIR));
        // A pipe or a device would be replaced by a plain file.
        if (!S_ISREG(old.st_mode))
            return fail("not a regular file");
        // Even a user allowed to replace it asked for this file to stay as it is.
        if ((old.st_mode & S_IWUSR) == 0)
            return fail(std::strerror(EACCES));
        mode = old.st_mode & 07777;
    }
    fs::path target(path);
    int linkError = 0;
    if (!resolveLinks(target, linkError))
        return fail(std::strerror(linkError));

    fs::path temporary;
    const int fd = createTemporaryBeside(target, mode, temporary);
    if (fd < 0)
        return fail(std::strerror(errno));
    if (replacing)
        ::fchmod(fd, mode); // the umask must not narrow the old file's permissions
    int reason = writeAll(fd, bytes);
    if (::close(fd) != 0 && reason == 0)
        reason = errno;
    if (reason == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        reason = errno;
    if (reason != 0) {
        ::unlink(temporary.c_str());
        return fail(std::strerror(reason));
    }
    syncFolder(target);
    return true;
}

} // namespace mirel::files
