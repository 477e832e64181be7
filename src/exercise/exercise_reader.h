#pragma once

#include "exercise.h"

#include <optional>
#include <string>
#include <string_view>

namespace mirel::exercise {

// Reads an exercise file's text. On a fault the result is empty and `error`
// says where and what, as "line 7: ...".
std::optional<Exercise> readExercise(std::string_view text, std::string& error);

// The same for a file; `error` then starts with its path.
std::optional<Exercise> readExerciseFile(const std::string& path, std::string& error);

// The extension exercise files carry, with its dot.
inline constexpr const char* exerciseExtension = ".mrx";

} // namespace mirel::exercise
