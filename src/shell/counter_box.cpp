#include "counter_box.h"

#include "state/direct_edits.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>

namespace mirel::shell {

CounterListModel::CounterListModel(state::CounterModel& counter, QObject* parent)
    : QAbstractListModel(parent), counter_(counter), rows_(counter.entryCount()) {
    counter_.addObserver(this);
}

CounterListModel::~CounterListModel() {
    counter_.removeObserver(this);
}

int CounterListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant CounterListModel::data(const QModelIndex& index, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid() ||
        index.row() >= rows_)
        return {};
    return QString::fromLatin1(counter_.entry(index.row()));
}

void CounterListModel::follow(bool on) {
    if (on == following_)
        return;
    following_ = on;
    if (!on) {
        counter_.removeObserver(this);
        return;
    }
    counter_.addObserver(this);
    entriesReset();
}

void CounterListModel::entriesReset() {
    beginResetModel();
    rows_ = counter_.entryCount();
    endResetModel();
}

CounterBinding::CounterBinding(QComboBox& box, state::MainForm& form, std::function<void()> enter)
    : QObject(&box), box_(box), form_(form), enter_(std::move(enter)) {
    box_.setEditable(true);
    // The list is the core's; the box never adds, completes or measures entries
    // itself, which would walk a long program on every refill.
    box_.setInsertPolicy(QComboBox::NoInsert);
    box_.setCompleter(nullptr);
    box_.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box_.setMinimumContentsLength(12);
    if (auto* list = qobject_cast<QListView*>(box_.view()))
        list->setUniformItemSizes(true);
    entries_ = new CounterListModel(form_.Counter, &box_);
    box_.setModel(entries_);

    // Registered after the list model, so the entries are in place when we show.
    form_.Counter.addObserver(this);

    QLineEdit* line = box_.lineEdit();
    // Only the user's own typing reaches the core; the box's bookkeeping (it
    // clears the line on every refill) does not.
    connect(line, &QLineEdit::textEdited, this, [this, line](const QString& text) {
        pushEdit(text.toLatin1().toStdString(), line->cursorPosition());
    });
    // The box has the focus and hands its keys to the line edit, which says
    // when Return was pressed.
    connect(line, &QLineEdit::returnPressed, this, [this] {
        if (enter_)
            enter_();
        else
            state::Counter_KeyPress(form_, state::enterKey);
    });
    // Picking an entry from the drop-down list puts it into the entry line.
    connect(&box_, &QComboBox::activated, this, [this, line](int entry) {
        if (!showing_)
            pushEdit(form_.Counter.entry(entry), line->cursorPosition());
    });
    show();
}

CounterBinding::~CounterBinding() {
    form_.Counter.removeObserver(this);
}

// The entries first, so that the line's entry is in place when we show.
void CounterBinding::follow(bool on) {
    entries_->follow(on);
    if (on != following_) {
        following_ = on;
        on ? form_.Counter.addObserver(this) : form_.Counter.removeObserver(this);
    }
    if (on)
        show();
}

void CounterBinding::entriesReset() {
    if (!pushing_)
        show();
}

void CounterBinding::editChanged() {
    if (!pushing_)
        show();
}

// The entry line already shows what the user did; the core hears it as one
// change and the box then shows whatever the core made of it.
void CounterBinding::pushEdit(std::string text, int caret) {
    if (showing_)
        return;
    pushing_ = true;
    if (text != form_.Counter.editText())
        form_.Counter.setEditText(std::move(text));
    form_.Counter.setCaret(caret);
    pushing_ = false;
    show();
}

void CounterBinding::show() {
    if (!following_)
        return;
    const bool wasShowing = showing_;
    showing_ = true;
    const int entry = form_.Counter.selectedEntry();
    if (entry >= 0 && entry < box_.count() && box_.currentIndex() != entry)
        box_.setCurrentIndex(entry);
    QLineEdit* line = box_.lineEdit();
    const QString text = QString::fromLatin1(form_.Counter.editText());
    if (line->text() != text)
        line->setText(text);
    if (line->cursorPosition() != form_.Counter.caret())
        line->setCursorPosition(form_.Counter.caret());
    showing_ = wasShowing;
}

} // namespace mirel::shell
