#include "control_bindings.h"

#include "lamp_view.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace mirel::shell {

namespace {
QString text8(const std::string& text) {
    return QString::fromLatin1(text);
}
} // namespace

ChangeBinding::ChangeBinding(QObject& widget, state::Observable& model, std::function<void()> show)
    : QObject(&widget), model_(model), show_(std::move(show)) {
    model_.addObserver(this);
    show_();
}

ChangeBinding::~ChangeBinding() {
    model_.removeObserver(this);
}

void bindButton(QAbstractButton& button, state::ControlModel& model) {
    button.setText(text8(model.caption()));
    bindShown(button, model);
}

void bindShown(QWidget& widget, state::ControlModel& model) {
    new ChangeBinding(widget, model, [&widget, &model] {
        widget.setEnabled(model.enabled());
        widget.setVisible(model.visible());
    });
}

void bindLabel(QLabel& label, state::TextModel& model) {
    new ChangeBinding(label, model, [&label, &model] { label.setText(text8(model.text())); });
}

void bindLamp(LampView& lamp, state::LampModel& model) {
    new ChangeBinding(lamp, model, [&lamp, &model] {
        lamp.setLit(model.lit());
        // A screen reader hears whether the lamp is lit.
        lamp.setAccessibleDescription(model.lit() ? QStringLiteral("on") : QStringLiteral("off"));
    });
}

void bindCheckBox(QCheckBox& box, state::CheckBoxModel& model) {
    box.setText(text8(model.caption()));
    new ChangeBinding(box, model, [&box, &model] {
        box.setChecked(model.value() != 0);
        box.setVisible(model.visible());
        box.setEnabled(model.enabled());
    });
    QObject::connect(&box, &QCheckBox::clicked, &box,
                     [&model](bool checked) { model.setValue(checked ? 1 : 0); });
}

void bindHexBox(QLineEdit& box, state::TextModel& model) {
    box.setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,2}")), &box));
    new ChangeBinding(box, model, [&box, &model] {
        const QString text = text8(model.text());
        if (box.text() != text)
            box.setText(text);
    });
    QObject::connect(&box, &QLineEdit::textEdited, &box, [&model](const QString& text) {
        model.setText(text.toLatin1().toStdString());
    });
}

} // namespace mirel::shell
