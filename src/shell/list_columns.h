#pragma once

#include <QLabel>
#include <QStringList>
#include <QStyledItemDelegate>

#include <vector>

class QFontMetrics;
class QListView;

namespace mirel::shell {

class RowListView;

// The columns of a list whose lines are fields separated by tabs: each column
// starts where the one before ends, as wide as its heading or its widest
// possible field, whichever is wider, so that the columns and their headings
// follow the font at every zoom instead of fixed tab stops.
class ListColumns {
public:
    struct Column {
        QString heading;
        QStringList widest; // the texts the column may hold at their widest
    };
    ListColumns() = default;
    // `splitAtBlanks`: blanks part fields as tabs do.
    ListColumns(std::vector<Column> columns, bool splitAtBlanks)
        : columns_(std::move(columns)), splitAtBlanks_(splitAtBlanks) {}

    bool isEmpty() const { return columns_.empty(); }
    int count() const { return static_cast<int>(columns_.size()); }
    QString heading(int column) const { return columns_.at(std::size_t(column)).heading; }
    // Where each column starts, from the start of the first.
    QList<int> starts(const QFontMetrics& metrics) const;
    // From the start of the first column to the end of the widest text of the last.
    int width(const QFontMetrics& metrics) const;
    // A line's fields, column by column.
    QStringList fields(const QString& line) const;
    // The widest text of each column, joined by `between`.
    QString widestLine(const QFontMetrics& metrics, const QString& between) const;

    // The program list and the register list.
    static ListColumns program(const QString& headings);
    static ListColumns registers(const QString& headings);

private:
    int columnWidth(const QFontMetrics& metrics, std::size_t column) const;
    std::vector<Column> columns_;
    bool splitAtBlanks_ = false;
};

// Draws a list's lines field by field at its columns (the view's
// RowListView::columns()); a list without columns draws its lines whole.
class ColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Each field of the line in the row `option.rect`, as wide as its text.
    QList<QRect> fieldRects(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    // The blank before the first column: the margin the style leaves, and
    // what a subclass draws there.
    int textIndent(const QStyleOptionViewItem& option) const;

protected:
    virtual int leftInset(const QFont&) const { return 0; }

private:
    const RowListView* columnView(const QStyleOptionViewItem& option) const;
};

// A list's heading: the caption's words, each over its column of the list.
// The caption stays the label's text, for the screen reader.
class ColumnHeading final : public QLabel {
    Q_OBJECT
public:
    ColumnHeading(QListView& list, QWidget* parent);
    // Where each word is drawn, in the heading's coordinates.
    QList<QRect> wordRects() const;
    QListView& list() const { return list_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QListView& list_;
};

// Steps the list's font (and its heading's) down from its zoomed size until
// its columns fit beside the vertical scroll bar; true if it had to.
bool fitColumnsToList(QListView& list, QWidget* heading);

} // namespace mirel::shell
