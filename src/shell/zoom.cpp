#include "zoom.h"

#include <QFrame>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace mirel::shell {

namespace {
constexpr const char* baseRect = "zoomBaseRect";
constexpr const char* basePoints = "zoomBasePoints";

int scaled(int pixels, double percent) {
    return static_cast<int>(std::lround(pixels * percent / 100.0));
}

// A control's place and font at 100%, taken before any control is scaled:
// a control that inherits its font from a frame would otherwise take the
// frame's scaled font for its own.
void recordActualSize(QWidget& widget) {
    if (!widget.property(baseRect).isValid()) {
        widget.setProperty(baseRect, widget.geometry());
        widget.setProperty(basePoints, widget.font().pointSizeF());
    }
}

void zoomOne(QWidget& widget, double percent) {
    const QRect base = widget.property(baseRect).toRect();
    // Edges from scaled edges, so that neighbours keep meeting exactly.
    const int left = scaled(base.left(), percent);
    const int top = scaled(base.top(), percent);
    widget.setGeometry(left, top, scaled(base.left() + base.width(), percent) - left,
                       scaled(base.top() + base.height(), percent) - top);
    QFont font = widget.font();
    font.setPointSizeF(widget.property(basePoints).toReal() * percent / 100.0);
    widget.setFont(font);
}

// The frames that group controls; lists and boxes lay out their own parts.
bool isGroupFrame(const QWidget& widget) {
    return widget.metaObject() == &QFrame::staticMetaObject;
}
} // namespace

int nextZoom(int percent, int direction) {
    if (direction > 0) {
        const auto* up = std::upper_bound(std::begin(zoomSteps), std::end(zoomSteps), percent);
        return up == std::end(zoomSteps) ? zoomSteps[std::size(zoomSteps) - 1] : *up;
    }
    const auto* down = std::lower_bound(std::begin(zoomSteps), std::end(zoomSteps), percent);
    return down == std::begin(zoomSteps) ? zoomSteps[0] : *(down - 1);
}

int readZoom(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0')
        return actualSize;
    const bool isStep =
        std::find(std::begin(zoomSteps), std::end(zoomSteps), value) != std::end(zoomSteps);
    return isStep ? static_cast<int>(value) : actualSize;
}

int largestFittingStep(int wanted, const std::function<QSize(int)>& clientAt, QSize area) {
    for (auto step = std::rbegin(zoomSteps); step != std::rend(zoomSteps); ++step) {
        const QSize client = clientAt(*step);
        if (*step <= wanted && client.width() <= area.width() && client.height() <= area.height())
            return *step;
    }
    return zoomSteps[0];
}

double fillingZoom(QSize base, QSize area) {
    if (base.isEmpty())
        return actualSize;
    const double across = static_cast<double>(area.width()) / base.width();
    const double down = static_cast<double>(area.height()) / base.height();
    // Down to a tenth, so that the scaled layout never exceeds the area.
    return std::floor(std::min(across, down) * 1000.0) / 10.0;
}

void zoomFont(QWidget& widget, double percent) {
    if (!widget.property(basePoints).isValid())
        widget.setProperty(basePoints, widget.font().pointSizeF());
    QFont font = widget.font();
    font.setPointSizeF(widget.property(basePoints).toReal() * percent / 100.0);
    widget.setFont(font);
}

QSize actualLayoutSize(const QWidget& canvas) {
    const QVariant base = canvas.property(baseRect);
    return base.isValid() ? base.toRect().size() : canvas.size();
}

void zoomControls(QWidget& canvas, double percent) {
    if (!canvas.property(baseRect).isValid())
        canvas.setProperty(baseRect, QRect(QPoint(), canvas.size()));
    const QSize base = actualLayoutSize(canvas);
    canvas.setFixedSize(scaled(base.width(), percent), scaled(base.height(), percent));
    QList<QWidget*> controls;
    for (QWidget* control : canvas.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        controls << control;
        if (isGroupFrame(*control))
            controls << control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    }
    for (QWidget* control : controls)
        recordActualSize(*control);
    for (QWidget* control : controls)
        zoomOne(*control, percent);
}

} // namespace mirel::shell
