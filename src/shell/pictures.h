#pragma once

#include "painted_picture.h"

#include <QIcon>

class QPainter;
class QRectF;

namespace mirel::shell {

// The program's images, drawn rather than shipped as files.

// The two lamp pictures, lit and dark, drawn into a square of any size.
void paintLamp(QPainter& p, const QRectF& area, bool lit);
QIcon makeWindowIcon();
// The toolbar icon of the button with this key ("New", "Open", "Save").
QIcon makeToolbarIcon(const QString& key);

// A chip with a lit lamp: the window icon and the About dialog's logo.
void paintChip(QPainter& p, const QRectF& area);
// Faint circuit traces on black, behind the main window's controls.
void paintBackground(QPainter& p, const QRectF& area);

} // namespace mirel::shell
