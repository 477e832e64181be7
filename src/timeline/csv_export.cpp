#include "state/hex_text.h"
#include "trace_export.h"

#include <ostream>

namespace mirel::timeline {

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
