#include "text_list_model.h"

namespace mirel::shell {

namespace {
struct ChangeScope {
    explicit ChangeScope(int& depth) : depth_(depth) { ++depth_; }
    ~ChangeScope() { --depth_; }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;
    int& depth_;
};
} // namespace

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
    if (role != Qt::DisplayRole || !index.isValid() || !list_.validIndex(index.row()))
        return {};
    // Lines are 8-bit text.
    return QString::fromLatin1(list_.line(index.row()));
}

void TextListModel::lineInserted(int index) {
    ChangeScope scope(changing_);
    beginInsertRows(QModelIndex(), index, index);
    rows_ = list_.count();
    endInsertRows();
}

void TextListModel::lineRemoved(int index) {
    ChangeScope scope(changing_);
    beginRemoveRows(QModelIndex(), index, index);
    rows_ = list_.count();
    endRemoveRows();
}

void TextListModel::lineReplaced(int index) {
    const QModelIndex row = this->index(index);
    emit dataChanged(row, row, {Qt::DisplayRole});
}

void TextListModel::linesReset() {
    ChangeScope scope(changing_);
    beginResetModel();
    rows_ = list_.count();
    endResetModel();
}

} // namespace mirel::shell
