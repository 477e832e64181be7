#pragma once

#include "state/controls.h"

#include <QObject>
#include <QPixmap>

#include <array>
#include <functional>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace mirel::shell {

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

// The two lamp pictures: 1 lit, 2 dark.
struct LampPictures {
    QPixmap lit;
    QPixmap dark;
};

// Shown and enabled follow the model; the caption is the model's.
void bindButton(QAbstractButton& button, state::ControlModel& model);
void bindLabel(QLabel& label, state::TextModel& model);
void bindLamp(QLabel& lamp, state::LampModel& model, const LampPictures& pictures);
// A user's tick sets the model's value.
void bindCheckBox(QCheckBox& box, state::CheckBoxModel& model);
// The W box: at most two hexadecimal digits; the user's edits set the model's
// text, which runs the core's change handler.
void bindHexBox(QLineEdit& box, state::TextModel& model);

} // namespace mirel::shell
