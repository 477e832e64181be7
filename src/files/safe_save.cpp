#include "safe_save.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace mirel::files {

namespace {

namespace fs = std::filesystem;

// A new file beside the target, opened exclusively so that no other file is hit.
std::FILE* createTemporaryBeside(const fs::path& target, fs::path& temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = target;
        temporary.replace_filename("." + target.filename().string() + ".save-" +
                                   std::to_string(random()));
        if (std::FILE* file = std::fopen(temporary.c_str(), "wbx"))
            return file;
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

bool readOnly(const fs::file_status& status) {
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

} // namespace

bool writeFileSafely(const std::string& path, const std::string& bytes, std::string& error) {
    const auto fail = [&](const std::string& reason) {
        error = "Cannot save " + path + ": " + reason;
        return false;
    };
    const fs::path target(path);
    std::error_code ec;
    const fs::file_status old = fs::status(target, ec);
    if (fs::is_directory(old))
        return fail(std::strerror(EISDIR));
    // Even a user allowed to replace it asked for this file to stay as it is.
    const bool replacing = fs::exists(old);
    if (replacing && readOnly(old))
        return fail(std::strerror(EACCES));

    fs::path temporary;
    std::FILE* out = createTemporaryBeside(target, temporary);
    if (!out)
        return fail(std::strerror(errno));
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0;
    const int writeError = errno;
    if (std::fclose(out) != 0 || !written) {
        const int reason = written ? errno : writeError;
        fs::remove(temporary, ec);
        return fail(std::strerror(reason));
    }
    if (replacing)
        fs::permissions(temporary, old.permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return fail(ec.message());
    }
    return true;
}

} // namespace mirel::files
