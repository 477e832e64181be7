#include "batch_trace.h"

#include "batch_options.h"
#include "files/safe_save.h"
#include "parts/model.h"
#include "state/main_form.h"
#include "timeline/trace_export.h"

#include <ostream>
#include <sstream>

namespace mirel::batch {

bool writeTrace(const std::string& path, const timeline::StepTrace& trace,
                const state::MainForm& form, std::ostream& err) {
    std::ostringstream text;
    if (traceKind(path) == 'v') {
        timeline::writeVcd(text, trace, parts::modelName(form.model));
    } else {
        timeline::writeCsv(text, trace, timeline::addressesOf(form.Code));
    }
    std::string error;
    if (!files::writeFileSafely(path, text.str(), error)) {
        err << "mirelsim-batch: " << error << '\n';
        return false;
    }
    return true;
}

} // namespace mirel::batch
