// Wi-Fi management: the parsers, and joining, switching and forgetting networks on the
// virtual supplicant.
#include "app/gdata.h"
#include "capture/capture_session.h"
#include "system/clock_service.h"
#include "system/cmdutil.h"
#include "system/device_thread.h"
#include "system/firmware_service.h"
#include "system/wifi.h"
#include "system/wifi_service.h"
#include "testkit/testkit.h"
#include "virtual_board.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kHeader = "bssid / frequency / signal level / flags / ssid\n";

int count(const QByteArray& haystack, const QByteArray& needle) {
    return int(haystack.count(needle));
}

} // namespace

class TstWifi : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;
    std::unique_ptr<GData> m_data;

    QByteArray calls() const { return testkit::readFile(vboard::recordPath("calls.log")); }

private slots:
    void init() {
        m_board = std::make_unique<testkit::ScopedBoard>();
        m_data = std::make_unique<GData>();
        m_data->wifi().setJoinPollMs(50);
    }

    void scanResults_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("ssids");
        QTest::addColumn<QStringList>("levels");
        QTest::newRow("sorted by level")
            << kHeader + "a\t2412\t-70\t[ESS]\tFar\nb\t2412\t-40\t[WPA2-PSK-CCMP][ESS]"
                         "\tNear\nc\t2412\t-55\t[ESS]\tMid\n"
            << QStringList{"Near", "Mid", "Far"} << QStringList{"-40", "-55", "-70"};
        QTest::newRow("duplicate SSID: the first listed wins")
            << kHeader + "a\t2412\t-80\t[ESS]\tTwin\nb\t5180\t-30\t[ESS]\tTwin\n"
            << QStringList{"Twin"} << QStringList{"-80"};
        QTest::newRow("hidden SSID and other field counts")
            << kHeader + "a\t2412\t-50\t[ESS]\t\nb\t2412\t-50\t[ESS]\nc\t2412\t-50\t[ESS]"
                         "\tX\textra\nd\t2412\t-50\t[ESS]\tOk\n"
            << QStringList{"Ok"} << QStringList{"-50"};
        QTest::newRow("escaped SSID decoded")
            << kHeader + "a\t2412\t-50\t[ESS]\tCaf\\xc3\\xa9 \\xe7\\xbd\\x91\n"
            << QStringList{QString::fromUtf8("Café 网")} << QStringList{"-50"};
        QTest::newRow("control bytes and over-long SSIDs left out")
            << kHeader +
                   "a\t2412\t-50\t[ESS]\tEvil\\nset_network\nb\t2412\t-50\t[ESS]\tNul\\x00x\n"
                   "c\t2412\t-50\t[ESS]\t" +
                   QString(33, 'L') + "\nd\t2412\t-50\t[ESS]\t" + QString(32, 'L') + "\n"
            << QStringList{QString(32, 'L')} << QStringList{"-50"};
        QTest::newRow("header only") << kHeader << QStringList{} << QStringList{};
    }

    void scanResults() {
        QFETCH(QString, answer);
        QFETCH(QStringList, ssids);
        QFETCH(QStringList, levels);
        const ScanList found = parseScanResults(answer);
        QCOMPARE(found.ssids, ssids);
        QCOMPARE(found.levels, levels);
        QCOMPARE(found.flags.size(), ssids.size());
    }

    void statusAndSignal() {
        const WifiStatus s = parseWifiStatus(
            "bssid=02:00:5e:10:00:02\nfreq=2437\nssid=Caf\\xc3\\xa9\nwpa_state=COMPLETED\n");
        QCOMPARE(s.bssid, QString("02:00:5e:10:00:02"));
        QCOMPARE(s.state, QString("COMPLETED"));
        QCOMPARE(s.ssid, QString::fromUtf8("Café"));
        QCOMPARE(wpaState("address=x\nwpa_state=4WAY_HANDSHAKE\n"), QString("4WAY_HANDSHAKE"));
        QCOMPARE(wpaState("FAIL\n"), QString());
        QCOMPARE(rssiOf("RSSI=-61\nLINKSPEED=72\n"), -61);
        QCOMPARE(rssiOf("FAIL\n"), 0);
        QCOMPARE(rssiOf(""), 0);
        QVERIFY(isSecured("[WPA2-PSK-CCMP][ESS]"));
        QVERIFY(isSecured("[WPA-PSK-TKIP][ESS]"));
        QVERIFY(!isSecured("[WEP][ESS]")); // offered as an unsafe network
        QVERIFY(!isSecured("[ESS]"));
        QCOMPARE(networkIndex("h\n0\tA\tany\t\n3\tB\tany\t\n5\tA\tany\t\n", "A"),
                 std::optional<int>(5));
        QVERIFY(!networkIndex("h\n0\tA\tany\t\n", "a"));
        QCOMPARE(savedSsids("h\n0\tCaf\\xc3\\xa9\tany\t[CURRENT]\nbroken\n"),
                 QStringList{QString::fromUtf8("Café")});
    }

    // Every escape the supplicant writes, decoded byte for byte; nothing else is special.
    void ssidEscapes_data() {
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("ssid");
        QTest::newRow("double quote") << R"(say \"hi\")"
                                      << R"(say "hi")";
        QTest::newRow("backslash") << R"(C:\\net)"
                                   << R"(C:\net)";
        QTest::newRow("tab, line ends, escape") << R"(a\tb\nc\rd\ee)"
                                                << "a\tb\nc\rd\x1b"
                                                   "e";
        QTest::newRow("percent stays") << "a%41b 50%off"
                                       << "a%41b 50%off";
        QTest::newRow("spaces belong to it") << "  Clinic  "
                                             << "  Clinic  ";
        QTest::newRow("UTF-8 bytes")
            << R"(Caf\xc3\xa9 \xe2\x82\xac)" << QString::fromUtf8("Café €");
        QTest::newRow("backslash then x41 as text") << R"(\\x41)"
                                                    << R"(\x41)";
        QTest::newRow("cut escape kept") << R"(end\x4)"
                                         << R"(end\x4)";
    }
    void ssidEscapes() {
        QFETCH(QString, printed);
        QFETCH(QString, ssid);
        QCOMPARE(ssidDecode(printed), ssid);
        // Our supplicant model prints it back the same way.
        QCOMPARE(savedSsids("h\n0\t" + printed + "\tany\t[CURRENT]\n"), QStringList{ssid});
    }

    void signalBarLevels_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("bars");
        QTest::newRow("-30") << -30 << 3;
        QTest::newRow("-50") << -50 << 3;
        QTest::newRow("-51") << -51 << 2;
        QTest::newRow("-60") << -60 << 2;
        QTest::newRow("-61") << -61 << 1;
        QTest::newRow("-70") << -70 << 1;
        QTest::newRow("-71") << -71 << 0;
    }

    void signalBarLevels() {
        QFETCH(int, level);
        QFETCH(int, bars);
        QCOMPARE(signalBars(level), bars);
    }

    void refreshReadsTheSupplicant() {
        QVERIFY(!m_data->wifi().getWIFIInfo().isEmpty());
        const WifiService::WifiView v = m_data->wifi().wifiView();
        QCOMPARE(v.ssids,
                 (QStringList{"Clinic-Guest", "Clinic-Staff", QString::fromUtf8("Café Wi-Fi 5G")}));
        QCOMPARE(v.levels, (QStringList{"-48", "-56", "-67"}));
        QCOMPARE(v.saved, QStringList{"Clinic-Staff"});
        QCOMPARE(v.connected, QString("Clinic-Staff"));
        m_data->wifi().getRSSI();
        QCOMPARE(m_data->wifi().rssi(), -56);
    }

    void dhcpOncePerAssociation() {
        m_data->wifi().getWIFIInfo();
        m_data->wifi().getWIFIInfo();
        QCOMPARE(count(calls(), "udhcpc -i wlan0 -q"), 1);
        QVERIFY(m_data->wifi().addWIFI(QString::fromUtf8("Café Wi-Fi 5G"), "espresso-42"));
        m_data->wifi().getWIFIInfo();
        QCOMPARE(count(calls(), "udhcpc -i wlan0 -q"), 2);
        QCOMPARE(m_data->wifi().wifiView().connected, QString::fromUtf8("Café Wi-Fi 5G"));
        m_data->wifi().getWIFIInfo();
        QCOMPARE(count(calls(), "udhcpc -i wlan0 -q"), 2);
        // The same SSID at another access point is a new association.
        QByteArray air = testkit::readFile(m_board->root() + "/control/air");
        air.replace("02:00:5e:10:00:03", "02:00:5e:10:00:33");
        QVERIFY(testkit::writeFile(m_board->root() + "/control/air", air));
        m_data->wifi().getWIFIInfo();
        QCOMPARE(count(calls(), "udhcpc -i wlan0 -q"), 3);
    }

    void joinWithTheRightPassPhrase() {
        QVERIFY(m_data->wifi().addWIFI(QString::fromUtf8("Café Wi-Fi 5G"), "espresso-42"));
        QVERIFY(m_data->commands().wireless_getstatus().contains("ssid=Caf\\xc3\\xa9 Wi-Fi 5G\n"));
        QVERIFY(testkit::readFile(m_board->root() + "/etc/wpa_supplicant.conf")
                    .contains("psk=\"espresso-42\""));
    }

    void joinWithAWrongPassPhrase() {
        m_data->wifi().takeRefresh();
        QVERIFY(!m_data->wifi().addWIFI(QString::fromUtf8("Café Wi-Fi 5G"), "latte-wrong"));
        QVERIFY(m_data->wifi().refreshRequested());
        QCOMPARE(savedSsids(m_data->commands().wireless_listnetwork()),
                 QStringList{"Clinic-Staff"});
    }

    void joinAnOpenNetwork() {
        QVERIFY(m_data->wifi().addWIFI("Clinic-Guest", ""));
        QVERIFY(calls().contains("set_network 1 key_mgmt NONE"));
        QVERIFY(m_data->commands().wireless_getstatus().contains("ssid=Clinic-Guest\n"));
    }

    void alreadyConfiguredIsRefusedAtOnce() {
        QVERIFY(!m_data->wifi().addWIFI("Clinic-Staff", "staff-pass-2024"));
        QVERIFY(!calls().contains("add_network"));
    }

    void refusedPassPhraseFails() {
        QVERIFY(!m_data->wifi().addWIFI("Clinic-Guest", "short")); // the supplicant refuses < 8
    }

    void switchAndDelete() {
        QVERIFY(m_data->wifi().addWIFI("Clinic-Guest", ""));
        QVERIFY(m_data->wifi().switchWIFI("Clinic-Staff"));
        QVERIFY(m_data->commands().wireless_getstatus().contains("ssid=Clinic-Staff\n"));
        QVERIFY(!m_data->wifi().switchWIFI("Nowhere"));
        QVERIFY(m_data->wifi().deleteWIFI("Clinic-Staff"));
        QCOMPARE(savedSsids(m_data->commands().wireless_listnetwork()),
                 QStringList{"Clinic-Guest"});
        QVERIFY(!m_data->wifi().deleteWIFI("Clinic-Staff"));
    }

    void workerIdlesWhileTheCameraRuns() {
        DeviceThread worker(
            m_data->wifi(), m_data->clock(), m_data->firmware(),
            [this] { return m_data->capture().state() == CameraState::Idle; }, nullptr);
        QSignalSpy refreshed(&worker, &DeviceThread::device_thread_signal);
        m_data->capture().setState(CameraState(1));
        m_data->wifi().requestRefresh();
        worker.start();
        auto stop = qScopeGuard([&] {
            worker.requestInterruption();
            worker.wait();
        });
        QTest::qWait(700);
        QVERIFY(!calls().contains("wpa_cli"));
        QVERIFY(m_data->wifi().refreshRequested());
        m_data->capture().setState(CameraState(0));
        QVERIFY(refreshed.wait(5000));
        QVERIFY(!refreshed.first().first().toString().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(m_data->wifi().rssi(), -56, 5000);
        QVERIFY(calls().contains("wpa_cli -i wlan0 signal_poll"));
        m_data->capture().setState(CameraState(2));
        QTest::qWait(1500); // the current pass ends
        const int before = count(calls(), "signal_poll");
        QTest::qWait(1500);
        QCOMPARE(count(calls(), "signal_poll"), before);
    }
};

QTEST_GUILESS_MAIN(TstWifi)
#include "tst_wifi.moc"
