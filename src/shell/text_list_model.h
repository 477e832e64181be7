#pragma once

#include "state/text_list.h"

#include <QAbstractListModel>

#include <functional>
#include <string>

namespace mirel::shell {

// Shows a core text list (Reg, Code, SPReg) in a Qt view. Each change of the
// list reaches the view as the matching row insert, removal or single-row
// update, so one register write repaints one row.
class TextListModel final : public QAbstractListModel, private state::TextListObserver {
    Q_OBJECT
public:
    TextListModel(state::TextList& list, QObject* parent = nullptr);
    ~TextListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    state::TextList& list() { return list_; }
    // Lines the tooltip shows below a line's whole text (UTF-8), by line
    // index; empty adds none.
    void setTipNote(std::function<std::string(int)> note) { tipNote_ = std::move(note); }
    // True while the view is being told about a change of the list: any
    // selection movement the view makes then is its own bookkeeping.
    bool isChanging() const { return changing_ > 0; }
    // While the view is hidden, replaced lines are only noted; shown again,
    // the view hears of all of them at once. Inserts, removals and resets
    // are told always, so the view's rows stay the list's.
    void follow(bool on);

private:
    void lineInserted(int index) override;
    void lineRemoved(int index) override;
    void lineReplaced(int index) override;
    void linesReset() override;

    // The list has already changed when we hear of it; until the view has
    // been told, rows are shown as they stood before the change.
    enum class Pending { None, Insert, Remove };
    int lineBefore(int row) const;
    template <typename Tell> void tellView(Pending kind, int index, Tell&& tell);

    state::TextList& list_;
    std::function<std::string(int)> tipNote_;
    int rows_;
    Pending pending_ = Pending::None;
    int pendingIndex_ = -1;
    int changing_ = 0;
    bool following_ = true;
    bool stale_ = false;
};

} // namespace mirel::shell
