#include "frm_instruction_set.h"

#include "asm/instruction_reference.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace mirel::shell {

namespace {

enum Column { Mnemonic, Typed, Does, Flags, Cycles, Pattern, Columns };

QTableWidgetItem* cell(const std::string& text, const QFont* font = nullptr) {
    auto* item = new QTableWidgetItem(QString::fromUtf8(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (font)
        item->setFont(*font);
    return item;
}

} // namespace

frmInstructionSet::frmInstructionSet(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmInstructionSet"));
    setWindowTitle(QStringLiteral("Instruction Set"));

    const std::string_view legendText = assembler::referenceLegend();
    auto* legend = new QLabel(
        QString::fromUtf8(legendText.data(), static_cast<qsizetype>(legendText.size())), this);
    legend->setObjectName(QStringLiteral("Legend"));
    legend->setWordWrap(true);

    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("Filter"));
    filter_->setPlaceholderText(QStringLiteral("Filter by mnemonic or words, e.g. ADD or skip"));
    filter_->setClearButtonEnabled(true);
    filter_->setToolTip(QStringLiteral("Shows the lines with every word typed here; a mnemonic "
                                       "shows that mnemonic only"));

    const std::vector<assembler::ReferenceEntry> entries = assembler::instructionReference();
    table_ = new QTableWidget(static_cast<int>(entries.size()), Columns, this);
    table_->setObjectName(QStringLiteral("Reference"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Mnemonic"), QStringLiteral("Typed as"),
                                       QStringLiteral("What it does"), QStringLiteral("Flags"),
                                       QStringLiteral("Cycles"), QStringLiteral("Word")});
    table_->verticalHeader()->hide();
    table_->setWordWrap(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont bold = table_->font();
    bold.setBold(true);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const assembler::ReferenceEntry& e = entries[static_cast<std::size_t>(row)];
        table_->setItem(row, Mnemonic, cell(e.mnemonic, &bold));
        table_->setItem(row, Typed, cell(e.typed, &fixed));
        table_->setItem(row, Does, cell(e.does));
        table_->setItem(row, Flags, cell(e.flags));
        table_->setItem(row, Cycles, cell(e.cycles));
        table_->setItem(row, Pattern, cell(e.pattern, &fixed));
    }
    table_->resizeColumnsToContents();
    table_->setColumnWidth(Typed, std::min(table_->columnWidth(Typed), 170));
    table_->horizontalHeader()->setSectionResizeMode(Does, QHeaderView::Stretch);
    // The sentences wrap to the width the window gives them, never cut short.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setTextElideMode(Qt::ElideNone);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(legend);
    layout->addWidget(filter_);
    layout->addWidget(table_);
    connect(filter_, &QLineEdit::textChanged, this, &frmInstructionSet::applyFilter);
    // Esc closes it, as it closes a dialog; it is a window of its own, so it
    // needs its own key for that.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    resize(actualSize());
}

void frmInstructionSet::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit hidden();
}

// Every font of the window from its size at 100%, so that steps never drift;
// the rows and columns follow their text.
void frmInstructionSet::setZoom(double percent) {
    if (percent == zoom_)
        return;
    const double factor = percent / zoom_;
    zoom_ = percent;
    const auto scale = [factor](QFont font) {
        font.setPointSizeF(font.pointSizeF() * factor);
        return font;
    };
    setFont(scale(font()));
    for (int row = 0; row < table_->rowCount(); ++row)
        for (int column = 0; column < table_->columnCount(); ++column)
            if (QTableWidgetItem* item = table_->item(row, column))
                if (item->data(Qt::FontRole).isValid())
                    item->setFont(scale(item->font()));
    table_->resizeColumnsToContents();
    table_->setColumnWidth(Typed, std::min(table_->columnWidth(Typed), qRound(170 * zoom_ / 100)));
    table_->horizontalHeader()->setSectionResizeMode(Does, QHeaderView::Stretch);
}

QStringList frmInstructionSet::shownMnemonics() const {
    QStringList shown;
    for (int row = 0; row < table_->rowCount(); ++row)
        if (!table_->isRowHidden(row))
            shown << table_->item(row, Mnemonic)->text();
    return shown;
}

void frmInstructionSet::applyFilter(const QString& text) {
    const std::string filter = text.toStdString();
    const std::vector<assembler::ReferenceEntry> entries = assembler::instructionReference();
    for (int row = 0; row < table_->rowCount(); ++row)
        table_->setRowHidden(
            row, !assembler::matchesFilter(entries[static_cast<std::size_t>(row)], filter));
}

} // namespace mirel::shell
