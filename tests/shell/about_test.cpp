// The About dialog and the system-information lookup behind it.
#include "shell/frm_main.h"
#include "shell/sys_info.h"
#include "test_services.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using mirel::shell::frmAbout;
using mirel::shell::frmMain;
using mirel::shell::KeyRoot;

namespace {
constexpr const char* pathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string unavailable = "System Information Is Unavailable At This Time";

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}
} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void aboutIsModalWithItsTextsAndEnterOrEscapeClosesIt_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void aboutIsModalWithItsTextsAndEnterOrEscapeClosesIt() {
        QFETCH(int, key);
        test::Services s;
        frmMain window(s.services());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QStringList seen;
        bool modal = false;
        QTimer::singleShot(0, &window, [&] {
            auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
            QVERIFY(about);
            modal = about->isModal() && about->parentWidget() == &window;
            seen << about->windowTitle();
            for (const char* name : {"lblTitle", "Label2", "Label1"})
                seen << about->findChild<QLabel*>(QLatin1String(name))->text();
            for (const char* name : {"cmdOK", "cmdSysInfo"})
                seen << about->findChild<QPushButton*>(QLatin1String(name))->text();
            QTest::keyClick(about, Qt::Key(key));
        });
        window.mnuHelpAbout_Click();
        QVERIFY(modal);
        QCOMPARE(seen,
                 (QStringList{"About Mirelsim", "  MirelsimAsm", " Emulator",
                              "     Version   1.00                ", "OK", "&System Info..."}));
        QVERIFY(!window.about()); // closed and unloaded
    }

    // Without the registry (this platform) the button only says so, and the
    // dialog stays open.
    void systemInfoIsUnavailableWithoutTheRegistry() {
        test::Services s;
        frmMain window(s.services());
        bool stillOpen = false;
        QTimer::singleShot(0, &window, [&] {
            auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
            QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")),
                              Qt::LeftButton);
            stillOpen = about->isVisible();
            about->cmdOK_Click();
        });
        window.mnuHelpAbout_Click();
        QVERIFY(stillOpen);
        QCOMPARE(s.messages.shown, std::vector<test::Message>({{unavailable, "Mirelsim",
                                                                mirel::state::MessageIcon::None}}));
    }

    // A string is cut at its first NUL; a number is its four bytes, low byte
    // first, every byte counting, zero bytes included.
    void getKeyValueReadsStringsAndNumbers() {
        test::FakeSystemTools tools;
        tools.keys["K"] = {{"text", {1, bytes({'C', ':', '\\', 'x', 0, 'y'})}},
                           {"small", {4, bytes({0x05, 0x10, 0, 0})}},
                           {"zeroFirst", {4, bytes({0, 1, 0, 0})}},
                           {"largest", {4, bytes({0xFF, 0xFF, 0xFF, 0xFF})}},
                           {"binary", {3, bytes({1, 2})}}};
        const struct {
            const char* key;
            const char* value;
            bool read;
            std::string text;
        } cases[] = {
            {"K", "text", true, "C:\\x"},    {"K", "small", true, "4101"},
            {"K", "zeroFirst", true, "256"}, {"K", "largest", true, "4294967295"},
            {"K", "binary", true, "before"}, {"K", "missing", false, ""},
            {"missing", "text", false, ""},
        };
        for (const auto& c : cases) {
            std::string text = "before";
            const bool read =
                mirel::shell::GetKeyValue(tools, KeyRoot::LocalMachine, c.key, c.value, text);
            QVERIFY2(read == c.read && text == c.text, c.value);
        }
    }

    void startSysInfoFindsTheToolOrSaysItIsUnavailable() {
        const struct {
            const char* name;
            bool path;
            bool location;
            bool fileThere;
            bool startWorks;
            std::string started;
        } cases[] = {
            {"neither value", false, false, false, true, ""},
            {"path value", true, true, false, true, "C:\\Tools\\msinfo.exe"},
            {"location, file missing", false, true, false, true, ""},
            {"location and file", false, true, true, true, "C:\\Info\\MSINFO32.EXE"},
            {"start fails", true, false, false, false, "C:\\Tools\\msinfo.exe"},
        };
        for (const auto& c : cases) {
            test::FakeSystemTools tools;
            tools.startWorks = c.startWorks;
            if (c.path)
                tools.keys[pathKey]["PATH"] = {1, "C:\\Tools\\msinfo.exe"};
            if (c.location)
                tools.keys[locationKey]["MSINFO"] = {1, std::string("C:\\Info\0", 8)};
            if (c.fileThere)
                tools.files.push_back("C:\\Info\\MSINFO32.EXE");
            test::RecordedMessages messages;
            mirel::shell::StartSysInfo(tools, messages);

            QCOMPARE(tools.started.empty() ? std::string() : tools.started.back(), c.started);
            const bool told = !messages.shown.empty() && messages.shown.back().text == unavailable;
            QVERIFY2(told == (c.started.empty() || !c.startWorks), c.name);
        }
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
