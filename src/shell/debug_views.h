#pragma once

#include "debug/breakpoints.h"
#include "debug/debugger.h"
#include "list_columns.h"

#include <QColor>
#include <QStyledItemDelegate>

namespace mirel::shell {

// The colour behind register lines and W that the last step changed.
QColor changeHighlight();

// The program list's rows with a margin at the left, where a line with a
// breakpoint carries a red marker and a line that is no instruction an
// orange warning; the text itself is drawn in its columns.
class BreakpointMargin final : public ColumnDelegate {
public:
    // A mark's size: as many pixels as the list's font has points, so that
    // the marks grow with the zoom (12 at 100%); the margin holds one.
    static int markSize(const QFont& font);
    BreakpointMargin(const debug::Breakpoints& marks, const debug::Breakpoints& warnings,
                     QObject* parent)
        : ColumnDelegate(parent), marks_(marks), warnings_(warnings) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    int leftInset(const QFont& font) const override { return markSize(font); }

private:
    const debug::Breakpoints& marks_;
    const debug::Breakpoints& warnings_;
};

// Register rows that the last step changed, on the highlight colour.
class ChangedRows final : public ColumnDelegate {
public:
    ChangedRows(const debug::Debugger& debugger, QObject* parent)
        : ColumnDelegate(parent), debugger_(debugger) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const debug::Debugger& debugger_;
};

} // namespace mirel::shell
