#include "list_columns.h"

#include "asm/instruction_table.h"
#include "row_list_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListView>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>

#include <algorithm>

namespace mirel::shell {

namespace {

QStringList words(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Every hexadecimal digit `count` times over: the widest of them is the widest number.
QStringList hexNumbers(int count) {
    QStringList numbers;
    for (QChar digit : QStringLiteral("0123456789ABCDEF"))
        numbers << QString(count, digit);
    return numbers;
}

QStringList mnemonics() {
    QStringList names;
    for (const auto& form : assembler::instructionSet())
        if (form.mnemonic.size() == 3)
            names << QString::fromLatin1(form.mnemonic.data(), 3);
    return names;
}

// The gap between two columns: one digit, as a blank would look too narrow
// between a digit and a letter.
int gapWidth(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(QLatin1Char('0'));
}

} // namespace

// The list whose columns the rows are drawn in: the one drawing, else the
// one the delegate belongs to.
const RowListView* ColumnDelegate::columnView(const QStyleOptionViewItem& option) const {
    if (const auto* view = qobject_cast<const RowListView*>(option.widget))
        return view;
    return qobject_cast<const RowListView*>(parent());
}

int ListColumns::columnWidth(const QFontMetrics& metrics, std::size_t column) const {
    const Column& c = columns_[column];
    int width = metrics.horizontalAdvance(c.heading);
    for (const QString& text : c.widest)
        width = std::max(width, metrics.horizontalAdvance(text));
    return width;
}

QList<int> ListColumns::starts(const QFontMetrics& metrics) const {
    QList<int> starts;
    int x = 0;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        starts << x;
        x += columnWidth(metrics, i) + gapWidth(metrics);
    }
    return starts;
}

int ListColumns::width(const QFontMetrics& metrics) const {
    if (columns_.empty())
        return 0;
    return starts(metrics).last() + columnWidth(metrics, columns_.size() - 1);
}

QStringList ListColumns::fields(const QString& line) const {
    if (splitAtBlanks_)
        return words(line);
    return line.split(QLatin1Char('\t'));
}

QString ListColumns::widestLine(const QFontMetrics& metrics, const QString& between) const {
    QStringList widest;
    for (const Column& c : columns_)
        widest << *std::max_element(
            c.widest.begin(), c.widest.end(), [&](const QString& a, const QString& b) {
                return metrics.horizontalAdvance(a) < metrics.horizontalAdvance(b);
            });
    return widest.join(between);
}

// A program line: address, mnemonic and operand between tabs; an operand may
// hold a blank ("0C W").
ListColumns ListColumns::program(const QString& headings) {
    const QStringList names = words(headings);
    QStringList operands = hexNumbers(4);
    operands << QStringLiteral("FF,7") << QStringLiteral("FF W") << QStringLiteral("FF H");
    return ListColumns({{names.value(0), hexNumbers(4)},
                        {names.value(1), mnemonics()},
                        {names.value(2), operands}},
                       false);
}

// A register line: address, a tab, the value, blanks and the bits.
ListColumns ListColumns::registers(const QString& headings) {
    const QStringList names = words(headings);
    return ListColumns({{names.value(0), hexNumbers(4)},
                        {names.value(1), hexNumbers(2)},
                        {names.value(2), {QStringLiteral("00000000"), QStringLiteral("11111111")}}},
                       true);
}

int ColumnDelegate::textIndent(const QStyleOptionViewItem& option) const {
    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    return leftInset(option.font) +
           style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
}

QList<QRect> ColumnDelegate::fieldRects(const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QList<QRect> rects;
    const RowListView* view = columnView(option);
    if (!view)
        return rects;
    const ListColumns& columns = view->columns();
    const QFontMetrics metrics(option.font);
    const QList<int> starts = columns.starts(metrics);
    const int origin = option.rect.left() + textIndent(option);
    int next = origin;
    const QStringList fields = columns.fields(index.data(Qt::DisplayRole).toString());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        // A field past the last column follows the one before it.
        const int x = i < starts.size() ? std::max(next, origin + starts[i]) : next;
        const int width = metrics.horizontalAdvance(fields[i]);
        rects << QRect(x, option.rect.top(), width, option.rect.height());
        next = x + width + gapWidth(metrics);
    }
    return rects;
}

void ColumnDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.rect.setLeft(option.rect.left() + leftInset(option.font));
    const RowListView* view = columnView(option);
    if (!view || view->columns().isEmpty()) {
        QStyledItemDelegate::paint(painter, item, index);
        return;
    }
    // The style draws the row's face; the fields go at their columns.
    item.text.clear();
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                               : QPalette::Inactive;
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, (option.state & QStyle::State_Selected)
                                                    ? QPalette::HighlightedText
                                                    : QPalette::Text));
    const QStringList fields = view->columns().fields(index.data(Qt::DisplayRole).toString());
    const QList<QRect> rects = fieldRects(option, index);
    for (qsizetype i = 0; i < rects.size(); ++i)
        painter->drawText(rects[i], Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          fields[i]);
    painter->restore();
}

QSize ColumnDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem at = option;
    at.rect = QRect(0, 0, 0, size.height());
    const QList<QRect> rects = fieldRects(at, index);
    if (!rects.isEmpty())
        size.setWidth(rects.last().right() + 1);
    else if (!columnView(option))
        size.rwidth() += leftInset(option.font);
    return size;
}

ColumnHeading::ColumnHeading(QListView& list, QWidget* parent) : QLabel(parent), list_(list) {
    // It follows the list when the list scrolls sideways.
    connect(list_.horizontalScrollBar(), &QScrollBar::valueChanged, this,
            qOverload<>(&QWidget::update));
}

QList<QRect> ColumnHeading::wordRects() const {
    QList<QRect> rects;
    const auto* view = qobject_cast<const RowListView*>(&list_);
    const auto* delegate = dynamic_cast<const ColumnDelegate*>(list_.itemDelegate());
    if (!view || !delegate)
        return rects;
    QStyleOptionViewItem option;
    option.initFrom(&list_);
    option.widget = &list_;
    option.font = list_.font();
    const QPoint viewOrigin =
        list_.viewport()->mapTo(window(), QPoint(-list_.horizontalScrollBar()->value(), 0));
    const int origin =
        viewOrigin.x() - mapTo(window(), QPoint()).x() + delegate->textIndent(option);
    const QFontMetrics metrics(font());
    const QList<int> starts = view->columns().starts(metrics);
    int next = origin;
    const QStringList names = words(text());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const int x = i < starts.size() ? std::max(next, origin + starts[i]) : next;
        const int width = metrics.horizontalAdvance(names[i]);
        rects << QRect(x, 0, width, height());
        next = x + width + gapWidth(metrics);
    }
    return rects;
}

void ColumnHeading::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QStringList names = words(text());
    const QList<QRect> rects = wordRects();
    for (qsizetype i = 0; i < rects.size(); ++i)
        painter.drawText(rects[i], Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, names[i]);
}

bool fitColumnsToList(QListView& list, QWidget* heading) {
    const auto* view = qobject_cast<const RowListView*>(&list);
    const auto* delegate = dynamic_cast<const ColumnDelegate*>(list.itemDelegate());
    if (!view || !delegate || view->columns().isEmpty())
        return false;
    const int room = list.width() - 2 * list.frameWidth() -
                     list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list) - 1;
    QFont font = list.font();
    const auto needed = [&] {
        QStyleOptionViewItem option;
        option.widget = &list;
        option.font = font;
        return delegate->textIndent(option) + view->columns().width(QFontMetrics(font));
    };
    bool shrunk = false;
    // A quarter point at a time: the metrics of a hinted font do not scale evenly.
    while (needed() > room && font.pointSizeF() > 1.5) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        shrunk = true;
    }
    if (shrunk)
        list.setFont(font);
    if (heading)
        heading->setFont(font);
    return shrunk;
}

} // namespace mirel::shell
