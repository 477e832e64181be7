#include "qt_platform.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

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
    QMessageBox box(qtIcon(icon), QString::fromUtf8(title), QString::fromUtf8(text),
                    QMessageBox::Ok, parent_ ? parent_ : QApplication::activeWindow());
    box.exec();
}

state::MessageAnswer QtMessageBox::showWithStop(const std::string& text, const std::string& title,
                                                state::MessageIcon icon) {
    QMessageBox box(qtIcon(icon), QString::fromUtf8(title), QString::fromUtf8(text),
                    QMessageBox::Ok, parent_ ? parent_ : QApplication::activeWindow());
    QPushButton* stop = box.addButton(QStringLiteral("Stop"), QMessageBox::RejectRole);
    stop->setObjectName(QStringLiteral("Stop"));
    box.setDefaultButton(QMessageBox::Ok);
    // Escape or closing the box acknowledges the message; only Stop ends the run.
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == stop ? state::MessageAnswer::Stop : state::MessageAnswer::Ok;
}

state::SaveChangesAnswer QtMessageBox::askSaveChanges(const std::string& text,
                                                      const std::string& title) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(title), QString::fromUtf8(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent_ ? parent_ : QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return state::SaveChangesAnswer::Save;
    case QMessageBox::Discard:
        return state::SaveChangesAnswer::Discard;
    default:
        return state::SaveChangesAnswer::Cancel;
    }
}

state::ReplaceAnswer QtMessageBox::askReplace(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(title), QString::fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No,
                    parent_ ? parent_ : QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? state::ReplaceAnswer::Yes : state::ReplaceAnswer::No;
}

state::YesNoAnswer QtMessageBox::askYesNo(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(title), QString::fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No,
                    parent_ ? parent_ : QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? state::YesNoAnswer::Yes : state::YesNoAnswer::No;
}

bool QtSystemTools::fileExists(const std::string& path) {
    return QFileInfo(QString::fromLocal8Bit(path)).isFile();
}

bool QtSystemTools::startProgram(const std::string& path) {
    return QProcess::startDetached(QString::fromLocal8Bit(path), {});
}

} // namespace mirel::shell
