#pragma once

#include <string>

namespace mirel::files {

// Writes the bytes to a temporary file beside `path` and renames it over
// `path`, so that a failed save leaves the old file as it was. A read-only
// target is refused. On failure `error` is "Cannot save NAME: REASON".
bool writeFileSafely(const std::string& path, const std::string& bytes, std::string& error);

} // namespace mirel::files
