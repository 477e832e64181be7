#include "next_step_label.h"

#include "control_bindings.h"
#include "debug/step_explanation.h"
#include "frm_main.h"
#include "text_fit.h"

#include <QLabel>

namespace mirel::shell {

NextStepLabel::NextStepLabel(QLabel& label, state::MainForm& form, sim::Simulator& simulator)
    : QObject(&label), label_(label), form_(form), simulator_(simulator) {
    update_.setSingleShot(true);
    update_.setInterval(0);
    connect(&update_, &QTimer::timeout, this, &NextStepLabel::show);
    form_.CounterView.addObserver(this);
    follow(form_.CounterView.visible());
    show();
}

NextStepLabel::~NextStepLabel() {
    follow(false);
    form_.CounterView.removeObserver(this);
}

void NextStepLabel::follow(bool on) {
    if (on == following_)
        return;
    following_ = on;
    for (state::TextList* list : {&form_.Code, &form_.Reg, &form_.SPReg})
        on ? list->addObserver(this) : list->removeObserver(this);
    std::vector<state::Observable*> models = {&form_.W};
    for (std::size_t i = 0; i < 8; ++i) {
        models.push_back(&form_.InA[i]);
        models.push_back(&form_.InB[i]);
    }
    for (state::Observable* model : models)
        on ? model->addObserver(this) : model->removeObserver(this);
}

void NextStepLabel::changed() {
    follow(form_.CounterView.visible());
    stale();
}

// Called for every register a step writes while the views are shown: only
// a flag and one pending turn of the event loop.
void NextStepLabel::stale() {
    if (announced_) {
        announcement_.clear();
        announced_ = false;
    }
    stale_ = true;
    if (form_.CounterView.visible() && !update_.isActive())
        update_.start();
}

void NextStepLabel::announce(const QString& line) {
    announcement_ = line;
    announced_ = false;
    stale_ = true;
    if (form_.CounterView.visible() && !update_.isActive())
        update_.start();
}

void NextStepLabel::show() {
    if (!stale_ || !form_.CounterView.visible())
        return;
    stale_ = false;
    QString text = QString::fromLatin1(debug::explainStep(form_, simulator_).text);
    if (!announcement_.isEmpty()) {
        text = announcement_ + QLatin1Char('\n') + text;
        announced_ = true;
    }
    label_.setText(text);
    fitWrappedLabel(label_);
    // The words whole, where two rows cut them.
    label_.setToolTip(about + QStringLiteral("\n\n") + text);
}

// Yellow on black as the values are, small enough for the longest
// explanation to fit in two lines; hidden with the views during a fast run.
void frmMain::buildNextStepLabel(QWidget* parent, const QRect& where) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("NextStep"));
    label->setAccessibleName(QStringLiteral("Next step"));
    label->setGeometry(where);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setMargin(2);
    label->setToolTip(NextStepLabel::about);
    bindShown(*label, form_.CounterView);
    new NextStepLabel(*label, form_, simulator_);
}

} // namespace mirel::shell
