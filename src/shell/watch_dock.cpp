#include "watch_dock.h"

#include "register_reference.h"
#include "watch_dialog.h"
#include "watch_entry.h"
#include "zoom.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace mirel::shell {

namespace {
QTableWidgetItem* cell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}
} // namespace

WatchDock::WatchDock(debug::Debugger& debugger, state::MainForm& form, QWidget* parent)
    : QDockWidget(QStringLiteral("Watch"), parent), debugger_(debugger), form_(form) {
    setObjectName(QStringLiteral("WatchDock"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setPalette(style()->standardPalette());
    setAutoFillBackground(true);

    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 2, 4, 4);
    table_ = new QTableWidget(0, 4, page);
    table_->setObjectName(QStringLiteral("WatchTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Register"), QStringLiteral("Value"),
                                       QStringLiteral("Before"), QStringLiteral("Condition")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    // The condition takes what room is left, so that no scroll bar is needed.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    table_->setToolTip(
        QStringLiteral("Before: the value before the last step, where that step "
                       "wrote it. A run stops after a step that meets a condition."));
    layout->addWidget(table_, 1);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    const auto button = [&](const char* name, const char* caption, const char* tip) {
        auto* b = new QPushButton(QString::fromLatin1(caption), page);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QString::fromLatin1(tip));
        row->addWidget(b);
        return b;
    };
    connect(button("WatchAdd", "&Add...", "Watch a register or one of its bits"),
            &QPushButton::clicked, this, &WatchDock::addWatch);
    connect(button("WatchEdit", "&Edit...", "Change the selected watch"), &QPushButton::clicked,
            this, &WatchDock::editWatch);
    connect(button("WatchRemove", "&Remove", "Stop watching the selected register"),
            &QPushButton::clicked, this, &WatchDock::removeWatch);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &WatchDock::editWatch);
    setWidget(page);
}

void WatchDock::refresh() {
    const auto& watches = debugger_.watches().watches();
    table_->setRowCount(static_cast<int>(watches.size()));
    for (std::size_t i = 0; i < watches.size(); ++i) {
        const debug::Watch& w = watches[i];
        const int r = static_cast<int>(i);
        table_->setItem(r, 0, cell(w.name));
        table_->setItem(r, 1, cell(watchValueText(w, debugger_.watchValue(i))));
        table_->setItem(r, 2, cell(watchValueText(w, debugger_.watchBefore(i))));
        table_->setItem(r, 3, cell(watchConditionText(w)));
    }
}

bool WatchDock::watchRegister(int reg) {
    debug::Watch watch;
    watch.reg = reg;
    watch.name = registerLineName(form_.model, reg);
    if (!debugger_.watches().add(watch)) {
        fullListTold();
        return false;
    }
    refresh();
    table_->selectRow(table_->rowCount() - 1);
    return true;
}

void WatchDock::addWatch() {
    if (debugger_.watches().watches().size() >= debug::WatchList::maxWatches) {
        fullListTold();
        return;
    }
    WatchDialog dialog(form_.model, form_.Reg.count(), this);
    dialog.setWindowTitle(QStringLiteral("Add Watch"));
    if (dialog.exec() != QDialog::Accepted || !dialog.watch())
        return;
    debugger_.watches().add(*dialog.watch());
    refresh();
    table_->selectRow(table_->rowCount() - 1);
}

void WatchDock::editWatch() {
    const int row = table_->currentRow();
    const auto& watches = debugger_.watches().watches();
    if (row < 0 || row >= static_cast<int>(watches.size()))
        return;
    WatchDialog dialog(form_.model, form_.Reg.count(), this);
    dialog.setWindowTitle(QStringLiteral("Edit Watch"));
    dialog.showWatch(watches[static_cast<std::size_t>(row)]);
    if (dialog.exec() != QDialog::Accepted || !dialog.watch())
        return;
    debugger_.watches().replace(static_cast<std::size_t>(row), *dialog.watch());
    refresh();
    table_->selectRow(row);
}

void WatchDock::removeWatch() {
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(debugger_.watches().watches().size()))
        return;
    debugger_.watches().remove(static_cast<std::size_t>(row));
    refresh();
}

void WatchDock::fullListTold() {
    QMessageBox::information(this, window()->windowTitle(),
                             QStringLiteral("%1 registers are watched, as many as can be: "
                                            "remove one first.")
                                 .arg(debug::WatchList::maxWatches));
}

void WatchDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    refresh();
}

void WatchDock::zoom(double percent) {
    zoomFont(*this, percent);
}

int WatchDock::preferredWidth() const {
    return std::max(36 * fontMetrics().averageCharWidth(), minimumSizeHint().width());
}

} // namespace mirel::shell
