#include "trace_export.h"

#include "asm/line_text.h"
#include "state/hex_text.h"
#include "state/text_list.h"

#include <ostream>

namespace mirel::timeline {

LineAddress addressesOf(const state::TextList& code) {
    return [&code](int line) {
        if (!code.validIndex(line))
            return std::string();
        const std::string& text = code.line(line);
        return assembler::startsWithAddress(text) ? text.substr(0, 4) : std::string();
    };
}

void writeCsv(std::ostream& out, const StepTrace& trace, const LineAddress& address) {
    out << "step,cycles,time_us,next";
    for (const TraceColumn& column : trace.columns())
        out << ',' << column.name;
    out << '\n';
    for (long long p = trace.first(); p < trace.end(); ++p) {
        const long long cycles = trace.cycles(p);
        out << p << ',' << cycles << ',' << cycles << ',' << address(trace.nextLine(p));
        const std::uint8_t* row = trace.values(p);
        for (std::size_t c = 0; c < trace.columns().size(); ++c)
            out << ',' << state::hex2(row[c]);
        out << '\n';
    }
}

} // namespace mirel::timeline
