#include "frm_main.h"

#include "accessible_names.h"
#include "control_tips.h"
#include "counter_box.h"
#include "examples_folder.h"
#include "exercise_dock.h"
#include "frm_about.h"
#include "hidden_views.h"
#include "lamp_view.h"
#include "list_columns.h"
#include "list_selection.h"
#include "pictures.h"
#include "row_list_view.h"
#include "settings_keys.h"
#include "state/direct_edits.h"
#include "state/program_counter.h"
#include "state/window_load.h"
#include "tab_order.h"
#include "text_list_model.h"
#include "twips.h"
#include "wrapping_status_bar.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace mirel::shell {

namespace {

// The design area is 11880 x 8205 twips with the toolbar across its top; the
// toolbar has its own place above the controls here.
constexpr int toolbarBand = 600;
constexpr int designWidth = 11880;
constexpr int designHeight = 8205;

QRect controlRect(int left, int top, int width, int height) {
    return layoutRect(left, top - toolbarBand, width, height);
}

// The explanation of the next step sits under the entry line; the middle
// column's controls below it move down by its band, keeping their sizes.
constexpr int nextStepBand = 480;
QRect belowNextStep(int left, int top, int width, int height) {
    return controlRect(left, top + nextStepBand, width, height);
}

QColor yellow() {
    return QColor(255, 255, 0);
}

// Yellow text on black, as the machine's views show it; frames and buttons
// keep the panel face so their edges show against the black window.
QPalette viewPalette(const QPalette& panel) {
    QPalette p = panel;
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, yellow());
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(160, 160, 0));
    p.setColor(QPalette::Highlight, QColor(0, 0, 160));
    p.setColor(QPalette::HighlightedText, yellow());
    return p;
}

// A label that shows a value: yellow on its own black background.
QPalette valuePalette(const QPalette& panel) {
    QPalette p = viewPalette(panel);
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, yellow());
    return p;
}

QFont arialBold(qreal points) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

template <typename Widget> Widget* place(QWidget* parent, const QString& name, const QRect& where) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(where);
    return widget;
}

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// A caption on the window's grey panel face, readable against the black.
QLabel* caption(QWidget* parent, const QString& name, const QString& text, const QRect& where,
                const QPalette& panel) {
    auto* label = place<QLabel>(parent, name, where);
    label->setText(text);
    label->setPalette(panel);
    label->setAutoFillBackground(true);
    return label;
}

// A list's column headings in the lists' face, each word over its column,
// shown while the list is.
void heading(QWidget* parent, const char* name, state::ControlModel& model, const QRect& where,
             const QPalette& panel, QListView& list) {
    auto* label = new ColumnHeading(list, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(where);
    label->setText(QString::fromLatin1(model.caption()));
    label->setPalette(panel);
    label->setAutoFillBackground(true);
    label->setFont(arialBold(12));
    bindShown(*label, model);
}

} // namespace

frmMain::frmMain(QWidget* parent) : frmMain(std::make_unique<QtServices>(), nullptr, parent) {}

frmMain::frmMain(const WindowServices& services, QWidget* parent)
    : frmMain(nullptr, &services, parent) {}

frmMain::frmMain(std::unique_ptr<QtServices> own, const WindowServices* services, QWidget* parent)
    : QMainWindow(parent), ownServices_(std::move(own)),
      services_(services ? *services : ownServices_->services()),
      placement_(
          *this, services_.settings, [this](QSize free) { return fitLayout(free); },
          [this] { return zoom_; }),
      dialogStart_(
          services_.settings,
          {settings::application, settings::section, settings::lastFolder, settings::lastKind},
          examplesFolder()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(state::applicationTitle));
    setWindowIcon(makeWindowIcon());

    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    setStatusBar(new WrappingStatusBar(this));
    buildCommands();
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    controls_ = buildControls();
    orderTabs(*controls_);
    scroll->setWidget(controls_);
    setCentralWidget(scroll);
    buildDebugCommands();
    // The counts give their room to a long message.
    static_cast<WrappingStatusBar*>(statusBar())
        ->letStepAside(findChild<QLabel*>(QStringLiteral("DebugCounts")));
    buildEditCommands();
    buildRunCommands();
    buildViewCommands();
    buildReferenceCommands();
    buildExerciseCommands();
    buildTimelineCommands();
    nameControlsForAccessibility(*this);
    giveControlsTips(*this);

    // The window's load event.
    state::Form_Load(form_, placement_);
    showFirstSteps();
}

frmMain::~frmMain() {
    // The controls and their bindings go first, while the models they watch
    // still exist.
    delete takeCentralWidget();
    // The Instruction Set window goes after our members: it tells us no more.
    if (instructionSet_)
        instructionSet_->disconnect(this);
}

