// Settings file: loading at start-up, completing old files, mirrors and calibration.
#include "app/gdata.h"
#include "capture/capture_session.h"
#include "core/camcfg.h"
#include "core/settings.h"
#include "sensors/sensor_hub.h"
#include "system/firmware_service.h"
#include "testkit/testkit.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// As the version before the language setting wrote them, and as this one does.
const QByteArray kDefaults16 = "225|1|50|5|5|1920*1080|127.0.0.1:15000|0|-1|-1|0|0||0|0|0";
const QByteArray kDefaults = kDefaults16 + "|en";

struct Mirrors {
    int exposure, gain, ledLoop;
    QString timeZone;
    int screenOff, shutdown, criteria, region;
    bool focusAuto;
    int pitchOffset, distanceOffset;
};

} // namespace
Q_DECLARE_METATYPE(Mirrors)

class TstSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;

    QString cfgFile() const { return m_board->appDir() + "/CAMCFG/config.txt"; }

    std::unique_ptr<GData> loadData() {
        auto data = std::make_unique<GData>();
        data->setAppDir(m_board->appDir());
        data->InitData();
        data->InitCommonAndConfig();
        return data;
    }

private slots:
    void init() { m_board = std::make_unique<testkit::ScopedBoard>(); }

    void load_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("expectedFile");
        QTest::addColumn<Mirrors>("expected");

        const Mirrors defaults{225, 1, 5, "0", -1, -1, 0, 0, false, 0, 0};
        QTest::newRow("missing file") << false << QByteArray() << kDefaults << defaults;
        QTest::newRow("empty file") << true << QByteArray() << kDefaults << defaults;
        QTest::newRow("thirteen values")
            << true << QByteArray("200|2|40|3|5|1920*1080|x|-3|5|10|1|2|PRN01")
            << QByteArray("200|2|40|3|5|1920*1080|x|-3|5|10|1|2|PRN01|0|0|0|en")
            << Mirrors{200, 2, 3, "-3", 5, 10, 1, 2, false, 0, 0};
        const QByteArray mixed = "225|1|50|5|5|1920*1080|x|3.5|-1|-1|2|1||1|4|-2";
        QTest::newRow("mixed values") << true << mixed << mixed + "|en"
                                      << Mirrors{225, 1, 5, "3.5", -1, -1, 2, 1, true, 4, -2};
        const QByteArray emptyMiddle = "225||50|5|5|1920*1080|x|0|-1|-1||0||0|0|0";
        QTest::newRow("empty values stay empty")
            << true << emptyMiddle << emptyMiddle + "|en"
            << Mirrors{225, 0, 5, "0", -1, -1, 0, 0, false, 0, 0};
        const QByteArray words = "bright|1|50|many|5|1920*1080|x|abc|never|-1|a|b||yes|p|d";
        QTest::newRow("non-numeric values read as 0")
            << true << words << words + "|en" << Mirrors{0, 1, 0, "abc", 0, -1, 0, 0, false, 0, 0};
        QTest::newRow("extra values are dropped at the next save")
            << true << kDefaults + "|18|19" << kDefaults + "|18|19" << defaults;
        QTest::newRow("zero bytes are skipped, what follows is read")
            << true << kDefaults + QByteArray("\0|junk", 6) << kDefaults + QByteArray("\0|junk", 6)
            << defaults;
    }

    void load() {
        QFETCH(bool, fileExists);
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, expectedFile);
        QFETCH(Mirrors, expected);
        if (fileExists)
            QVERIFY(testkit::writeFile(cfgFile(), stored));

        auto data = loadData();

        QCOMPARE(testkit::readFile(cfgFile()), expectedFile);
        QCOMPARE(data->settings().exposure(), expected.exposure);
        QCOMPARE(data->settings().gain(), expected.gain);
        QCOMPARE(int(data->capture().lumaMean()), expected.exposure);
        QCOMPARE(int(data->capture().lumaGradient()), expected.gain);
        QCOMPARE(data->settings().ledLoop(), expected.ledLoop);
        QCOMPARE(data->settings().timeZone(), expected.timeZone);
        QCOMPARE(data->settings().screenOffMinutes(), expected.screenOff);
        QCOMPARE(data->settings().shutdownMinutes(), expected.shutdown);
        QCOMPARE(data->settings().referralCriterion(), expected.criteria);
        QCOMPARE(data->settings().region(), expected.region);
        QCOMPARE(data->settings().focusAuto(), expected.focusAuto);
        QCOMPARE(data->settings().pitchOffset(), expected.pitchOffset);
        QCOMPARE(data->settings().distanceOffset(), expected.distanceOffset);
    }

    void calibrationStoreWinsOverValues14And15() {
        QVERIFY(testkit::writeFile(cfgFile(), "225|1|50|5|5|1920*1080|x|0|-1|-1|0|0||0|4|-2|en"));
        QVERIFY(
            testkit::writeFile(m_board->appDir() + "/CAMCFG/sensor_calibration.txt", "12,-3\n"));
        auto data = loadData();
        QCOMPARE(data->settings().distanceOffset(), 12);
        QCOMPARE(data->settings().pitchOffset(), -3);
        // Taken over in memory, saved with the next save.
        QCOMPARE(data->settings().value(CamCfg::PitchOffset), QString("-3"));
        QCOMPARE(data->settings().value(CamCfg::DistanceOffset), QString("12"));
        QCOMPARE(testkit::readFile(cfgFile()),
                 QByteArray("225|1|50|5|5|1920*1080|x|0|-1|-1|0|0||0|4|-2|en"));
        QVERIFY(data->settings().store(CamCfg::Language, "en"));
        QCOMPARE(testkit::readFile(cfgFile()),
                 QByteArray("225|1|50|5|5|1920*1080|x|0|-1|-1|0|0||0|-3|12|en"));
    }

    void calibrationFileFormats_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("pitch");
        QTest::newRow("two numbers") << QByteArray("12,-3\n") << true << 12 << -3;
        QTest::newRow("surrounding blanks") << QByteArray("  7,2  \n") << true << 7 << 2;
        QTest::newRow("non-numbers read as 0") << QByteArray("a,b") << true << 0 << 0;
        QTest::newRow("one number") << QByteArray("12\n") << false << 0 << 0;
        QTest::newRow("three numbers") << QByteArray("1,2,3\n") << false << 0 << 0;
        QTest::newRow("empty") << QByteArray("") << false << 0 << 0;
    }

    void calibrationFileFormats() {
        QFETCH(QByteArray, contents);
        QFETCH(bool, valid);
        QFETCH(int, distance);
        QFETCH(int, pitch);
        const QString file = m_board->appDir() + "/cal.txt";
        QVERIFY(testkit::writeFile(file, contents));
        sensor_calibrate_data_t data{99, 99};
        QCOMPARE(readSensorCalibration(file, data), valid);
        if (valid) {
            QCOMPARE(data.distance_offset, distance);
            QCOMPARE(data.pitch_offset, pitch);
        }
    }

    void calibrationBackupWritesTheLine() {
        auto data = loadData();
        data->settings().store(CamCfg::DistanceOffset, QString::number(-5));
        data->settings().store(CamCfg::PitchOffset, QString::number(3));
        QVERIFY(data->sensors().backupSensorCalibrationData());
        QCOMPARE(testkit::readFile(data->sensors().sensorCalibrationFile()), QByteArray("-5,3\n"));
        sensor_calibrate_data_t back;
        QVERIFY(data->sensors().getSensorCalibrationData(back));
        QCOMPARE(back.distance_offset, -5);
        QCOMPARE(back.pitch_offset, 3);
    }

    void missingCalibrationFileIsNotARecord() {
        sensor_calibrate_data_t data;
        QVERIFY(!readSensorCalibration(m_board->appDir() + "/nothing.txt", data));
    }

    void unopenableFileKeepsDefaultsInMemory() {
        // A folder where the file should be: neither reading nor saving can open it.
        QVERIFY(QDir().mkpath(cfgFile()));
        auto data = loadData();
        QCOMPARE(data->settings().fileText(), QString::fromLatin1(kDefaults));
        QCOMPARE(data->settings().exposure(), 225);
        QCOMPARE(data->settings().ledLoop(), 5);
        QVERIFY(!data->settings().store(CamCfg::Language, "en"));
        QVERIFY(QFileInfo(cfgFile()).isDir());
    }

    void saveReplacesTheFileAsAWhole() {
        auto data = loadData();
        // A reader holding the old file keeps seeing it whole: the save never truncates
        // the file in place, so a power loss leaves either the old or the new settings.
        QFile before(cfgFile());
        QVERIFY(before.open(QIODevice::ReadOnly));
        QVERIFY(data->settings().store(CamCfg::TimeZone, "8"));
        QCOMPARE(before.readAll(), kDefaults);
        QCOMPARE(testkit::readFile(cfgFile()),
                 QByteArray("225|1|50|5|5|1920*1080|127.0.0.1:15000|8|-1|-1|0|0||0|0|0|en"));
        // Nothing but the settings file is left in the folder.
        QCOMPARE(QDir(m_board->appDir() + "/CAMCFG").entryList(QDir::Files),
                 QStringList{"config.txt"});
    }

    void nonAsciiValueRoundTrips() {
        auto data = loadData();
        QVERIFY(data->settings().store(CamCfg::PrinterId, QString::fromUtf8("打印机-7")));
        auto again = loadData();
        QCOMPARE(again->settings().value(CamCfg::PrinterId), QString::fromUtf8("打印机-7"));
    }

    void factoryResetKeepsCalibration() {
        QVERIFY(testkit::writeFile(m_board->appDir() + "/CAMCFG/sensor_calibration.txt", "6,1\n"));
        auto data = loadData();
        data->settings().assume(CamCfg::Region, "2");
        QVERIFY(data->settings().resetDefaults());
        data->InitConfigParameter();
        QCOMPARE(data->settings().region(), 0);
        QCOMPARE(data->settings().distanceOffset(), 6);
        QCOMPARE(data->settings().pitchOffset(), 1);
    }

    void cfgFileDeleteLeadsToDefaults() {
        auto data = loadData();
        QVERIFY(data->settings().store(CamCfg::Region, "3"));
        data->firmware().cfgFileDelete();
        QVERIFY(!QFile::exists(cfgFile()));
        auto again = loadData();
        QCOMPARE(testkit::readFile(cfgFile()), kDefaults);
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
