// Battery, charger and panel switches on the virtual board.
#include "app/gdata.h"
#include "knobs.h"
#include "sensors/power.h"
#include "testkit/testkit.h"
#include "virtual_board.h"

#include <QFile>
#include <QtTest>

namespace {} // namespace

class TstPower : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;
    GData m_data;

    QString capacityFile() const {
        return m_board->root() + "/sys/class/power_supply/battery/capacity";
    }
    QString presentFile() const { return m_board->root() + "/sys/class/power_supply/usb/present"; }

private slots:
    void init() {
        m_board = std::make_unique<testkit::ScopedBoard>();
        testkit::captureMessages();
    }
    void cleanup() { testkit::releaseMessages(); }

    void battery_data() {
        QTest::addColumn<QByteArray>("capacity");
        QTest::addColumn<int>("percent");
        QTest::newRow("95 with line end") << QByteArray("95\n") << 105;
        QTest::newRow("19") << QByteArray("19") << 29;
        QTest::newRow("0") << QByteArray("0\n") << 10;
        QTest::newRow("not a number") << QByteArray("full\n") << 10;
        QTest::newRow("only the first 10 bytes") << QByteArray("12345678901") << 1234567890 + 10;
        QTest::newRow("empty file") << QByteArray() << 10;
    }

    void battery() {
        QFETCH(QByteArray, capacity);
        QFETCH(int, percent);
        // Through the knob the power-supply file links to.
        vboard::setKnob(knobs::kBatteryCapacity, QString::fromLatin1(capacity));
        QCOMPARE(m_data.power().getBatteryPercent(), percent);
        QVERIFY(!testkit::messages().contains("battery capacity open_device FAIL"));
    }

    void noBatteryDriver() {
        QVERIFY(QFile::remove(capacityFile()));
        QCOMPARE(m_data.power().getBatteryPercent(), 10);
        QVERIFY(testkit::messages().contains("battery capacity open_device FAIL"));
    }

    void charger_data() {
        QTest::addColumn<QByteArray>("present");
        QTest::addColumn<int>("state");
        QTest::newRow("plugged") << QByteArray("1\n") << 1;
        QTest::newRow("unplugged") << QByteArray("0\n") << 0;
        QTest::newRow("garbage") << QByteArray("?\n") << 0;
    }

    void charger() {
        QFETCH(QByteArray, present);
        QFETCH(int, state);
        vboard::setKnob(knobs::kChargerPresent, QString::fromLatin1(present));
        QCOMPARE(m_data.power().getUSBPresentState(), state);
    }

    void noChargerDriver() {
        QVERIFY(QFile::remove(presentFile()));
        QCOMPARE(m_data.power().getUSBPresentState(), 0);
        QVERIFY(testkit::messages().contains("usb present open_device FAIL"));
    }

    void panel() {
        QVERIFY(m_data.power().screenIsOn());
        QCOMPARE(m_data.power().screenOff(), 0);
        QVERIFY(!m_data.power().screenIsOn());
        QCOMPARE(testkit::readFile(vboard::recordPath("panel")), QByteArray("off"));
        QCOMPARE(m_data.power().screenOn(), 0);
        QVERIFY(m_data.power().screenIsOn());
        QCOMPARE(testkit::readFile(vboard::recordPath("panel")), QByteArray("on"));
    }

    void noDisplayDevice() {
        vboard::setKnob(knobs::kDispMissing, "1");
        m_data.power().setScreenState(false);
        QCOMPARE(m_data.power().screenOn(), -1);
        QVERIFY(!m_data.power().screenIsOn());
        m_data.power().setScreenState(true);
        QCOMPARE(m_data.power().screenOff(), -1);
        QVERIFY(m_data.power().screenIsOn());
        QVERIFY(testkit::messages().isEmpty()); // a failed display open logs nothing
    }
};

QTEST_GUILESS_MAIN(TstPower)
#include "tst_power.moc"
