#include "watch_dialog.h"

#include "watch_entry.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mirel::shell {

WatchDialog::WatchDialog(parts::Model model, int registerLines, QWidget* parent)
    : QDialog(parent), model_(model), registerLines_(registerLines) {
    setObjectName(QStringLiteral("WatchDialog"));
    setWindowTitle(QStringLiteral("Watch"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    register_ = new QLineEdit(this);
    register_->setObjectName(QStringLiteral("WatchRegister"));
    register_->setPlaceholderText(QStringLiteral("20, TMR0, PORTB.3, W"));
    register_->setToolTip(QStringLiteral("A register by address in hex or by name; a dot and a "
                                         "bit number watch one bit (PORTB.3)"));
    form->addRow(QStringLiteral("&Register:"), register_);

    condition_ = new QComboBox(this);
    condition_->setObjectName(QStringLiteral("WatchCondition"));
    for (int c = 0; c < conditionCount; ++c)
        condition_->addItem(
            QString::fromLatin1(conditionName(static_cast<debug::WatchCondition>(c))));
    condition_->setToolTip(QStringLiteral("When a run stops: after a step that met it"));
    form->addRow(QStringLiteral("&Condition:"), condition_);

    value_ = new QLineEdit(this);
    value_->setObjectName(QStringLiteral("WatchValue"));
    value_->setMaxLength(3);
    valueLabel_ = new QLabel(QStringLiteral("&Value (hex):"), this);
    valueLabel_->setBuddy(value_);
    form->addRow(valueLabel_, value_);

    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("WatchProblem"));
    problem_->setWordWrap(true);
    QPalette red = problem_->palette();
    red.setColor(QPalette::WindowText, QColor(190, 0, 0));
    problem_->setPalette(red);
    problem_->hide();
    layout->addWidget(problem_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &WatchDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &WatchDialog::reject);
    connect(condition_, &QComboBox::currentIndexChanged, this, &WatchDialog::conditionChanged);
    connect(register_, &QLineEdit::textChanged, this, &WatchDialog::conditionChanged);
    conditionChanged();
    setMinimumWidth(32 * fontMetrics().averageCharWidth());
}

void WatchDialog::showWatch(const debug::Watch& watch) {
    register_->setText(QString::fromStdString(watch.name));
    condition_->setCurrentIndex(static_cast<int>(watch.condition));
    const bool bitNumber = watch.condition == debug::WatchCondition::BitSet ||
                           watch.condition == debug::WatchCondition::BitClear;
    value_->setText(bitNumber ? QString::number(watch.value)
                              : QString::fromStdString(watchValueText(watch, watch.value)));
    conditionChanged();
}

// The value's field only where the condition compares with one: a byte, or
// for a bit test on a whole register the bit's number.
void WatchDialog::conditionChanged() {
    const auto condition = static_cast<debug::WatchCondition>(condition_->currentIndex());
    const bool whole = !register_->text().contains(QLatin1Char('.'));
    const bool needed = conditionNeedsValue(condition, whole);
    const bool bitNumber =
        condition == debug::WatchCondition::BitSet || condition == debug::WatchCondition::BitClear;
    valueLabel_->setText(bitNumber ? QStringLiteral("&Bit (0-7):")
                                   : QStringLiteral("&Value (hex):"));
    value_->setEnabled(needed);
    problem_->hide();
}

void WatchDialog::accept() {
    std::string error;
    watch_ = readWatch(register_->text().toStdString(),
                       static_cast<debug::WatchCondition>(condition_->currentIndex()),
                       value_->text().toStdString(), model_, registerLines_, error);
    if (!watch_) {
        problem_->setText(QString::fromStdString(error));
        problem_->show();
        return;
    }
    QDialog::accept();
}

} // namespace mirel::shell
