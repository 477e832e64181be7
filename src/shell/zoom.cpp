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

int scaled(int pixels, int percent) {
    return static_cast<int>(std::lround(pixels * percent / 100.0));
}

void zoomOne(QWidget& widget, int percent) {
    if (!widget.property(baseRect).isValid()) {
        widget.setProperty(baseRect, widget.geometry());
        widget.setProperty(basePoints, widget.font().pointSizeF());
    }
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

void zoomControls(QWidget& canvas, int percent) {
    if (!canvas.property(baseRect).isValid())
        canvas.setProperty(baseRect, QRect(QPoint(), canvas.size()));
    const QSize base = canvas.property(baseRect).toRect().size();
    canvas.setFixedSize(scaled(base.width(), percent), scaled(base.height(), percent));
    for (QWidget* control : canvas.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        zoomOne(*control, percent);
        if (isGroupFrame(*control))
            for (QWidget* inner : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                zoomOne(*inner, percent);
    }
}

} // namespace mirel::shell
