#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mirel::timeline {

// What one column of a trace follows: a register line of Reg, or W.
struct TraceColumn {
    std::string name; // as the window names it: "PORTA", "W", "TMR0", "20"
    int reg = -1;     // Reg's line index; -1 for W
    // The ports are shown and written as their eight pins, RA0-RA7 or RB0-RB7.
    char pins = 0; // 'A', 'B' or 0
};

// PORTA and PORTB as their pins, then W: what a timeline shows first.
std::vector<TraceColumn> defaultColumns();

// A stretch of the machine's history: for each position (steps taken since
// the history began) the columns' values after that many steps, the
// instruction cycles counted up to it and the line the next step executes.
class StepTrace {
public:
    explicit StepTrace(std::vector<TraceColumn> columns = defaultColumns())
        : columns_(std::move(columns)) {}

    const std::vector<TraceColumn>& columns() const { return columns_; }
    bool empty() const { return cycles_.empty(); }
    std::size_t size() const { return cycles_.size(); }
    // The position of the first row, and one past the last.
    long long first() const { return first_; }
    long long end() const { return first_ + static_cast<long long>(size()); }
    bool holds(long long position) const { return position >= first_ && position < end(); }

    // Forgets every row; the next one appended is at `position`.
    void restart(long long position);
    // The row at end(): the columns' values in their order.
    void append(long long cycles, int nextLine, const std::uint8_t* values);
    // Drops the rows at and after `position`.
    void cutFrom(long long position);
    // Drops the rows before `position`.
    void dropBefore(long long position);

    std::uint8_t value(long long position, std::size_t column) const {
        return values_[row(position) * columns_.size() + column];
    }
    const std::uint8_t* values(long long position) const {
        return values_.data() + row(position) * columns_.size();
    }
    long long cycles(long long position) const { return cycles_[row(position)]; }
    // The line selected after that many steps: the one the step after it
    // executes; -1 when no line is selected.
    int nextLine(long long position) const { return lines_[row(position)]; }

private:
    std::size_t row(long long position) const {
        return static_cast<std::size_t>(position - first_);
    }

    std::vector<TraceColumn> columns_;
    long long first_ = 0;
    std::vector<std::uint8_t> values_; // a row after another
    std::vector<long long> cycles_;
    std::vector<int> lines_;
};

} // namespace mirel::timeline
