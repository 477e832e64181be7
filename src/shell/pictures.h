#pragma once

#include "control_bindings.h"

#include <QIcon>

namespace mirel::shell {

// The program's images, drawn at start-up instead of shipped as files.
LampPictures makeLampPictures(int size);
QIcon makeWindowIcon();
QIcon makeNewProgramIcon();

} // namespace mirel::shell
