// A Value Change Dump as waveform viewers read it: a header naming every
// signal, its values at time 0, then at each later time the signals that changed.
// Time is in instruction cycles, a microsecond each at 4 MHz.
#include "trace_export.h"

#include <ostream>
#include <string>
#include <vector>

namespace mirel::timeline {

namespace {

// A signal of the dump: a pin of a port column, or a whole column.
struct Signal {
    std::string name;
    std::string code; // the dump's short name for it
    std::size_t column;
    int bit; // -1: the whole byte
};

std::string codeFor(std::size_t n) {
    // Letters and digits only: some readers take '$' or '#' for the syntax's own.
    static constexpr std::string_view digits =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string code;
    do {
        code += digits[n % digits.size()];
        n /= digits.size();
    } while (n != 0);
    return code;
}

std::string scopeName(std::string_view model) {
    std::string name;
    for (char c : model)
        name += c == ' ' ? '_' : c;
    return name;
}

void writeBinary(std::ostream& out, long long value, int width) {
    out << 'b';
    for (int bit = width - 1; bit >= 0; --bit)
        out << ((value >> bit) & 1 ? '1' : '0');
}

void writeValue(std::ostream& out, const Signal& s, const std::uint8_t* row) {
    const int byte = row[s.column];
    if (s.bit >= 0)
        out << ((byte >> s.bit) & 1) << s.code << '\n';
    else {
        writeBinary(out, byte, 8);
        out << ' ' << s.code << '\n';
    }
}

bool changed(const Signal& s, const std::uint8_t* row, const std::uint8_t* before) {
    const int now = row[s.column], was = before[s.column];
    return s.bit >= 0 ? ((now ^ was) >> s.bit & 1) != 0 : now != was;
}

} // namespace

void writeVcd(std::ostream& out, const StepTrace& trace, std::string_view model) {
    std::vector<Signal> signals;
    for (std::size_t c = 0; c < trace.columns().size(); ++c) {
        const TraceColumn& column = trace.columns()[c];
        if (column.pins != 0) {
            for (int bit = 0; bit < 8; ++bit)
                signals.push_back({std::string("R") + column.pins + std::to_string(bit),
                                   codeFor(signals.size()), c, bit});
        } else {
            signals.push_back({column.name, codeFor(signals.size()), c, -1});
        }
    }
    out << "$version Mirelsim $end\n$timescale 1us $end\n$scope module " << scopeName(model)
        << " $end\n";
    for (const Signal& s : signals)
        out << "$var wire " << (s.bit >= 0 ? 1 : 8) << ' ' << s.code << ' ' << s.name << " $end\n";
    out << "$upscope $end\n$enddefinitions $end\n";
    if (trace.empty())
        return;
    const long long start = trace.cycles(trace.first());
    out << "#0\n$dumpvars\n";
    for (const Signal& s : signals)
        writeValue(out, s, trace.values(trace.first()));
    out << "$end\n";
    long long shownTime = 0;
    for (long long p = trace.first() + 1; p < trace.end(); ++p) {
        // Steps the part slept through, or lines without an instruction,
        // take no time: their changes join those of the step before.
        const long long time = trace.cycles(p) - start;
        const std::uint8_t* row = trace.values(p);
        const std::uint8_t* before = trace.values(p - 1);
        for (const Signal& s : signals) {
            if (!changed(s, row, before))
                continue;
            if (time != shownTime) {
                out << '#' << time << '\n';
                shownTime = time;
            }
            writeValue(out, s, row);
        }
    }
}

} // namespace mirel::timeline
