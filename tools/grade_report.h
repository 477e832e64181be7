#pragma once

#include "exercise/exercise.h"
#include "exercise/grading.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirel::batch {

enum class ReportFormat { Csv, Json, JunitXml };

// The format a report's name asks for: .csv, .json or .xml, in any case.
std::optional<ReportFormat> reportFormatOf(std::string_view name);

struct GradedFile {
    std::string name;
    exercise::Grade grade;
};

// Every check of every file, hidden ones too, in the format asked for.
std::string gradeReport(ReportFormat format, const exercise::Exercise& exercise,
                        const std::vector<GradedFile>& files);

} // namespace mirel::batch
