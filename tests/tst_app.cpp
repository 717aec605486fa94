// Application core: local time, machine identity, message lines and a real start-up.
#include "core/common.h"
#include "core/identity.h"
#include "core/local_time.h"
#include "core/message_handler.h"
#include "core/settings.h"
#include "platform/board.h"
#include "testkit/board_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <ctime>

Q_DECLARE_METATYPE(NetInterface)

class TstApp : public QObject {
    Q_OBJECT

private slots:
    void localTime_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<qint64>("offset");
        QTest::newRow("zero") << "0" << qint64(0);
        QTest::newRow("half hours") << "5.5" << qint64(19800);
        QTest::newRow("negative") << "-3" << qint64(-10800);
        QTest::newRow("negative half") << "-9.5" << qint64(-34200);
        QTest::newRow("not a number") << "abc" << qint64(0);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("eight") << "8" << qint64(28800);
        QTest::newRow("nan") << "nan" << qint64(0);
        QTest::newRow("inf") << "inf" << qint64(0);
        QTest::newRow("minus inf") << "-inf" << qint64(0);
        QTest::newRow("1e30") << "1e30" << qint64(0);
        QTest::newRow("beyond a day") << "25" << qint64(0);
    }

    void localTime() {
        QFETCH(QString, zone);
        QFETCH(qint64, offset);
        const QDateTime system(QDate(2024, 2, 29), QTime(23, 30, 15), Qt::UTC);
        QCOMPARE(localTimeFrom(system, zone), system.addSecs(offset));
    }

    // The stored times follow the board's clock and the zone setting, not the host's TZ.
    void localTimeIgnoresTheHostZone() {
        testkit::ScopedBoard board;
        Settings settings;
        settings.load(board.appDir());
        settings.store(CamCfg::TimeZone, "5.5");
        const QByteArray saved = qgetenv("TZ");
        QString underZone[2];
        int i = 0;
        for (const char* tz : {"UTC", "America/Los_Angeles"}) {
            qputenv("TZ", tz);
            tzset();
            QVERIFY(board::setSystemClock(1796000000)); // 2026-11-30 00:53:20 UTC
            underZone[i++] = ::localTime(settings).toString("yyyy-MM-dd hh:mm");
        }
        qputenv("TZ", saved);
        tzset();
        QCOMPARE(underZone[0], QString("2026-11-30 06:23"));
        QCOMPARE(underZone[1], underZone[0]);
    }

    void identitySelection_data() {
        QTest::addColumn<QList<NetInterface>>("interfaces");
        QTest::addColumn<QString>("identity");
        const NetInterface lo{"lo", "00:00:00:00:00:00", true, true, true};
        const NetInterface ethDown{"eth0", "aa:bb:cc:00:00:01", false, false, false};
        const NetInterface wlan{"wlan0", "aa:bb:cc:00:00:02", true, true, false};
        const NetInterface usb{"usb0", "aa:bb:cc:00:00:03", true, false, false};
        QTest::newRow("loopback only") << QList<NetInterface>{lo} << "";
        QTest::newRow("nothing") << QList<NetInterface>{} << "";
        QTest::newRow("first up non-loopback wins")
            << QList<NetInterface>{lo, ethDown, wlan, usb} << "AA:BB:CC:00:00:02";
        QTest::newRow("up but not running still counts")
            << QList<NetInterface>{usb, wlan} << "AA:BB:CC:00:00:03";
    }

    void identitySelection() {
        QFETCH(QList<NetInterface>, interfaces);
        QFETCH(QString, identity);
        QStringList log;
        QCOMPARE(pickIdentity(interfaces, log), identity);
        QVERIFY(log.size() <= interfaces.size());
    }

    void identityLogLine() {
        QStringList log;
        pickIdentity({{"lo", "00:00:00:00:00:00", true, true, true},
                      {"wlan0", "de:ad:be:ef:00:01", true, false, false}},
                     log);
        QCOMPARE(log, (QStringList{
                          "GetETNetMACAddress ==1== [lo] [0] [00:00:00:00:00:00] [1] [1] [1]",
                          "GetETNetMACAddress ==1== [wlan0] [1] [DE:AD:BE:EF:00:01] [1] [0] [0]"}));
    }

    void identityIsCachedOnceFound() {
        common c;
        QList<NetInterface> current{{"lo", "00:00:00:00:00:00", true, true, true}};
        int lookups = 0;
        auto source = [&] {
            ++lookups;
            return current;
        };
        QCOMPARE(c.GetETNetMACAddress(source), QString());
        QCOMPARE(c.GetETNetMACAddress(source), QString());
        QCOMPARE(lookups, 2); // an empty result is searched again
        current.append({"eth0", "0a:1b:2c:3d:4e:5f", true, true, false});
        QCOMPARE(c.GetETNetMACAddress(source), QString("0A:1B:2C:3D:4E:5F"));
        current[1].up = false; // the interface goes down: the identity stays
        QCOMPARE(c.GetETNetMACAddress(source), QString("0A:1B:2C:3D:4E:5F"));
        QCOMPARE(lookups, 3);
    }

    void messageLines_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("debug") << "debug"
                               << "plain text" << QByteArray("plain text\n");
        QTest::newRow("debug utf-8")
            << "debug" << QString::fromUtf8("Zoë 张") << QString::fromUtf8("Zoë 张\n").toUtf8();
        QTest::newRow("empty debug") << "debug"
                                     << "" << QByteArray("\n");
        QTest::newRow("warning") << "warning"
                                 << "w" << QByteArray("Warning: w\n");
        QTest::newRow("critical") << "critical"
                                  << "c" << QByteArray("Critical: c\n");
        QTest::newRow("fatal") << "fatal"
                               << "f" << QByteArray("Fatal: f\n");
    }

    void messageLines() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QByteArray, line);
        QProcess child;
        child.start(MSG_CHILD, {kind, text});
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.readAllStandardError(), line);
        QCOMPARE(child.readAllStandardOutput(), QByteArray());
        if (kind == "fatal")
            QCOMPARE(child.exitStatus(), QProcess::CrashExit); // aborted
        else
            QCOMPARE(child.exitCode(), 0);
    }

    // The built application started from an empty folder lays down its settings and its
    // board, and says so on standard error.
    void startUpFromEmptyFolder() {
        QTemporaryDir dir;
        const QString exe = dir.path() + "/vistrel";
        QVERIFY(QFile::copy(VISTREL_EXE, exe));
        QProcess app;
        app.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        app.setProcessEnvironment(env);
        app.start(exe, {});
        QVERIFY(app.waitForStarted());
        const QString cfg = dir.path() + "/CAMCFG/config.txt";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.path() + "/board/record/app.pid"), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(
            testkit::readFile(cfg),
            QByteArray("225|1|50|5|5|1920*1080|127.0.0.1:15000|0|-1|-1|0|0||0|0|0|en"), 15000);
        QTest::qWait(500);
        QCOMPARE(app.state(), QProcess::Running);
        ::kill(app.processId(), SIGTERM);
        QVERIFY(app.waitForFinished(10000));

        for (const char* p :
             {"bin/wpa_cli", "bin/poweroff", "control/distance_cm",
              "sys/class/power_supply/battery/capacity", "sys/module/vfe_v4l2/parameters/led_loop",
              "root/appstart.sh", "dev/irled", "tmp", "run"})
            QVERIFY2(QFileInfo::exists(dir.path() + "/board/" + p), p);
        const QString err = QString::fromUtf8(app.readAllStandardError());
        QVERIFY2(err.contains(QRegularExpression(R"(\d\d:\d\d:\d\d Config 225\|1\|50)")),
                 qPrintable(err));
        QVERIFY2(err.contains("getSensorCalibrationData return : false"), qPrintable(err));
        QVERIFY2(err.contains("Unable to open calibration file for reading: \"" + dir.path() +
                              "/CAMCFG/sensor_calibration.txt\""),
                 qPrintable(err));
    }

    // The display server goes away under the running application: it stops its workers and
    // ends with the no-display code, which the supervisor does not restart; started again
    // without a display it ends so too, instead of aborting.
    void displayGoneEndsCleanly() {
        QProcess x;
        x.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x600x24", "-nolisten", "tcp"});
        QVERIFY(x.waitForReadyRead(10000));
        const QString display = ":" + QString::fromLatin1(x.readLine()).trimmed();
        QTemporaryDir dir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", display);
        env.insert("VISTREL_SIM_BOARD_ROOT", dir.path() + "/board");
        QProcess app;
        app.setProcessEnvironment(env);
        app.start(VISTREL_EXE, {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.path() + "/board/record/app.pid"), 15000);
        QTest::qWait(1500); // the window shown, the workers running
        x.terminate();
        QVERIFY(x.waitForFinished(10000));
        QVERIFY(app.waitForFinished(15000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), kNoDisplayExit);
        QVERIFY(app.readAllStandardError().contains("the display went away"));

        app.start(VISTREL_EXE, {});
        QVERIFY(app.waitForFinished(15000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), kNoDisplayExit);
        QVERIFY(app.readAllStandardError().contains("no display"));
    }

    // With VISTREL_EXIT_AT_FIRST_PAINT=1 the application reports its first paint on the
    // monotonic clock, after its own start, and ends normally.
    void firstPaintReport() {
        QTemporaryDir dir;
        QProcess app;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VISTREL_SIM_BOARD_ROOT", dir.path() + "/board");
        env.insert("VISTREL_EXIT_AT_FIRST_PAINT", "1");
        app.setProcessEnvironment(env);
        // An update on trial passes it with the first page painted.
        const QString trial = QFileInfo(VISTREL_EXE).absolutePath() + "/vistrel.trial";
        QVERIFY(testkit::writeFile(trial, "never reached its first painted page\n"));
        timespec before{};
        clock_gettime(CLOCK_MONOTONIC, &before);
        app.start(VISTREL_EXE, {});
        QVERIFY(app.waitForFinished(30000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        const QList<QByteArray> lines = app.readAllStandardOutput().split('\n');
        const auto line = std::find_if(lines.begin(), lines.end(), [](const QByteArray& l) {
            return l.startsWith("first paint ");
        });
        QVERIFY2(line != lines.end(), "no first paint line");
        bool ok = false;
        const qint64 painted = line->mid(12).toLongLong(&ok);
        QVERIFY(ok);
        QVERIFY(painted > qint64(before.tv_sec) * 1000000000LL + before.tv_nsec);
        QVERIFY(!QFile::exists(trial));
    }
};

QTEST_GUILESS_MAIN(TstApp)
#include "tst_app.moc"
