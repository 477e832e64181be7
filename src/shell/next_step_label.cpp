#include "next_step_label.h"

#include "control_bindings.h"
#include "debug/step_explanation.h"
#include "frm_main.h"

#include <QLabel>

namespace mirel::shell {

template <typename F> void NextStepLabel::forEachModel(F&& f) {
    f(form_.W);
    f(form_.CounterView);
    for (std::size_t i = 0; i < 8; ++i) {
        f(form_.InA[i]);
        f(form_.InB[i]);
    }
}

NextStepLabel::NextStepLabel(QLabel& label, state::MainForm& form)
    : QObject(&label), label_(label), form_(form) {
    update_.setSingleShot(true);
    update_.setInterval(0);
    connect(&update_, &QTimer::timeout, this, &NextStepLabel::show);
    forEachModel([this](state::Observable& model) { model.addObserver(this); });
    for (state::TextList* list : {&form_.Code, &form_.Reg, &form_.SPReg})
        list->addObserver(this);
    show();
}

NextStepLabel::~NextStepLabel() {
    forEachModel([this](state::Observable& model) { model.removeObserver(this); });
    for (state::TextList* list : {&form_.Code, &form_.Reg, &form_.SPReg})
        list->removeObserver(this);
}

// Called for every register a step writes: only a flag and, while the views
// are shown, one pending turn of the event loop.
void NextStepLabel::stale() {
    stale_ = true;
    if (form_.CounterView.visible() && !update_.isActive())
        update_.start();
}

void NextStepLabel::show() {
    if (!stale_ || !form_.CounterView.visible())
        return;
    stale_ = false;
    label_.setText(QString::fromLatin1(debug::explainStep(form_).text));
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
    label->setToolTip(QStringLiteral("What the selected program line will do on the next Step, "
                                     "with the values as they are now"));
    bindShown(*label, form_.CounterView);
    new NextStepLabel(*label, form_);
}

} // namespace mirel::shell
