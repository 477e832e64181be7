#include "frm_about.h"

#include "pictures.h"
#include "sys_info.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>

namespace mirel::shell {

namespace {
// The dialog's client area in twips.
constexpr int aboutWidth = 5730;
constexpr int aboutHeight = 3795;

QLabel* label(QWidget* parent, const char* name, const char* text, const QRect& where, qreal points,
              const QColor& colour) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(where);
    QFont font = label->font();
    font.setPointSizeF(points);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// One line of the etched separator, a pixel high across the dialog.
void line(QWidget* parent, const char* name, int top, const QColor& colour) {
    auto* line = new QWidget(parent);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(layoutPixels(84), top, layoutPixels(aboutWidth - 2 * 84), 1);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
}

QPushButton* button(QWidget* parent, const char* name, const char* text, const QRect& where) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(where);
    button->setAutoDefault(false);
    return button;
}
} // namespace

frmAbout::frmAbout(SystemTools& system, state::MessageBoxService& messages, QWidget* parent)
    : QDialog(parent), system_(system), messages_(messages) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Mirelsim"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setFixedSize(layoutPixels(aboutWidth), layoutPixels(aboutHeight));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    auto* logo = new PaintedPicture(paintChip, PaintedPicture::Fit::Square, this);
    logo->setObjectName(QStringLiteral("picIcon"));
    logo->setGeometry(layoutRect(240, 240, 720, 720));
    logo->setAccessibleName(QStringLiteral("Mirelsim logo"));

    const QColor yellow(255, 255, 0);
    label(this, "lblTitle", "  MirelsimAsm", layoutRect(1050, 240, 3885, 480), 18, yellow);
    label(this, "Label2", " Emulator", layoutRect(1050, 780, 3885, 420), 13.5,
          QColor(255, 255, 170));
    label(this, "Label1", "     Version   1.00                ", layoutRect(1050, 1320, 3885, 300),
          9.75, yellow);

    // Etched: a grey line with a white one a pixel below it.
    const int separator = layoutPixels(2430);
    line(this, "Line1", separator, QColor(128, 128, 128));
    line(this, "Line2", separator + 1, Qt::white);

    QPushButton* ok = button(this, "cmdOK", "OK", layoutRect(4080, 2625, 1440, 375));
    // OK is the default button for Enter; Escape rejects the dialog, which
    // unloads it as OK does.
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    QPushButton* sysInfo =
        button(this, "cmdSysInfo", "&System Info...", layoutRect(4080, 3075, 1440, 375));
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo(system_, messages_);
}

} // namespace mirel::shell
