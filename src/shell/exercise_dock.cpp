#include "exercise_dock.h"

#include "zoom.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace mirel::shell {

namespace {
// Before the first Check: where the grade will come from.
constexpr const char* noGradeYet = "Debug > Check Exercise (F8) runs a copy of the program "
                                   "and shows here what it left.";

QLabel* textLabel(QWidget* parent, const char* name, QVBoxLayout* layout) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
}

// Only bold: the size follows the window's zoom with the rest of the text.
void makeBold(QWidget& widget) {
    QFont bold;
    bold.setBold(true);
    widget.setFont(bold);
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void showText(QLabel& label, const std::string& text) {
    label.setText(fromUtf8(text));
    label.setVisible(!text.empty());
}

// The file's task lines as the dock's width wraps them: a line goes on where
// the last one stopped, an empty line ends a paragraph, and a line that starts
// a list item ("- ", "* ", "2. ") starts a line of its own.
QString taskText(const std::vector<std::string>& lines) {
    static const QRegularExpression item(QStringLiteral("^([-*]|\\d+[.)]) "));
    QString text;
    bool paragraphEnds = false;
    for (const std::string& line : lines) {
        const QString words = fromUtf8(line).trimmed();
        if (words.isEmpty()) {
            paragraphEnds = !text.isEmpty();
            continue;
        }
        if (paragraphEnds)
            text += QStringLiteral("\n\n");
        else if (!text.isEmpty())
            text += item.match(words).hasMatch() ? QLatin1Char('\n') : QLatin1Char(' ');
        text += words;
        paragraphEnds = false;
    }
    return text;
}

// A check's row: its mark, then the check, what was expected and what the
// run gave, and for a failed one what the learner should read.
QWidget* checkRow(QWidget* parent, const GradeRow& row, int index) {
    auto* line = new QWidget(parent);
    line->setObjectName(QStringLiteral("ExerciseCheck(%1)").arg(index));
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* mark = new QLabel(row.passed ? QStringLiteral("\u2713") : QStringLiteral("\u2717"), line);
    mark->setObjectName(QStringLiteral("ExerciseCheckMark"));
    makeBold(*mark);
    QPalette colour = mark->palette();
    colour.setColor(QPalette::WindowText, row.passed ? QColor(0, 120, 0) : QColor(190, 0, 0));
    mark->setPalette(colour);
    layout->addWidget(mark, 0, Qt::AlignTop);

    QString text = fromUtf8(row.check) + QLatin1Char('\n') + fromUtf8(row.outcome);
    if (!row.message.empty())
        text += QLatin1Char('\n') + fromUtf8(row.message);
    auto* words = new QLabel(text, line);
    words->setObjectName(QStringLiteral("ExerciseCheckText"));
    words->setTextFormat(Qt::PlainText);
    words->setWordWrap(true);
    words->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(words, 1);
    const QString state = row.passed ? QStringLiteral("Passed") : QStringLiteral("Failed");
    line->setAccessibleName(state + QStringLiteral(": ") + fromUtf8(row.check));
    words->setAccessibleName(state + QStringLiteral(": ") +
                             QString(text).replace(QLatin1Char('\n'), QStringLiteral(", ")));
    return line;
}
} // namespace

ExerciseDock::ExerciseDock(QWidget* parent) : QDockWidget(QStringLiteral("Exercise"), parent) {
    setObjectName(QStringLiteral("ExerciseDock"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    // The main window is black behind its controls; the text reads on the panel face.
    setPalette(style()->standardPalette());
    setAutoFillBackground(true);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ExerciseScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* page = new QWidget(scroll);
    page->setObjectName(QStringLiteral("ExercisePage"));
    page->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(page);

    title_ = textLabel(page, "ExerciseTitle", layout);
    makeBold(*title_);
    model_ = textLabel(page, "ExerciseModel", layout);
    task_ = textLabel(page, "ExerciseTask", layout);
    auto* rule = new QFrame(page);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    verdict_ = textLabel(page, "ExerciseVerdict", layout);
    rows_ = new QVBoxLayout;
    layout->addLayout(rows_);
    hiddenFailure_ = textLabel(page, "ExerciseHiddenFailure", layout);
    messages_ = textLabel(page, "ExerciseMessages", layout);
    layout->addStretch(1);
    scroll->setWidget(page);
    setWidget(scroll);
    setMinimumWidth(24 * fontMetrics().averageCharWidth());
}

void ExerciseDock::showExercise(const exercise::Exercise& exercise) {
    showText(*title_, exercise.title);
    showText(*model_, "Device: " + std::string(parts::modelName(exercise.model)));
    const QString task = taskText(exercise.task);
    task_->setText(task);
    task_->setVisible(!task.isEmpty());
    clearRows();
    verdict_->setFont(QFont());
    verdict_->setText(QString::fromLatin1(noGradeYet));
    hiddenFailure_->hide();
    messages_->hide();
}

void ExerciseDock::showGrade(const GradeReport& report) {
    clearRows();
    makeBold(*verdict_);
    verdict_->setText(fromUtf8(report.verdict));
    for (std::size_t i = 0; i < report.rows.size(); ++i)
        rows_->addWidget(checkRow(verdict_->parentWidget(), report.rows[i], static_cast<int>(i)));
    showText(*hiddenFailure_, report.hiddenFailure);
    showText(*messages_, report.messages);
}

void ExerciseDock::clearRows() {
    while (QLayoutItem* item = rows_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

void ExerciseDock::zoom(double percent) {
    zoomFont(*this, percent);
}

int ExerciseDock::preferredWidth() const {
    return 36 * fontMetrics().averageCharWidth();
}

int ExerciseDock::preferredHeight() const {
    return 12 * fontMetrics().height();
}

} // namespace mirel::shell
