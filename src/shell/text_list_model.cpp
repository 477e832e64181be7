#include "text_list_model.h"

#include <utility>

namespace mirel::shell {

TextListModel::TextListModel(state::TextList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), rows_(list.count()) {
    list_.addObserver(this);
}

TextListModel::~TextListModel() {
    list_.removeObserver(this);
}

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid())
        return {};
    const int line = lineBefore(index.row());
    if (!list_.validIndex(line))
        return {};
    // Lines are 8-bit text.
    QString text = QString::fromLatin1(list_.line(line));
    // The tip shows the whole line however narrow the list; a tab reads as
    // five blanks there, as in the entry line.
    if (role == Qt::ToolTipRole) {
        text.replace(QLatin1Char('\t'), QStringLiteral("     "));
        if (tipNote_)
            if (const std::string note = tipNote_(line); !note.empty())
                text += QLatin1Char('\n') + QString::fromStdString(note);
    }
    return text;
}

// The line of the list that a row of the view stands for. A removed line is
// gone already and reads as nothing.
int TextListModel::lineBefore(int row) const {
    if (row < pendingIndex_)
        return row;
    switch (pending_) {
    case Pending::Insert:
        return row + 1;
    case Pending::Remove:
        return row == pendingIndex_ ? -1 : row - 1;
    case Pending::None:
        break;
    }
    return row;
}

template <typename Tell> void TextListModel::tellView(Pending kind, int index, Tell&& tell) {
    ++changing_;
    pending_ = kind;
    pendingIndex_ = index;
    tell();
    pending_ = Pending::None;
    pendingIndex_ = -1;
    --changing_;
}

// Between begin and end the view already counts the new rows, and the rows
// read as the list now stands.
void TextListModel::lineInserted(int index) {
    tellView(Pending::Insert, index, [&] {
        beginInsertRows(QModelIndex(), index, index);
        pending_ = Pending::None;
        rows_ = list_.count();
        endInsertRows();
    });
}

void TextListModel::lineRemoved(int index) {
    tellView(Pending::Remove, index, [&] {
        beginRemoveRows(QModelIndex(), index, index);
        pending_ = Pending::None;
        rows_ = list_.count();
        endRemoveRows();
    });
}

void TextListModel::lineReplaced(int index) {
    if (!following_) {
        stale_ = true;
        return;
    }
    const QModelIndex row = this->index(index);
    emit dataChanged(row, row, {Qt::DisplayRole});
}

void TextListModel::follow(bool on) {
    following_ = on;
    if (!on || !std::exchange(stale_, false) || rows_ == 0)
        return;
    emit dataChanged(index(0), index(rows_ - 1), {Qt::DisplayRole});
}

void TextListModel::linesReset() {
    tellView(Pending::None, -1, [&] {
        beginResetModel();
        rows_ = list_.count();
        endResetModel();
    });
}

} // namespace mirel::shell
