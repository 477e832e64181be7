#include "timeline_dock.h"

#include "files/safe_save.h"
#include "register_reference.h"
#include "timeline/trace_export.h"
#include "timeline_view.h"
#include "zoom.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace mirel::shell {

namespace {
QPushButton* button(QWidget* parent, const char* name, const char* caption, const char* tip,
                    QHBoxLayout* row) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(QString::fromUtf8(tip));
    b->setFocusPolicy(Qt::TabFocus);
    row->addWidget(b);
    return b;
}

// The address a program line shows before its instruction; "" for a line
// without one.
std::string lineAddress(const state::MainForm& form, int line) {
    if (!form.Code.validIndex(line))
        return "";
    const std::string& text = form.Code.line(line);
    if (text.size() < 4 || !std::all_of(text.begin(), text.begin() + 4, [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        }))
        return "";
    return text.substr(0, 4);
}
} // namespace

TimelineDock::TimelineDock(debug::Debugger& debugger, state::MainForm& form,
                           files::FileDialogService& dialogs, state::MessageBoxService& messages,
                           QWidget* parent)
    : QDockWidget(QStringLiteral("Timeline"), parent), debugger_(debugger), form_(form),
      dialogs_(dialogs), messages_(messages), history_(std::make_unique<debug::HistoryTrace>()) {
    setObjectName(QStringLiteral("TimelineDock"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    setPalette(style()->standardPalette());
    setAutoFillBackground(true);

    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TimelinePage"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    auto* add =
        button(page, "TimelineAddRegister", "Add Register...",
               "Add a register's lane, by address (20, 0C, 85) or name (TMR0, STATUS)", row);
    auto* vcd =
        button(page, "TimelineExportVcd", "Export VCD...",
               "Save the lanes over the steps as a Value Change Dump for a waveform viewer", row);
    auto* csv = button(page, "TimelineExportCsv", "Export CSV...",
                       "Save the lanes over the steps as a table: one row a step", row);
    row->addStretch(1);
    auto* out = button(page, "TimelineZoomOut", "\u2212", "Show more steps (Ctrl+wheel)", row);
    auto* in = button(page, "TimelineZoomIn", "+", "Show fewer steps, wider (Ctrl+wheel)", row);
    auto* all = button(page, "TimelineShowAll", "All", "Show every step in reach", row);
    for (QPushButton* narrow : {out, in})
        narrow->setMaximumWidth(4 * fontMetrics().averageCharWidth() + 16);

    view_ = new TimelineView(page);
    layout->addWidget(view_, 1);
    setWidget(page);

    connect(add, &QPushButton::clicked, this, &TimelineDock::askForRegister);
    connect(vcd, &QPushButton::clicked, this, &TimelineDock::exportVcd);
    connect(csv, &QPushButton::clicked, this, &TimelineDock::exportCsv);
    connect(out, &QPushButton::clicked, this, [this] { view_->zoomBy(-2); });
    connect(in, &QPushButton::clicked, this, [this] { view_->zoomBy(+2); });
    connect(all, &QPushButton::clicked, this, [this] { view_->showAll(); });
    connect(view_, &TimelineView::laneMenuRequested, this, &TimelineDock::showLaneMenu);
    view_->setSeek([this](long long step) { debugger_.goTo(step); });
    view_->setTrace(&history_->trace);
}

TimelineDock::~TimelineDock() = default;

const timeline::StepTrace& TimelineDock::trace() const {
    return history_->trace;
}

void TimelineDock::follow() {
    if (following_ || isHidden())
        return;
    const bool running = form_.Timer1.enabled();
    view_->setSeekable(!running);
    if (!running) {
        following_ = true;
        debugger_.followHistory(*history_);
        following_ = false;
    }
    view_->showMachine(debugger_.position(), debugger_.reach());
}

void TimelineDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    follow();
}

void TimelineDock::useColumns(std::vector<timeline::TraceColumn> columns) {
    auto fresh = std::make_unique<debug::HistoryTrace>();
    fresh->trace = timeline::StepTrace(std::move(columns));
    view_->setTrace(&fresh->trace);
    history_ = std::move(fresh);
    follow();
}

bool TimelineDock::addRegister(const std::string& text, std::string& error) {
    const auto found = readRegisterReference(text, form_.model, form_.Reg.count(), false, error);
    if (!found)
        return false;
    std::vector<timeline::TraceColumn> columns = trace().columns();
    const bool shown = std::any_of(columns.begin(), columns.end(),
                                   [&](const auto& c) { return c.reg == found->reg; });
    if (shown) {
        error = found->name + " has a lane already.";
        return false;
    }
    columns.push_back({found->name, found->reg, 0});
    useColumns(std::move(columns));
    return true;
}

void TimelineDock::removeColumn(int column) {
    std::vector<timeline::TraceColumn> columns = trace().columns();
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return;
    columns.erase(columns.begin() + column);
    useColumns(std::move(columns));
}

void TimelineDock::askForRegister() {
    bool ok = false;
    const QString text = QInputDialog::getText(
        this, QStringLiteral("Add Register"),
        QStringLiteral("Register to show, by address in hex (20, 0C, 85) or by name (TMR0, "
                       "PORTB, STATUS):"),
        QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    std::string error;
    if (!addRegister(text.toStdString(), error))
        tell(error);
}

void TimelineDock::showLaneMenu(int column, const QPoint& where) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Add Register..."), this, &TimelineDock::askForRegister);
    if (column >= 0 && trace().columns().size() > 1) {
        const QString name = QString::fromStdString(trace().columns()[column].name);
        QAction* remove = menu.addAction(QStringLiteral("Remove %1").arg(name));
        connect(remove, &QAction::triggered, this, [this, column] { removeColumn(column); });
    }
    menu.addSeparator();
    menu.addAction(QStringLiteral("Export VCD..."), this, &TimelineDock::exportVcd);
    menu.addAction(QStringLiteral("Export CSV..."), this, &TimelineDock::exportCsv);
    menu.exec(where);
}

void TimelineDock::exportVcd() {
    const std::string model(parts::modelName(form_.model));
    exportTrace("Export VCD", "Value Change Dump (*.vcd)|*.vcd", "timeline.vcd",
                [&](std::ostream& out) { timeline::writeVcd(out, trace(), model); });
}

void TimelineDock::exportCsv() {
    exportTrace("Export CSV", "Comma-separated values (*.csv)|*.csv", "timeline.csv",
                [&](std::ostream& out) {
                    timeline::writeCsv(out, trace(),
                                       [this](int line) { return lineAddress(form_, line); });
                });
}

void TimelineDock::exportTrace(const char* title, const char* filter, const char* fileName,
                               const std::function<void(std::ostream&)>& write) {
    follow();
    if (trace().empty()) {
        tell("There are no steps to export yet: step or run the program first.");
        return;
    }
    files::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.fileName = fileName;
    const files::FileDialogAnswer answer = dialogs_.save(request);
    if (answer.fileName.empty())
        return;
    std::ostringstream text;
    write(text);
    std::string error;
    if (!files::writeFileSafely(answer.fileName, text.str(), error))
        tell(error);
}

void TimelineDock::tell(const std::string& text) {
    messages_.show(text, window()->windowTitle().toStdString(), state::MessageIcon::Exclamation);
}

void TimelineDock::zoom(double percent) {
    zoomFont(*this, percent);
}

// The axis and about a dozen lanes; the rest scroll.
int TimelineDock::preferredHeight() const {
    return 17 * fontMetrics().height();
}

} // namespace mirel::shell
