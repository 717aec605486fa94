// The command layer against the virtual board's supplicant: what each operation sends.
#include "system/cmdutil.h"
#include "testkit/board_fixture.h"
#include "virtual_board.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

#include <functional>

namespace {

// The argument lists wpa_cli was called with, oldest first.
QList<QStringList> wpaCalls() {
    QList<QStringList> calls;
    for (const QByteArray& line :
         testkit::readFile(vboard::recordPath("wpa_cli.jsonl")).split('\n')) {
        if (line.isEmpty())
            continue;
        QStringList argv;
        for (const QJsonValue& v : QJsonDocument::fromJson(line).array())
            argv << v.toString();
        calls << argv;
    }
    return calls;
}

QStringList wpa(const QString& args) {
    return QStringList{"-i", "wlan0"} + args.split(' ');
}

} // namespace

Q_DECLARE_METATYPE(std::function<QString(CmdUtil&)>)

class TstCmdUtil : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;
    CmdUtil m_cmd;

private slots:
    void init() {
        m_board = std::make_unique<testkit::ScopedBoard>();
        testkit::captureMessages();
    }
    void cleanup() { testkit::releaseMessages(); }

    void commandLines_data() {
        QTest::addColumn<std::function<QString(CmdUtil&)>>("op");
        QTest::addColumn<QStringList>("argv");
        using Op = std::function<QString(CmdUtil&)>;
        QTest::newRow("scan") << Op([](CmdUtil& c) { return c.wireless_scan(); }) << wpa("scan");
        QTest::newRow("scan results")
            << Op([](CmdUtil& c) { return c.wireless_scanresult(); }) << wpa("scan_result");
        QTest::newRow("list") << Op([](CmdUtil& c) { return c.wireless_listnetwork(); })
                              << wpa("list_network");
        QTest::newRow("add") << Op([](CmdUtil& c) { return c.wireless_addnetwork(); })
                             << wpa("add_network");
        QTest::newRow("key mgmt NONE")
            << Op([](CmdUtil& c) { return c.wireless_setkeymgmt(0, "NONE"); })
            << wpa("set_network 0 key_mgmt NONE");
        QTest::newRow("key mgmt WPA-PSK")
            << Op([](CmdUtil& c) { return c.wireless_setkeymgmt(3, "WPA-PSK"); })
            << wpa("set_network 3 key_mgmt WPA-PSK");
        QTest::newRow("priority") << Op([](CmdUtil& c) { return c.wireless_setpriority(0, 10); })
                                  << wpa("set_network 0 priority 10");
        QTest::newRow("enable") << Op([](CmdUtil& c) { return c.wireless_enablenetwork(0); })
                                << wpa("enable_network 0");
        QTest::newRow("enable all") << Op([](CmdUtil& c) { return c.wireless_enableallnetwork(); })
                                    << wpa("enable_network all");
        QTest::newRow("disable") << Op([](CmdUtil& c) { return c.wireless_disablenetwork(0); })
                                 << wpa("disable_network 0");
        QTest::newRow("remove") << Op([](CmdUtil& c) { return c.wireless_removenetwork(7); })
                                << wpa("remove_network 7");
        QTest::newRow("save") << Op([](CmdUtil& c) { return c.wireless_saveconfig(); })
                              << wpa("save_config");
        QTest::newRow("reconfigure saves")
            << Op([](CmdUtil& c) { return c.wireless_reconfigure(); }) << wpa("save_config");
        QTest::newRow("status") << Op([](CmdUtil& c) { return c.wireless_getstatus(); })
                                << wpa("status");
        QTest::newRow("signal") << Op([](CmdUtil& c) { return c.wireless_getRSSI(); })
                                << wpa("signal_poll");
    }

    void commandLines() {
        QFETCH(std::function<QString(CmdUtil&)>, op);
        QFETCH(QStringList, argv);
        op(m_cmd);
        QCOMPARE(wpaCalls().last(), argv);
    }

    void answers() {
        QCOMPARE(m_cmd.wireless_scan(), QString("OK\n"));
        QVERIFY(m_cmd.wireless_getstatus().contains("wpa_state=COMPLETED\n"));
        QCOMPARE(m_cmd.wireless_getRSSI().split('\n').first(), QString("RSSI=-56"));
        QVERIFY(m_cmd.wireless_is_connected());
        QVERIFY(testkit::messages().contains("WiFi is connected (wpa_cli)"));
        QCOMPARE(m_cmd.wireless_removenetwork(0), QString("OK\n"));
        QVERIFY(!m_cmd.wireless_is_connected());
        QVERIFY(testkit::messages().contains("WiFi is not connected (wpa_cli)"));
    }

    void dhcpClient() {
        m_cmd.wireless_udhcpnetwork();
        QVERIFY(
            testkit::readFile(vboard::recordPath("calls.log")).endsWith("udhcpc -i wlan0 -q\n"));
    }

    // Values of any bytes arrive as one argument in double quotes, never as shell text.
    void valuesArriveUnchanged_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("quotes") << R"(Bob's "fast" net)";
        QTest::newRow("command substitution") << "$(touch /tmp/pwned)`touch /tmp/pwned2`";
        QTest::newRow("shell separators") << "a; rm -rf / && echo | cat > x";
        QTest::newRow("non-ASCII") << QString::fromUtf8("Café 网络 ünïcode");
        QTest::newRow("backslashes") << R"(C:\net\x41)";
    }

    void valuesArriveUnchanged() {
        QFETCH(QString, value);
        const int id = m_cmd.wireless_addnetwork().trimmed().toInt();
        QCOMPARE(m_cmd.wireless_setssid(id, value), QString("OK\n"));
        QCOMPARE(wpaCalls().last(),
                 wpa(QString("set_network %1 ssid").arg(id)) + QStringList{"\"" + value + "\""});
        QCOMPARE(m_cmd.wireless_setpsk(id, value + "-pass-phrase"), QString("OK\n"));
        QCOMPARE(wpaCalls().last().last(), "\"" + value + "-pass-phrase\"");
        QVERIFY(!QFile::exists("/tmp/pwned") && !QFile::exists("/tmp/pwned2"));
        QVERIFY(!QFile::exists(m_board->root() + "/tmp/pwned"));
        // The supplicant stored exactly the value.
        QVERIFY(testkit::readFile(m_board->root() + "/run/wpa_supplicant.json")
                    .contains(QJsonDocument(QJsonArray{value})
                                  .toJson(QJsonDocument::Compact)
                                  .mid(1)
                                  .chopped(1)));
    }

    void unknownKeyTypeRunsNothing() {
        const int before = wpaCalls().size();
        QCOMPARE(m_cmd.wireless_setkeymgmt(0, "WEP"), QString());
        QCOMPARE(m_cmd.wireless_setkeymgmt(0, "wpa2_psk"), QString());
        QCOMPARE(wpaCalls().size(), before);
    }

    void selectNetwork() {
        m_cmd.wireless_addnetwork(); // network 1
        m_cmd.wireless_addnetwork(); // network 2
        const int before = wpaCalls().size();
        QCOMPARE(m_cmd.wireless_selectnetwork(2), QString("OK\n"));
        const QList<QStringList> calls = wpaCalls().mid(before);
        QCOMPARE(calls, (QList<QStringList>{wpa("list_network"), wpa("set_network 0 priority 1"),
                                            wpa("set_network 1 priority 1"),
                                            wpa("set_network 2 priority 10"),
                                            wpa("enable_network all"), wpa("save_config")}));
    }

    void selectOnAnEmptyListStillEnablesAndSaves() {
        QCOMPARE(m_cmd.wireless_removenetwork(0), QString("OK\n"));
        const int before = wpaCalls().size();
        QCOMPARE(m_cmd.wireless_selectnetwork(4), QString("OK\n"));
        QCOMPARE(wpaCalls().mid(before),
                 (QList<QStringList>{wpa("list_network"), wpa("enable_network all"),
                                     wpa("save_config")}));
    }

    void secondRunnerKeepsThe128FirstBytes() {
        const QString full = m_cmd.wireless_scanresult();
        QVERIFY(full.toUtf8().size() > 128);
        const QString cut = m_cmd.sendCommand2({"wpa_cli", "-i", "wlan0", "scan_result"});
        QCOMPARE(cut.toLatin1(), full.toUtf8().left(128));
        QVERIFY(testkit::messages().contains("sendCommand2 Result[" +
                                             QString::fromLatin1(full.toUtf8().left(128)) + "]"));
    }

    void programThatCannotStart() {
        QCOMPARE(m_cmd.sendCommand("no_such_program --flag"), QString());
        QVERIFY(testkit::messages().contains("failed to start, error 0"));
        QCOMPARE(m_cmd.sendCommand2({"no_such_program"}), QString());
        QVERIFY(testkit::messages().contains("sendCommand2 popen error!\n"));
        QCOMPARE(m_cmd.sendCommand(""), QString());
    }

    void hungProgramIsKilled() {
        QVERIFY(testkit::writeFile(m_board->root() + "/bin/hang",
                                   "#!/bin/sh\necho started\nsleep 30\n"));
        QFile(m_board->root() + "/bin/hang")
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QElapsedTimer t;
        t.start();
        QCOMPARE(m_cmd.sendCommand("hang", 300), QString());
        QCOMPARE(m_cmd.sendCommand2({"hang"}, 300), QString("started\n"));
        QVERIFY(t.elapsed() < 5000);
    }

    void powerCommands() {
        for (auto op : {&CmdUtil::poweroff, &CmdUtil::reboot}) {
            QProcess app; // stands for the application the power program ends
            app.start("sleep", {"30"});
            QVERIFY(app.waitForStarted());
            QVERIFY(testkit::writeFile(vboard::recordPath("app.pid"),
                                       QByteArray::number(app.processId())));
            (m_cmd.*op)();
            QVERIFY(app.waitForFinished(5000));
        }
        QCOMPARE(testkit::readFile(vboard::recordPath("power")).trimmed(), QByteArray("reboot"));
        QVERIFY(
            testkit::readFile(vboard::recordPath("calls.log")).contains("poweroff \nreboot \n"));
    }
};

QTEST_GUILESS_MAIN(TstCmdUtil)
#include "tst_cmdutil.moc"
