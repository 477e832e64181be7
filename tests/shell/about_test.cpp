// The About dialog and the system-information lookup behind it.
#include "shell/frm_main.h"
#include "shell/sys_info.h"
#include "test_services.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using mirel::shell::KeyRoot;

namespace {
const std::string unavailable = "System Information Is Unavailable At This Time";
}

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void aboutIsModalWithItsTextsAndEnterOrEscapeClosesIt() {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            test::Services s;
            mirel::shell::frmMain window(s.services());
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QStringList seen;
            QTimer::singleShot(0, &window, [&] {
                auto* about =
                    qobject_cast<mirel::shell::frmAbout*>(QApplication::activeModalWidget());
                seen << about->windowTitle();
                for (auto* label : about->findChildren<QLabel*>())
                    seen << label->text();
                for (auto* button : about->findChildren<QPushButton*>())
                    seen << button->text() + (button->isDefault() ? "*" : "");
                QTest::keyClick(about, key);
            });
            window.mnuHelpAbout_Click();
            QCOMPARE(seen, (QStringList{"About Mirelsim", "  MirelsimAsm", " Emulator",
                                        "     Version   1.00                ", "OK*",
                                        "&System Info..."}));
            QVERIFY(!window.about()); // closed and unloaded
        }
    }

    // A string is cut at its first NUL; a number is its four bytes, low byte
    // first, every byte counting, zero bytes included.
    void getKeyValueReadsStringsAndNumbers() {
        test::FakeSystemTools tools;
        tools.keys["K"] = {{"text", {1, std::string("C:\\x\0y", 6)}},
                           {"small", {4, std::string("\x05\x10\0\0", 4)}},
                           {"zeroFirst", {4, std::string("\0\x01\0\0", 4)}},
                           {"largest", {4, "\xFF\xFF\xFF\xFF"}},
                           {"binary", {3, "\x01\x02"}}};
        const std::tuple<const char*, const char*, bool, std::string> cases[] = {
            {"K", "text", true, "C:\\x"},    {"K", "small", true, "4101"},
            {"K", "zeroFirst", true, "256"}, {"K", "largest", true, "4294967295"},
            {"K", "binary", true, "before"}, {"K", "missing", false, ""},
            {"missing", "text", false, ""},
        };
        for (const auto& [key, value, read, text] : cases) {
            std::string got = "before";
            QCOMPARE(mirel::shell::GetKeyValue(tools, KeyRoot::LocalMachine, key, value, got),
                     read);
            QCOMPARE(got, text);
        }
    }

    // The first value names the tool; the second names its folder, which
    // must hold it. Every failure ends in the one message, as on this
    // platform, which has no registry.
    void startSysInfoFindsTheToolOrSaysItIsUnavailable() {
        const std::tuple<bool, bool, bool, bool, std::string> cases[] = {
            // path value, folder value, file there, start works, started
            {false, false, false, true, ""},
            {true, true, false, true, "C:\\T\\msinfo.exe"},
            {false, true, false, true, ""},
            {false, true, true, true, "C:\\F\\MSINFO32.EXE"},
            {true, false, false, false, "C:\\T\\msinfo.exe"},
        };
        for (const auto& [path, folder, fileThere, startWorks, started] : cases) {
            test::FakeSystemTools tools;
            tools.startWorks = startWorks;
            if (path)
                tools.keys["SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"]["PATH"] = {
                    1, "C:\\T\\msinfo.exe"};
            if (folder)
                tools.keys["SOFTWARE\\Microsoft\\Shared Tools Location"]["MSINFO"] = {1, "C:\\F"};
            if (fileThere)
                tools.files.push_back("C:\\F\\MSINFO32.EXE");
            test::RecordedMessages messages;
            mirel::shell::StartSysInfo(tools, messages);
            QCOMPARE(tools.started.empty() ? std::string() : tools.started.back(), started);
            const std::vector<test::Message> told{
                {unavailable, "Mirelsim", mirel::state::MessageIcon::None}};
            QCOMPARE(messages.shown,
                     started.empty() || !startWorks ? told : std::vector<test::Message>{});
        }
        mirel::shell::QtSystemTools platform;
        test::RecordedMessages messages;
        mirel::shell::StartSysInfo(platform, messages);
        QCOMPARE(messages.shown.size(), std::size_t(1));
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
