#include "batch_save.h"

#include "files/save_program.h"

#include <ostream>

namespace mirel::batch {

bool saveAsAsked(const BatchOptions& options, state::MainForm& form, std::ostream& err) {
    if (!options.saveKind)
        return true;
    std::string error;
    if (files::saveProgram(form, *options.saveKind, options.saveTo, error))
        return true;
    err << "mirelsim-batch: " << error << '\n';
    return false;
}

} // namespace mirel::batch
