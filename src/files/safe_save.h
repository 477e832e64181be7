#pragma once

#include <string>

namespace mirel::files {

// Writes the bytes to a temporary file beside `path`, puts them on the disk
// and renames the file over `path`, so that a failed save (a full disk, a
// file-size limit, a crash) leaves the old file as it was and no temporary
// file. A symbolic link is saved through to the file it names. A read-only
// target, and one that is not a regular file (a pipe, a device), is refused.
// On failure `error` is "Cannot save NAME: REASON".
bool writeFileSafely(const std::string& path, const std::string& bytes, std::string& error);

} // namespace mirel::files
