#pragma once

#include "state/controls.h"

#include <QObject>

#include <array>
#include <functional>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace mirel::shell {

class LampView;

// Re-shows a widget whenever its core model changes. It lives as a child of
// the widget, so it stops listening when the widget goes away.
class ChangeBinding final : public QObject, private state::ChangeObserver {
public:
    ChangeBinding(QObject& widget, state::Observable& model, std::function<void()> show);
    ~ChangeBinding() override;

private:
    void changed() override { show_(); }

    state::Observable& model_;
    std::function<void()> show_;
};

// Shown and enabled follow the model; the caption is the model's.
void bindButton(QAbstractButton& button, state::ControlModel& model);
void bindLabel(QLabel& label, state::TextModel& model);
// Shown and enabled follow the model: a view, a heading, the W box.
void bindShown(QWidget& widget, state::ControlModel& model);
void bindLamp(LampView& lamp, state::LampModel& model);
// A user's tick sets the model's value.
void bindCheckBox(QCheckBox& box, state::CheckBoxModel& model);
// The W box: at most two hexadecimal digits; the user's edits set the model's
// text, which runs the core's change handler.
void bindHexBox(QLineEdit& box, state::TextModel& model);

} // namespace mirel::shell
