// The View menu: the layout's zoom, kept in the settings.
#include "frm_main.h"
#include "settings_keys.h"
#include "zoom.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <string>

namespace mirel::shell {

namespace {
QAction* viewCommand(QObject* owner, const char* name, const char* caption,
                     const QList<QKeySequence>& keys) {
    auto* action = new QAction(QString::fromLatin1(caption), owner);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    return action;
}
} // namespace

void frmMain::buildViewCommands() {
    QAction* zoomIn = viewCommand(
        this, "mnuViewZoomIn", "Zoom &In",
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zoomOut =
        viewCommand(this, "mnuViewZoomOut", "Zoom &Out", {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    QAction* actual = viewCommand(this, "mnuViewActualSize", "&Actual Size",
                                  {QKeySequence(Qt::CTRL | Qt::Key_0)});
    connect(zoomIn, &QAction::triggered, this, [this] { setZoom(nextZoom(zoom_, +1)); });
    connect(zoomOut, &QAction::triggered, this, [this] { setZoom(nextZoom(zoom_, -1)); });
    connect(actual, &QAction::triggered, this, [this] { setZoom(actualSize); });

    auto* menu = new QMenu(QStringLiteral("&View"), this);
    menu->setObjectName(QStringLiteral("mnuView"));
    for (QAction* action : {zoomIn, zoomOut, actual}) {
        menu->addAction(action);
        addAction(action);
    }
    auto* help = findChild<QMenu*>(QStringLiteral("mnuHelp"));
    menuBar()->insertMenu(help->menuAction(), menu);

    const std::string stored = services_.settings.value(settings::application, settings::section,
                                                        settings::zoom, std::to_string(actualSize));
    zoom_ = readZoom(stored.c_str());
    zoomControls(*controls_, zoom_);
}

void frmMain::setZoom(int percent) {
    if (percent == zoom_)
        return;
    zoom_ = percent;
    zoomControls(*controls_, zoom_);
    services_.settings.setValue(settings::application, settings::section, settings::zoom,
                                std::to_string(zoom_));
    // The window grows to show the larger layout, as far as the screen lets it.
    if (isVisible() && !isMaximized() && !isFullScreen()) {
        QSize wanted = size().expandedTo(layoutClientSize());
        if (const QScreen* where = screen())
            wanted = wanted.boundedTo(where->availableGeometry().size() -
                                      (frameGeometry().size() - geometry().size()));
        resize(wanted);
    }
}

} // namespace mirel::shell
