#include "qt_platform.h"

#include "settings_keys.h"
#include "twips.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace mirel::shell {

namespace {
QMessageBox::Icon qtIcon(state::MessageIcon icon) {
    switch (icon) {
    case state::MessageIcon::Information:
        return QMessageBox::Information;
    case state::MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case state::MessageIcon::Critical:
        return QMessageBox::Critical;
    case state::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtMessageBox::show(const std::string& text, const std::string& title,
                        state::MessageIcon icon) {
    QMessageBox box(qtIcon(icon), QString::fromLatin1(title), QString::fromLatin1(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

state::MessageAnswer QtMessageBox::showWithStop(const std::string& text, const std::string& title,
                                                state::MessageIcon icon) {
    QMessageBox box(qtIcon(icon), QString::fromLatin1(title), QString::fromLatin1(text),
                    QMessageBox::Ok, parent_);
    QPushButton* stop = box.addButton(QStringLiteral("Stop"), QMessageBox::RejectRole);
    stop->setObjectName(QStringLiteral("Stop"));
    box.setDefaultButton(QMessageBox::Ok);
    // Escape or closing the box acknowledges the message; only Stop ends the run.
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == stop ? state::MessageAnswer::Stop : state::MessageAnswer::Ok;
}

void QtWindowPlacement::restorePlacement() {
    const QScreen* screen = window_.screen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    const auto px = [dpi](double twips) { return placementPixels(twips, dpi); };

    window_.move(px(settings::defaultMainLeft), px(settings::defaultMainTop));
    // Width and height are the outer size; the frame is known once the window
    // has been shown.
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
    window_.resize(px(settings::defaultMainWidth) - frame.width(),
                   px(settings::defaultMainHeight) - frame.height());
}

} // namespace mirel::shell
