// The command layer against the real supplicant: Debian's wpa_supplicant (unpacked into
// .tools/ by scripts/setup.sh) with driver "none" on an interface named wlan0 in a private
// network namespace, its control socket and configuration in a temporary folder. The
// board's wpa_cli is pointed at it, so the firmware's own commands and parsers run against
// the supplicant's real answers and escapes.
#include "app/gdata.h"
#include "system/cmdutil.h"
#include "system/wifi.h"
#include "system/wifi_service.h"
#include "testkit/testkit.h"

#include <QProcess>
#include <QtTest>

#include <unistd.h>

namespace {

const QString kTools = QStringLiteral(VISTREL_SOURCE_DIR) + "/.tools/wpa/sbin/";

// The SSID of a configuration block as bytes: quoted text, or hexadecimal digits.
QByteArray savedValue(const QByteArray& text) {
    return text.startsWith('"') ? text.mid(1, text.lastIndexOf('"') - 1)
                                : QByteArray::fromHex(text);
}

// The ssid= and psk= values of every network block of a saved configuration.
QList<QPair<QByteArray, QByteArray>> savedNetworks(const QByteArray& conf) {
    QList<QPair<QByteArray, QByteArray>> out;
    for (const QByteArray& block : conf.split('}')) {
        QByteArray ssid, psk;
        for (const QByteArray& line : block.split('\n')) {
            const QByteArray l = line.trimmed();
            if (l.startsWith("ssid="))
                ssid = savedValue(l.mid(5));
            if (l.startsWith("psk="))
                psk = savedValue(l.mid(4));
        }
        if (!ssid.isEmpty())
            out << qMakePair(ssid, psk);
    }
    return out;
}

} // namespace

class TstWifiSupplicant : public QObject {
    Q_OBJECT

    CmdUtil m_commands;

    std::unique_ptr<testkit::ScopedBoard> m_board;
    QTemporaryDir m_dir;
    QProcess m_supplicant;
    QString conf() const { return m_dir.path() + "/wpa_supplicant.conf"; }

