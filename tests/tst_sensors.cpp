// Distance sensor, tilt filter and sensor polling on the virtual board.
#include "app/gdata.h"
#include "capture/capture_session.h"
#include "core/settings.h"
#include "knobs.h"
#include "models.h"
#include "platform/board.h"
#include "sensors/distance_filter.h"
#include "sensors/hw_thread.h"
#include "sensors/sensor_hub.h"
#include "sensors/tilt_filter.h"
#include "sensors/vl53l1x.h"
#include "testkit/testkit.h"
#include "virtual_board.h"

#include <QtTest>

#include <climits>
#include <map>

namespace {} // namespace

class TstSensors : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;
    std::unique_ptr<GData> m_data;

private slots:
    void init() {
        m_board = std::make_unique<testkit::ScopedBoard>();
        m_data = std::make_unique<GData>();
        m_data->setAppDir(m_board->appDir());
        vboard::setKnob(knobs::kSensorPeriodMs, "20");
    }

    void cleanup() {
        m_data.reset(); // lets go of the sensor's bus
        testkit::releaseMessages();
    }

    void firstFourGoodResultsWaitForTheAverage_data() {
        QTest::addColumn<QString>("distanceCm"); // what the model reports: raw mm - 120, / 10
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("expected");
        QTest::newRow("600 mm, offset 0") << "48" << 0 << 48;
        QTest::newRow("600 mm, offset -5") << "48" << -5 << 47;
        QTest::newRow("125 mm") << "0.5" << 0 << 0;
        QTest::newRow("1090 mm") << "97" << 0 << 97;
        QTest::newRow("1090 mm, offset 12") << "97" << 12 << 98;
    }

    void firstFourGoodResultsWaitForTheAverage() {
        QFETCH(QString, distanceCm);
        QFETCH(int, offset);
        QFETCH(int, expected);
        vboard::setKnob(knobs::kDistanceCm, distanceCm);
        m_data->settings().store(CamCfg::DistanceOffset, QString::number(offset));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(m_data->sensors().getDistance(), -4);
        QCOMPARE(m_data->sensors().getDistance(), expected);
        QVERIFY(m_data->sensors().rangingReady());
    }

    void averageMovesWithTheTarget() {
        vboard::setKnob(knobs::kDistanceCm, "50");
        for (int i = 0; i < 5; ++i)
            m_data->sensors().getDistance();
        vboard::setKnob(knobs::kDistanceCm, "100");
        QList<int> seen;
        for (int i = 0; i < 5; ++i)
            seen << m_data->sensors().getDistance();
        QCOMPARE(seen.last(), 100);
        QVERIFY(seen.first() > 50 && seen.first() < 100); // the average of old and new
    }

    void statusTranslation_data() {
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("translated");
        const int table[24] = {255, 255, 255, 5,   2,   4,   1,  7, 3,   0,   255, 255,
                               9,   13,  255, 255, 255, 255, 10, 6, 255, 255, 11,  12};
        for (int raw = 0; raw < 32; ++raw)
            QTest::addRow("raw %d", raw) << raw << (raw < 24 ? table[raw] : raw);
    }

    void statusTranslation() {
        QFETCH(int, raw);
        QFETCH(int, translated);
        QCOMPARE(int(translateRangeStatus(uint8_t(raw))), translated);
    }

    void badStatusGivesMinus3AndRestartsTheAverage() {
        for (int i = 0; i < 4; ++i)
            QCOMPARE(m_data->sensors().getDistance(), -4);
        vboard::setKnob(knobs::kSensorStatus, "4"); // translates to 2
        QCOMPARE(m_data->sensors().getDistance(), -3);
        vboard::setKnob(knobs::kSensorStatus, "25"); // passes unchanged, still bad
        QCOMPARE(m_data->sensors().getDistance(), -3);
        vboard::setKnob(knobs::kSensorStatus, "9");
        for (int i = 0; i < 4; ++i)
            QCOMPARE(m_data->sensors().getDistance(), -4); // the count starts again
        QCOMPARE(m_data->sensors().getDistance(), 97);
    }

    void sixtyOneBadStatusesReleaseTheBus() {
        QCOMPARE(m_data->sensors().getDistance(), -4);
        vboard::setKnob(knobs::kSensorStatus, "0"); // translates to 255
        for (int i = 1; i < 61; ++i)
            QCOMPARE(m_data->sensors().getDistance(), -3);
        QCOMPARE(m_data->sensors().getDistance(), -5);
        QVERIFY(!m_data->sensors().rangingReady());
        QVERIFY(!m_data->sensors().rangingBusOpen());
    }

    void notReadyReleasesOnTheSixthMiss() {
        QCOMPARE(m_data->sensors().getDistance(), -4);
        vboard::setKnob(knobs::kSensorNeverReady, "1");
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(m_data->sensors().getDistance(), -2);
            QVERIFY(m_data->sensors().rangingReady());
        }
        QCOMPARE(m_data->sensors().getDistance(), -2); // sixth miss: released
        QVERIFY(!m_data->sensors().rangingReady());
        QVERIFY(!m_data->sensors().rangingBusOpen());
        // The next call initialises again; a ready result resets the count.
        vboard::setKnob(knobs::kSensorNeverReady, "0");
        QCOMPARE(m_data->sensors().getDistance(), -4);
        QVERIFY(m_data->sensors().rangingReady());
        QCOMPARE(m_data->sensors().distanceFilter().missCount(), 0);
    }

    void busCannotBeOpened() {
        vboard::setKnob(knobs::kI2cFail, "1");
        QCOMPARE(m_data->sensors().initRangingSensor(0, 41), -1);
        QCOMPARE(m_data->sensors().getDistance(), -1);
        QVERIFY(!m_data->sensors().rangingReady());
    }

    void notBootedSensor() {
        vboard::setKnob(knobs::kSensorNotBooted, "1");
        QCOMPARE(m_data->sensors().initRangingSensor(0, 41), -3);
    }

    void initRunsItsShellLinesOnTheBoard() {
        SKIP_WITHOUT_CHILD_PROCESSES(); // the lines run in a shell
        QCOMPARE(m_data->sensors().initRangingSensor(0, 41), 0);
        QVERIFY(
            !testkit::readFile(m_board->root() + "/root/appstart.sh").contains("modprobe vl53l1"));
        QVERIFY(testkit::readFile(vboard::recordPath("calls.log")).contains("rmmod vl53l1\n"));
        QCOMPARE(testkit::readFile(m_board->root() + "/sys/kernel/debug/sunxi_pinctrl/data"),
                 QByteArray("PG3 1\n"));
    }

    // The register file after initialisation, rebuilt here from the documented writes.
    void registerImageAfterInit() {
        QCOMPARE(m_data->sensors().initRangingSensor(0, 41), 0);
        const std::vector<uint8_t> regs = vboard::rangeSensorRegisters();
        std::map<int, int> expected;
        for (int i = 0; i < 91; ++i)
            expected[0x2D + i] = VL51L1X_DEFAULT_CONFIGURATION[i];
        auto word = [&](int reg, int v) {
            expected[reg] = v >> 8;
            expected[reg + 1] = v & 0xFF;
        };
        expected[0x86] = 0x01;
        expected[0x08] = 0x09;
        expected[0x0B] = 0x00;
        expected[0x4B] = 10; // long distance mode
        expected[0x60] = 15;
        expected[0x63] = 13;
        expected[0x69] = 184;
        word(0x78, 3853);
        word(0x7A, 3598);
        word(0x5E, 460); // 100 ms budget in long mode
        word(0x61, 490);
        const uint32_t period = static_cast<uint32_t>(480 * 105 * 1.075); // clock 480
        expected[0x6C] = int(period >> 24);
        expected[0x6D] = int(period >> 16 & 0xFF);
        expected[0x6E] = int(period >> 8 & 0xFF);
        expected[0x6F] = int(period & 0xFF);
        expected[0x7F] = 199;
        expected[0x80] = 0x33; // 4 x 4 region of interest
        word(0x64, 15 * 4);
        word(0x66, 10 / 8);
        expected[0x87] = 0x40; // ranging
        for (const auto& [reg, value] : expected)
            QVERIFY2(regs[size_t(reg)] == value,
                     qPrintable(QString("register 0x%1: %2, expected %3")
                                    .arg(reg, 2, 16)
                                    .arg(regs[size_t(reg)])
                                    .arg(value)));
    }

    void timingBudgetRoundTrip() {
        QCOMPARE(m_data->sensors().initRangingSensor(0, 41), 0);
        RangingBus bus; // a second handle on the booted sensor
        QCOMPARE(VL53L1X_UltraLite_Linux_I2C_Init(&bus, 0, 41), 0);
        const VL53L1_Dev_t dev = &bus;
        const struct {
            int mode;
            QList<int> budgets;
        } modes[] = {{2, {20, 33, 50, 100, 200, 500}}, {1, {15, 20, 33, 50, 100, 200, 500}}};
        for (const auto& m : modes) {
            for (int budget : m.budgets) {
                const QByteArray what = QByteArray("mode ") + QByteArray::number(m.mode) +
                                        " budget " + QByteArray::number(budget);
                QVERIFY2(VL53L1X_SetDistanceMode(dev, uint16_t(m.mode)) == 0, what);
                QVERIFY2(VL53L1X_SetTimingBudgetInMs(dev, uint16_t(budget)) == 0, what);
                uint16_t back = 0;
                QVERIFY2(VL53L1X_GetTimingBudgetInMs(dev, &back) == 0 && back == budget, what);
                // Switching mode keeps the budget; 15 ms exists in short mode only.
                const int other = 3 - m.mode;
                QVERIFY2(VL53L1X_SetDistanceMode(dev, uint16_t(other)) == (budget == 15 ? 1 : 0),
                         what);
                if (budget != 15) {
                    QVERIFY2(VL53L1X_GetTimingBudgetInMs(dev, &back) == 0 && back == budget, what);
                }
            }
        }
        QCOMPARE(VL53L1X_SetTimingBudgetInMs(dev, 42), 1);
        QCOMPARE(VL53L1X_SetDistanceMode(dev, 3), 1);
        QCOMPARE(VL53L1X_SetSigmaThreshold(dev, 16384), 1);
        QCOMPARE(VL53L1X_SetSigmaThreshold(dev, 16383), 0);
        VL53L1X_UltraLite_Linux_I2C_Deinit(&bus);
    }

    void transferLimits() {
        QCOMPARE(m_data->sensors().initRangingSensor(0, 41), 0);
        RangingBus bus;
        QCOMPARE(VL53L1X_UltraLite_Linux_I2C_Init(&bus, 0, 41), 0);
        std::vector<uint8_t> data(600, 0);
        QCOMPARE(VL53L1_WriteMulti(&bus, 0x2000, data.data(), 511), 0);
        QCOMPARE(VL53L1_WriteMulti(&bus, 0x2000, data.data(), 512), -1); // refused, not overflowed
        QCOMPARE(VL53L1_ReadMulti(&bus, 0x2000, data.data(), 600), -1);
        QCOMPARE(VL53L1_WrDWord(&bus, 0x3000, 0x11223344u), 0);
        uint32_t dword = 0;
        QCOMPARE(VL53L1_RdDWord(&bus, 0x3000, &dword), 0);
        QCOMPARE(dword, 0x11223344u);
        uint8_t byte = 0;
        QCOMPARE(VL53L1_RdByte(&bus, 0x3001, &byte), 0);
        QCOMPARE(byte, uint8_t(0x22)); // big-endian on the bus
        VL53L1X_UltraLite_Linux_I2C_Deinit(&bus);
    }

    void offsetPitch_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("degrees");
        QTest::addColumn<int>("pitch");
        QTest::newRow("flat, no offset") << 0 << "0" << 0;
        QTest::newRow("flat, offset 3") << 3 << "0" << 3;
        // Stored offsets may be anything: the pitch saturates instead of overflowing, and
        // never reaches the value that stands for no reading.
        QTest::newRow("largest offset") << INT_MAX << "12" << INT_MAX;
        QTest::newRow("smallest offset") << INT_MIN << "-8" << SensorHub::kNoPitch + 1;
    }

    void offsetPitch() {
        QFETCH(int, offset);
        QFETCH(QString, degrees);
        QFETCH(int, pitch);
        m_data->settings().store(CamCfg::PitchOffset, QString::number(offset));
        vboard::setKnob(knobs::kPitchDeg, degrees);
        int measured = 99;
        for (int i = 0; i < 60; ++i)
            measured = m_data->sensors().getDOF();
        QCOMPARE(measured, pitch);
    }

    void pitchFollowsTheDevice() {
        vboard::setKnob(knobs::kPitchDeg, "12");
        int pitch = 0;
        for (int i = 0; i < 60; ++i)
            pitch = m_data->sensors().getDOF();
        // The weighted average's weights sum to 36/44 x 9/7: about 5 % over.
        QVERIFY2(pitch >= 12 && pitch <= 13, qPrintable(QString::number(pitch)));
        vboard::setKnob(knobs::kPitchDeg, "-8");
        for (int i = 0; i < 60; ++i)
            pitch = m_data->sensors().getDOF();
        QVERIFY2(pitch <= -8 && pitch >= -9, qPrintable(QString::number(pitch)));
    }

    // The filter alone: (status, mm) results in, readings out.
    void distanceFilterReadings_data() {
        QTest::addColumn<QList<int>>("statuses");
        QTest::addColumn<QList<int>>("mms");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("mean of five")
            << QList<int>{0, 0, 0, 0, 0, 0} << QList<int>{1000, 1010, 1020, 1030, 1040, 1500} << 0
            << QList<int>{-4, -4, -4, -4, 90, 100};
        QTest::newRow("a bad status restarts collecting")
            << QList<int>{0, 0, 0, 0, 7, 0, 0, 0, 0, 0}
            << QList<int>{1000, 1000, 1000, 1000, 0, 1100, 1100, 1100, 1100, 1100} << 0
            << QList<int>{-4, -4, -4, -4, -3, -4, -4, -4, -4, 98};
        QTest::newRow("offset in mm")
            << QList<int>{0, 0, 0, 0, 0} << QList<int>{1000, 1000, 1000, 1000, 1000} << 50
            << QList<int>{-4, -4, -4, -4, 93};
        QTest::newRow("largest stored offset")
            << QList<int>{0, 0, 0, 0, 0} << QList<int>{1000, 1000, 1000, 1000, 1000} << INT_MAX
            << QList<int>{-4, -4, -4, -4, 214748452};
        QList<int> bad(62, 4), zero(62, 0), codes(60, -3);
        codes << -5 << -3; // the 61st in a row asks for a restart; the count starts again
        QTest::newRow("sixty-one bad statuses") << bad << zero << 0 << codes;
    }
    void distanceFilterReadings() {
        QFETCH(QList<int>, statuses);
        QFETCH(QList<int>, mms);
        QFETCH(int, offset);
        QFETCH(QList<int>, expected);
        DistanceFilter f;
        for (int i = 0; i < statuses.size(); ++i) {
            const DistanceFilter::Reading r = f.result(statuses[i], mms[i], offset);
            QCOMPARE(r.value, expected[i]);
            QCOMPARE(r.reinit, r.value == -5);
            QCOMPARE(r.clearIrq, r.value != -4 && r.value != -5);
        }
    }

    void zeroElapsedCountsAsOneMillisecond() {
        // A moving device, so the filter weighs the gyro against the accelerometer.
        auto run = [](uint16_t elapsed) {
            TiltFilter f;
            float angle = 0;
            for (int i = 0; i < 40; ++i) {
                const double a = (i % 7) * 0.05;
                angle = f.step({0, int16_t(-std::sin(a) * 1000), int16_t(std::cos(a) * 1000),
                                int16_t(20000), 0, 0, elapsed});
            }
            return angle;
        };
        QCOMPARE(run(0), run(1));
        QVERIFY(run(0) != run(20)); // the elapsed time does enter the estimate
    }

    void missingImu() {
        testkit::captureMessages();
        vboard::setKnob(knobs::kImuMissing, "1");
        QCOMPARE(m_data->sensors().getDOF(), SensorHub::kNoPitch);
        QVERIFY(testkit::messages().contains("qmi8658 open_device FAIL"));
    }

    void pollingOnlyInPreview() {
        HWThread thread(m_data->sensors(),
                        [this] { return m_data->capture().state() == CameraState::Preview; });
        m_data->sensors().setDistance(1234);
        m_data->sensors().setPitch(4321);
        m_data->capture().setState(CameraState(0));
        thread.start();
        auto stop = qScopeGuard([&] {
            thread.requestInterruption();
            thread.wait();
        });
        const vboard::SensorCounters before = vboard::sensorCounters();
        QTest::qWait(500);
        QCOMPARE(m_data->sensors().distance(), 1234);
        QCOMPARE(m_data->sensors().pitch(), 4321);
        QCOMPARE(vboard::sensorCounters().imuReads, before.imuReads);
        QVERIFY(!m_data->sensors().rangingBusOpen());

        vboard::setKnob(knobs::kPitchDeg, "5");
        m_data->capture().setState(CameraState(1));
        QTRY_VERIFY_WITH_TIMEOUT(m_data->sensors().distance() == 97, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_data->sensors().pitch() == 5, 10000);
        const vboard::SensorCounters a = vboard::sensorCounters();
        QTest::qWait(1500);
        const vboard::SensorCounters b = vboard::sensorCounters();
        const auto distance = b.distanceReads - a.distanceReads;
        const auto imu = b.imuReads - a.imuReads;
        QVERIFY2(distance >= 3 && imu >= 3 * distance - 3 && imu <= 3 * distance + 3,
                 qPrintable(QString("%1 distance, %2 pitch reads").arg(distance).arg(imu)));

        // The distance follows the knob as the camera page will show it.
        vboard::setKnob(knobs::kDistanceCm, "60");
        QTRY_VERIFY_WITH_TIMEOUT(m_data->sensors().distance() == 60, 10000);
        m_data->capture().setState(CameraState(3));
        QTest::qWait(300);
        const vboard::SensorCounters c = vboard::sensorCounters();
        QTest::qWait(400);
        QCOMPARE(vboard::sensorCounters().imuReads, c.imuReads);
    }
};

QTEST_GUILESS_MAIN(TstSensors)
#include "tst_sensors.moc"
