#include "step_trace.h"

#include "state/register_file.h"

#include <algorithm>

namespace mirel::timeline {

std::vector<TraceColumn> defaultColumns() {
    return {{"PORTA", state::PORTA, 'A'}, {"PORTB", state::PORTB, 'B'}, {"W", -1, 0}};
}

void StepTrace::restart(long long position) {
    first_ = position;
    values_.clear();
    cycles_.clear();
    lines_.clear();
}

void StepTrace::append(long long cycles, int nextLine, const std::uint8_t* values) {
    values_.insert(values_.end(), values, values + columns_.size());
    cycles_.push_back(cycles);
    lines_.push_back(nextLine);
}

void StepTrace::cutFrom(long long position) {
    if (position >= end())
        return;
    const std::size_t keep = position <= first_ ? 0 : row(position);
    values_.resize(keep * columns_.size());
    cycles_.resize(keep);
    lines_.resize(keep);
}

void StepTrace::dropBefore(long long position) {
    if (position <= first_)
        return;
    if (position >= end()) {
        restart(position);
        return;
    }
    const std::size_t drop = row(position);
    values_.erase(values_.begin(),
                  values_.begin() + static_cast<std::ptrdiff_t>(drop * columns_.size()));
    cycles_.erase(cycles_.begin(), cycles_.begin() + static_cast<std::ptrdiff_t>(drop));
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(drop));
    first_ = position;
}

} // namespace mirel::timeline