    // The board's wpa_cli is the real one, talking to this supplicant.
    void pointBoardAtSupplicant() {
        const QString wrapper = m_board->root() + "/bin/wpa_cli";
        QFile::remove(wrapper);
        QVERIFY(testkit::writeFile(wrapper, QString("#!/bin/sh\nexec %1wpa_cli -p %2/run \"$@\"\n")
                                                .arg(kTools, m_dir.path())
                                                .toUtf8()));
        QFile(wrapper).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private slots:
    void initTestCase() {
        if (!QFile::exists(kTools + "wpa_supplicant"))
            QSKIP("wpa_supplicant is not unpacked: run scripts/setup.sh");
        if (::geteuid() != 0)
            QSKIP("a private network namespace needs root here");
        QVERIFY(testkit::writeFile(
            conf(),
            QString("ctrl_interface=%1/run\nupdate_config=1\n").arg(m_dir.path()).toUtf8()));
        m_supplicant.setProcessChannelMode(QProcess::MergedChannels);
        m_supplicant.start("unshare",
                           {"-n", "sh", "-c",
                            "ip link add wlan0 type veth peer name wlan0peer && ip link set wlan0 "
                            "up && exec \"$0\" -D none -i wlan0 -c \"$1\"",
                            kTools + "wpa_supplicant", conf()});
        QVERIFY(m_supplicant.waitForStarted(5000));
        const QString socket = m_dir.path() + "/run/wlan0";
        for (int i = 0;
             i < 50 && !QFile::exists(socket) && m_supplicant.state() == QProcess::Running; ++i)
            QTest::qWait(100);
        if (!QFile::exists(socket))
            QSKIP(qPrintable("no network namespace or supplicant here: " +
                             QString::fromUtf8(m_supplicant.readAll()).trimmed()));
        m_board = std::make_unique<testkit::ScopedBoard>();
        pointBoardAtSupplicant();
    }

    void cleanupTestCase() {
        if (m_supplicant.state() == QProcess::Running) {
            m_supplicant.terminate();
            m_supplicant.waitForFinished(5000);
        }
    }

    void networks_data() {
        QTest::addColumn<QString>("ssid");
        QTest::addColumn<QString>("psk");
        QTest::newRow("quotes and spaces") << R"( say "hi" )"
                                           << R"(pa"ss w"rd)";
        QTest::newRow("shell characters") << "$(reboot) `id`;|&<>"
                                          << "$(x) `y`;|&<> 'q'";
        QTest::newRow("backslashes, percent, hash") << R"(C:\net\x41 50%off #1)"
                                                    << R"(\\back%41#)";
        QTest::newRow("tab") << "Clinic\tGuest"
                             << "tab pass1";
        QTest::newRow("non-ASCII")
            << QString::fromUtf8("Café 网络 €") << QString::fromUtf8("pässwörd");
        QTest::newRow("longest") << QString(32, 'S') << QString(63, 'p');
    }
    void networks() {
        QFETCH(QString, ssid);
        QFETCH(QString, psk);
        CmdUtil& c = m_commands;
        const int id = c.wireless_addnetwork().trimmed().toInt();
        QCOMPARE(c.wireless_setssid(id, ssid).trimmed(), QString("OK"));
        QCOMPARE(c.wireless_setpsk(id, psk).trimmed(), QString("OK"));
        QCOMPARE(c.wireless_setkeymgmt(id, "WPA-PSK").trimmed(), QString("OK"));
        QCOMPARE(c.wireless_enablenetwork(id).trimmed(), QString("OK"));
        QCOMPARE(c.wireless_selectnetwork(id).trimmed(), QString("OK"));
        QCOMPARE(c.wireless_saveconfig().trimmed(), QString("OK"));

        const QString list = c.wireless_listnetwork();
        QCOMPARE(networkIndex(list, ssid), std::optional<int>(id));
        QVERIFY(savedSsids(list).contains(ssid));
        const auto saved = savedNetworks(testkit::readFile(conf()));
        QVERIFY2(saved.contains(qMakePair(ssid.toUtf8(), psk.toUtf8())),
                 testkit::readFile(conf()).constData());

        GData d;
        QVERIFY(d.wifi().switchWIFI(ssid));
        QVERIFY(d.wifi().addWIFI(ssid, psk) == false); // configured already: never added twice
        QVERIFY(d.wifi().deleteWIFI(ssid));
        QVERIFY(!networkIndex(c.wireless_listnetwork(), ssid));
        QVERIFY(!savedNetworks(testkit::readFile(conf()))
                     .contains(qMakePair(ssid.toUtf8(), psk.toUtf8())));
    }

    // Pass phrases the supplicant refuses, refused by our model of it as well.
    void refusedPassPhrases_data() {
        QTest::addColumn<QString>("psk");
        QTest::newRow("tab") << "tab\tpass1";
        QTest::newRow("seven bytes") << "1234567";
        QTest::newRow("64 bytes") << QString(64, 'p');
        QTest::newRow("line end") << "line\rend1";
    }
    void refusedPassPhrases() {
        QFETCH(QString, psk);
        CmdUtil& c = m_commands;
        const int id = c.wireless_addnetwork().trimmed().toInt();
        QCOMPARE(c.wireless_setpsk(id, psk).trimmed(), QString("FAIL"));
        c.wireless_removenetwork(id);
        testkit::ScopedBoard model; // the board's own wpa_cli model
        const int modelId = c.wireless_addnetwork().trimmed().toInt();
        QCOMPARE(c.wireless_setpsk(modelId, psk).trimmed(), QString("FAIL"));
        m_board.reset();
        m_board = std::make_unique<testkit::ScopedBoard>();
        pointBoardAtSupplicant();
    }

    void keyTypesItRefuses() {
        CmdUtil& c = m_commands;
        const int id = c.wireless_addnetwork().trimmed().toInt();
        QCOMPARE(c.wireless_setkeymgmt(id, "NONE").trimmed(), QString("OK"));
        QCOMPARE(c.wireless_setkeymgmt(id, "WPA-PSK").trimmed(), QString("OK"));
        // Names the supplicant does not know are not even sent.
        QCOMPARE(c.wireless_setkeymgmt(id, "WPA2_PSK"), QString());
        QCOMPARE(c.wireless_removenetwork(id).trimmed(), QString("OK"));
    }
};

QTEST_MAIN(TstWifiSupplicant)
#include "tst_wifi_supplicant.moc"
