#pragma once

#include <QIcon>

class QPainter;
class QRectF;

namespace mirel::shell {

// The program's images, drawn in code instead of shipped as files.

// The two lamp pictures, lit and dark, drawn into a square of any size.
void paintLamp(QPainter& p, const QRectF& area, bool lit);
QIcon makeWindowIcon();
QIcon makeNewProgramIcon();

} // namespace mirel::shell
