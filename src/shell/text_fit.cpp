#include "text_fit.h"

#include "list_columns.h"
#include "row_list_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <functional>

namespace mirel::shell {

namespace {

// A wrapping label's font size as the zoom made it, before it was fitted.
constexpr const char* zoomedPoints = "fitZoomedPoints";

// The blanks the entry line shows for a tab.
const QString entryTab = QStringLiteral("     ");

// A quarter point at a time: the metrics of a hinted font do not scale evenly.
void shrinkUntil(QWidget& widget, const std::function<bool(const QFontMetrics&)>& fits) {
    QFont font = widget.font();
    bool shrunk = false;
    while (!fits(QFontMetrics(font)) && font.pointSizeF() > 1.5) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        shrunk = true;
    }
    if (shrunk)
        widget.setFont(font);
}

// The room for text in a line edit: its margins and the caret's pixel.
int lineEditRoom(int fieldWidth) {
    return fieldWidth - 2 * 2 - 1;
}

void fitEntryLine(QComboBox& box, const ListColumns& program) {
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = true;
    option.frame = true;
    const int room = lineEditRoom(
        box.style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box)
            .width());
    shrinkUntil(box, [&](const QFontMetrics& metrics) {
        return metrics.horizontalAdvance(program.widestLine(metrics, entryTab)) <= room;
    });
}

void fitControl(QWidget& control) {
    const QStyle* style = control.style();
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        if (label->wordWrap()) {
            label->setProperty(zoomedPoints, label->font().pointSizeF());
            fitWrappedLabel(*label);
            return;
        }
        if (label->text().isEmpty() || dynamic_cast<ColumnHeading*>(label))
            return;
        const int room = label->contentsRect().width() - 2 * label->margin() - label->indent();
        shrinkUntil(control, [&](const QFontMetrics& m) {
            return m.horizontalAdvance(label->text()) <= room;
        });
    } else if (auto* button = qobject_cast<QPushButton*>(&control)) {
        const int room = button->width() -
                         2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) -
                         style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        shrinkUntil(control, [&](const QFontMetrics& m) {
            return m.horizontalAdvance(button->text()) <= room;
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(&control)) {
        const int room = check->width() -
                         style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check) -
                         style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, check);
        shrinkUntil(control, [&](const QFontMetrics& m) {
            return m.horizontalAdvance(check->text()) <= room;
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        // W: two hexadecimal digits, the widest there are.
        const int room = lineEditRoom(
            edit->width() - 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit));
        shrinkUntil(control, [&](const QFontMetrics& m) {
            int widest = 0;
            for (QChar digit : QStringLiteral("0123456789ABCDEF"))
                widest = std::max(widest, m.horizontalAdvance(digit));
            return 2 * widest <= room;
        });
    }
}

} // namespace

void fitWrappedLabel(QLabel& label) {
    // Only once the zoom has set its size, which it records as its own.
    const QVariant zoomed = label.property(zoomedPoints);
    if (!zoomed.isValid())
        return;
    if (zoomed.toReal() != label.font().pointSizeF()) {
        QFont font = label.font();
        font.setPointSizeF(zoomed.toReal());
        label.setFont(font);
    }
    const QRect room = label.contentsRect().adjusted(label.margin(), label.margin(),
                                                     -label.margin(), -label.margin());
    shrinkUntil(label, [&](const QFontMetrics& m) {
        return m.boundingRect(QRect(0, 0, room.width(), 1 << 16), Qt::TextWordWrap, label.text())
                   .height() <= room.height();
    });
}

void keepTextsWhole(QWidget& canvas) {
    for (ColumnHeading* heading : canvas.findChildren<ColumnHeading*>())
        fitColumnsToList(heading->list(), heading);
    auto* code = canvas.findChild<RowListView*>(QStringLiteral("Code"));
    auto* counter = canvas.findChild<QComboBox*>(QStringLiteral("Counter"));
    if (code && counter)
        fitEntryLine(*counter, code->columns());
    for (QWidget* control : canvas.findChildren<QWidget*>()) {
        // The lists' and boxes' own parts are theirs to lay out.
        const QWidget* parent = control->parentWidget();
        if (parent == &canvas || (parent && parent->metaObject() == &QFrame::staticMetaObject &&
                                  parent->parentWidget() == &canvas))
            fitControl(*control);
    }
}

} // namespace mirel::shell
