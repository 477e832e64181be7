#pragma once

#include "exercise/grading.h"

#include <string>
#include <vector>

namespace mirel::shell {

// One check as the Exercise window lists it.
struct GradeRow {
    bool passed = false;
    std::string check;   // the check as the exercise file writes it
    std::string outcome; // "expected 3C, got 3C"
    std::string message; // what the learner reads; only for a failed check
};

// A grade in the words the Exercise window shows. Hidden checks count in the
// verdict, which is the grade's own, so that window and batch agree; the
// rows and the counts shown leave them out.
struct GradeReport {
    std::string verdict;        // "Passed: 4 of 4 checks", "Not a program: ..."
    std::vector<GradeRow> rows; // the checks the learner may see, in order
    std::string hiddenFailure;  // when only hidden checks failed; else empty
    std::string messages;       // the run's message boxes; empty for none
};

GradeReport reportGrade(const exercise::Grade& grade);

} // namespace mirel::shell
