#include "statistics_dialog.h"

#include "timeline/step_statistics.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace mirel::shell {

namespace {
QTableWidgetItem* cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}
} // namespace

StatisticsDialog::StatisticsDialog(debug::Debugger& debugger, state::MainForm& form,
                                   QWidget* parent)
    : QDialog(parent), debugger_(debugger),
      form_(form), history_{timeline::StepTrace(std::vector<timeline::TraceColumn>{}), ~0u, 0} {
    setObjectName(QStringLiteral("StatisticsDialog"));
    setWindowTitle(QStringLiteral("Statistics"));
    auto* layout = new QVBoxLayout(this);
    reach_ = new QLabel(this);
    reach_->setObjectName(QStringLiteral("StatisticsReach"));
    reach_->setWordWrap(true);
    layout->addWidget(reach_);
    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("StatisticsCounts"));
    counts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(counts_);
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(QStringLiteral("StatisticsTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Mnemonic"), QStringLiteral("Runs"),
                                       QStringLiteral("Cycles"),
                                       QStringLiteral("Share of cycles")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* again =
        buttons->addButton(QStringLiteral("&Refresh"), QDialogButtonBox::ActionRole);
    again->setToolTip(QStringLiteral("Count the steps again, up to the current one"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(again, &QPushButton::clicked, this, &StatisticsDialog::refresh);
    resize(44 * fontMetrics().averageCharWidth(), 26 * fontMetrics().height());
}

void StatisticsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refresh();
}

void StatisticsDialog::refresh() {
    debugger_.followHistory(history_);
    // The steps up to the current one; those taken back are not the machine's.
    timeline::StepTrace upToNow = history_.trace;
    upToNow.cutFrom(debugger_.position() + 1);
    const timeline::StepStatistics counted = timeline::countSteps(upToNow, [this](int line) {
        return form_.Code.validIndex(line) ? timeline::mnemonicOfLine(form_.Code.line(line))
                                           : std::string();
    });
    reach_->setText(QStringLiteral("Over the last %1 steps, as far back as Step Back reaches "
                                   "(at most 100,000).")
                        .arg(counted.steps));
    counts_->setText(QStringLiteral("Steps: %1    Instructions: %2    Cycles: %3    "
                                    "Time at 4 MHz: %4 \u00b5s    Cycles per instruction: %5")
                         .arg(counted.steps)
                         .arg(counted.instructions)
                         .arg(counted.cycles)
                         .arg(counted.cycles)
                         .arg(counted.cpi(), 0, 'f', 2));
    table_->setRowCount(static_cast<int>(counted.mnemonics.size()));
    for (std::size_t i = 0; i < counted.mnemonics.size(); ++i) {
        const timeline::MnemonicCount& m = counted.mnemonics[i];
        const int r = static_cast<int>(i);
        const double share = counted.cycles == 0 ? 0.0 : 100.0 * m.cycles / counted.cycles;
        table_->setItem(r, 0,
                        cell(m.mnemonic.empty() ? QStringLiteral("(no line)")
                                                : QString::fromStdString(m.mnemonic),
                             false));
        table_->setItem(r, 1, cell(QString::number(m.runs), true));
        table_->setItem(r, 2, cell(QString::number(m.cycles), true));
        const QString percent = share > 0 && share < 0.05
                                    ? QStringLiteral("< 0.1%")
                                    : QString::number(share, 'f', 1) + QLatin1Char('%');
        table_->setItem(r, 3, cell(percent, true));
    }
}

QString StatisticsDialog::summary() const {
    return reach_->text() + QLatin1Char('\n') + counts_->text();
}

} // namespace mirel::shell
