#pragma once

#include "state/platform.h"
#include "system_tools.h"

#include <string>

namespace mirel::shell {

// Reads one registry value as text into KeyVal: a string up to its first NUL,
// a number as its decimal digits. False, with KeyVal empty, when the key or
// the value cannot be read; a value of another type leaves KeyVal alone.
bool GetKeyValue(SystemTools& tools, KeyRoot KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

// Starts the system-information tool found through the registry, or says in
// one message that it is unavailable.
void StartSysInfo(SystemTools& tools, state::MessageBoxService& messages);

} // namespace mirel::shell