// A changed program is saved or given up first; Cancel keeps the window open.
void frmMain::closeEvent(QCloseEvent* event) {
    if (!fileCommands_.mayClose()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    placement_.windowShown();
    opening_ = false;
}

// The other forms go first (the About dialog and the Instruction Set); a
// minimized window keeps the placement stored before. The placement is the
// window's without the Exercise window, which the next start does not show.
void frmMain::Form_Unload() {
    if (about_)
        about_->reject();
    if (instructionSet_)
        instructionSet_->close();
    const QSize dockRoom = dockedRoom();
    if (exerciseDock_)
        exerciseDock_->hide();
    if (!isMinimized() && !isMaximized() && !isFullScreen() && !dockRoom.isNull())
        resize(size() - dockRoom);
    if (!isMinimized())
        placement_.storePlacement();
}

QWidget* frmMain::buildControls() {
    auto* canvas = new PaintedPicture(paintBackground, PaintedPicture::Fit::Whole, nullptr);
    canvas->setObjectName(QStringLiteral("controls"));
    canvas->setFixedSize(layoutPixels(designWidth), layoutPixels(designHeight - toolbarBand));
    const QPalette panel = style()->standardPalette();

    // The headings share the lists' font and columns.
    QListView* code = buildList(canvas, "Code", form_.Code);
    code->setGeometry(controlRect(120, 1080, 3375, 6615));
    static_cast<RowListView*>(code)->setColumns(
        ListColumns::program(QString::fromLatin1(form_.Label3.caption())));
    heading(canvas, "Label3", form_.Label3, controlRect(120, 720, 3375, 330), panel, *code);
    bindShown(*code, form_.CodeView);
    auto* codeLines = static_cast<TextListModel*>(code->model());
    auto* codeSelection =
        new ListSelectionSync(*code, *codeLines, [this] { state::Code_Click(form_); });

    auto* counter =
        place<QComboBox>(canvas, QStringLiteral("Counter"), controlRect(4320, 720, 3375, 480));
    counter->setFont(arialBold(14.25));
    counter->setPalette(viewPalette(panel));
    auto* counterBinding = new CounterBinding(*counter, form_, [this] {
        editor_.record([this] { state::Counter_KeyPress(form_, state::enterKey); });
    });
    bindShown(*counter, form_.CounterView);

    QListView* reg = buildList(canvas, "Reg", form_.Reg);
    reg->setGeometry(controlRect(8640, 1080, 3255, 6615));
    static_cast<RowListView*>(reg)->setColumns(
        ListColumns::registers(QString::fromLatin1(form_.Label2.caption())));
    heading(canvas, "Label2", form_.Label2, controlRect(8640, 720, 3255, 330), panel, *reg);
    bindShown(*reg, form_.RegView);
    // The views a fast run hides stop hearing every step until shown again.
    auto* regLines = static_cast<TextListModel*>(reg->model());
    new FollowWhileShown(*reg, {[regLines](bool on) { regLines->follow(on); }});
    new FollowWhileShown(*code, {[codeLines](bool on) { codeLines->follow(on); },
                                 [codeSelection](bool on) { codeSelection->follow(on); }});
    new FollowWhileShown(*counter, {[counterBinding](bool on) { counterBinding->follow(on); }});
    buildList(canvas, "SPReg", form_.SPReg)->setGeometry(belowNextStep(7800, 1320, 735, 2775));

    buildNextStepLabel(canvas, controlRect(3600, 1230, 4935, 450));
    buildFlagReg(canvas);
    buildButtons(canvas);
    buildPort(canvas, "Frame1", 4200, "RA", form_.RA, form_.InA);
    buildPort(canvas, "Frame2", 6000, "RB", form_.RB, form_.InB);
    // The register list ends a pixel past the design's width: the layout
    // widens to show its edge.
    const QRect used = canvas->childrenRect();
    canvas->setFixedSize(canvas->size().expandedTo(QSize(used.right() + 1, used.bottom() + 1)));
    return canvas;
}

QListView* frmMain::buildList(QWidget* parent, const char* name, state::TextList& list) {
    auto* view = new RowListView(parent);
    view->setObjectName(QLatin1String(name));
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A line too long for the list scrolls into view, never shortened with
    // an ellipsis that would hide its operand.
    view->setTextElideMode(Qt::ElideNone);
    view->setFont(arialBold(12));
    view->setPalette(viewPalette(style()->standardPalette()));
    view->setModel(new TextListModel(list, view));
    view->setItemDelegate(new ColumnDelegate(view));
    return view;
}

void frmMain::buildFlagReg(QWidget* parent) {
    auto* frame =
        place<QFrame>(parent, QStringLiteral("FlagReg"), belowNextStep(4320, 1320, 3375, 2175));
    frame->setFrameShape(QFrame::Box);
    frame->setPalette(style()->standardPalette());
    frame->setAutoFillBackground(true);
    const QPalette panel = style()->standardPalette();

    auto* label4 = place<QLabel>(frame, QStringLiteral("Label4"), layoutRect(240, 300, 420, 495));
    label4->setText(QStringLiteral("W"));
    label4->setFont(arialBold(14));

    auto* w = place<QLineEdit>(frame, QStringLiteral("W"), layoutRect(720, 240, 975, 615));
    QFont big = w->font();
    big.setPointSize(18);
    big.setBold(true);
    w->setFont(big);
    w->setPalette(viewPalette(panel));
    bindHexBox(*w, form_.W);
    bindShown(*w, form_.WBox);

    for (int i = 0; i < 8; ++i) {
        const int left = 240 + (7 - i) * 360;
        auto* bit = place<QLabel>(frame, indexed("WRBit", i), layoutRect(left, 1080, 360, 255));
        bit->setText(QString::number(i));
        bit->setAlignment(Qt::AlignCenter);

        auto* rw = place<QLabel>(frame, indexed("RW", i), layoutRect(left + 15, 1380, 330, 435));
        rw->setAlignment(Qt::AlignCenter);
        rw->setFont(arialBold(12));
        rw->setPalette(valuePalette(panel));
        rw->setAutoFillBackground(true);
        bindLabel(*rw, form_.RW[static_cast<std::size_t>(i)]);
    }
}

void frmMain::buildButtons(QWidget* parent) {
    struct Place {
        const char* name;
        state::ControlModel& model;
        int left;
    };
    const Place places[] = {
        {"Mirel", form_.Mirel, 4320},       {"Slow", form_.Slow, 4320},
        {"Step", form_.Step, 5520},         {"Fast", form_.Fast, 5520},
        {"StartKey", form_.StartKey, 6720}, {"StopKey", form_.StopKey, 6720},
    };
    for (const Place& p : places) {
        auto* button = place<QPushButton>(parent, QLatin1String(p.name),
                                          belowNextStep(p.left, 3720, 975, 375));
        button->setPalette(style()->standardPalette());
        bindButton(*button, p.model);
    }
    const auto onClick = [this, parent](const char* name, auto handler) {
        connect(parent->findChild<QPushButton*>(QLatin1String(name)), &QPushButton::clicked, this,
                handler);
    };
    onClick("Step", [this] { simulator_.Step_Click(); });
    onClick("Mirel", [this] { editor_.record([this] { state::Mirel_Click(form_); }); });
    onClick("StartKey", [this] { run_.StartKey_Click(); });
    onClick("StopKey", [this] { run_.StopKey_Click(); });
    onClick("Fast", [this] { run_.Fast_Click(); });
    onClick("Slow", [this] { run_.Slow_Click(); });

    // As tall as the buttons beside it and as readable; the unit has a label
    // of its own, as the run reads the bare number.
    auto* speed = caption(parent, QStringLiteral("Label5"), QString(),
                          belowNextStep(3600, 3720, 420, 375), style()->standardPalette());
    speed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    speed->setFont(arialBold(9));
    bindLabel(*speed, form_.Label5);
    auto* unit = caption(parent, QStringLiteral("Label5Unit"), QStringLiteral("ms"),
                         belowNextStep(4020, 3720, 240, 375), style()->standardPalette());
    unit->setAlignment(Qt::AlignCenter);
    QFont small = unit->font();
    small.setPointSize(7);
    unit->setFont(small);
}

void frmMain::buildPort(QWidget* parent, const char* name, int top, const char* pin,
                        std::array<state::LampModel, 8>& lamps,
                        std::array<state::CheckBoxModel, 8>& inputs) {
    auto* frame = place<QFrame>(parent, QLatin1String(name), belowNextStep(3600, top, 4935, 1695));
    frame->setFrameShape(QFrame::Box);
    frame->setPalette(style()->standardPalette());
    frame->setAutoFillBackground(true);
    QFont small = frame->font();
    small.setPointSize(7);

    const QString lampName = QLatin1String(pin);
    const QString inputName = QStringLiteral("In") + lampName.right(1);
    for (int i = 0; i < 8; ++i) {
        const auto bit = static_cast<std::size_t>(i);
        // Bit 7 at the left, 600 twips per pin.
        const int left = 120 + (7 - i) * 600;
        auto* lamp = place<LampView>(frame, indexed(pin, i), layoutRect(left + 60, 120, 480, 480));
        bindLamp(*lamp, lamps[bit]);

        auto* label = place<QLabel>(frame, QStringLiteral("Label%1%2").arg(lampName).arg(i),
                                    layoutRect(left, 630, 600, 255));
        label->setText(lampName + QString::number(i));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(small);

        auto* input = place<QCheckBox>(frame, indexed(qPrintable(inputName), i),
                                       layoutRect(left + 15, 1020, 585, 330));
        input->setFont(small);
        bindCheckBox(*input, inputs[bit]);
    }
}

} // namespace mirel::shell
