#pragma once

#include "state/main_form.h"
#include "state/platform.h"

#include <string>
#include <vector>

namespace mirel::bench {

// A main form after New, with `lines` as its program (addresses 0000 upward).
void loadProgram(state::MainForm& form, const std::vector<std::string>& instructions);

std::vector<std::string> repeated(const std::string& instruction, int count);

class SilentMessages final : public state::MessageBoxService {
public:
    void show(const std::string&, const std::string&, state::MessageIcon) override {}
};

} // namespace mirel::bench
