// Network time against the SNTP stand-in and, where it can run, a real chronyd.
#include "app/gdata.h"
#include "core/local_time.h"
#include "knobs.h"
#include "platform/board.h"
#include "system/clock_service.h"
#include "system/sntp.h"
#include "testkit/testkit.h"
#include "virtual_board.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

class TstSntp : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;

private slots:
    void init() {
        m_board = std::make_unique<testkit::ScopedBoard>();
        testkit::services::clearKnob(serviceKnobs::kSntpTime);
        testkit::services::clearLog("sntp");
    }

    void cleanup() { board::setSystemClock(QDateTime::currentSecsSinceEpoch()); }

    void setsTheBoardClockToTheServersSecond() {
        testkit::services::setKnob(serviceKnobs::kSntpTime,
                                   "1704067200"); // 2024-01-01 00:00:00 UTC (+0.5 s)
        GData d;
        QVERIFY(d.clock().updateTimeFromeWeb());
        QCOMPARE(testkit::readFile(vboard::recordPath("clock")), QByteArray("1704067200\n"));
        const qint64 now = board::currentDateTime().toSecsSinceEpoch();
        QVERIFY(now >= 1704067200 && now <= 1704067201);
        // The request as the server received it.
        const auto log = testkit::services::log("sntp");
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0]["bytes"].toInt(), 48);
        QCOMPARE(log[0]["first"].toInt(), 27);
        const QByteArray request = QByteArray::fromHex(log[0]["hex"].toString().toLatin1());
        QCOMPARE(request.mid(0, 12).toHex(),
                 QByteArray("1b0004fa0001000000010000")); // bytes 5 and 9
        QCOMPARE(request.mid(44, 4), QByteArray(4, '\0'));
        QVERIFY(qAbs(log[0]["transmit_seconds"].toVariant().toLongLong() - kNtpToUnixSeconds -
                     QDateTime::currentSecsSinceEpoch()) <= 2);
    }

    void noServerGivesUpWithinAboutThreeSeconds() {
        QElapsedTimer t;
        t.start();
        // A closed port answers with a refusal, which is no time.
        QVERIFY(!sntpExchange("127.0.0.1", 10999, QDateTime::currentSecsSinceEpoch()));
        GData d;
        const QByteArray clockBefore = testkit::readFile(vboard::recordPath("clock"));
        QVERIFY2(t.elapsed() < 4000, qPrintable(QString::number(t.elapsed())));
        // A server that reads but never answers: the full 3 s wait.
        QUdpSocket mute;
        QVERIFY(mute.bind(QHostAddress::LocalHost, 0));
        t.restart();
        QVERIFY(!sntpExchange("127.0.0.1", mute.localPort(), QDateTime::currentSecsSinceEpoch()));
        QVERIFY2(t.elapsed() >= 2900 && t.elapsed() < 4500,
                 qPrintable(QString::number(t.elapsed())));
        QCOMPARE(testkit::readFile(vboard::recordPath("clock")), clockBefore);
    }

    void nothingIsSentAfterSuccess() {
        GData d;
        QVERIFY(!d.clock().timeSynced());
        d.clock().timerInternetTime();
        QVERIFY(d.clock().timeSynced());
        d.clock().timerInternetTime();
        d.clock().timerInternetTime();
        QCOMPARE(testkit::services::log("sntp").size(), 1);
    }

    // Network time is written to the hardware clock and remembered; the next start without a
    // network believes a hardware clock that kept its time, and no other.
    void trustedClockAcrossStarts_data() {
        QTest::addColumn<QString>("knob");
        QTest::addColumn<int>("source");
        QTest::newRow("the clock kept its time") << "" << int(TimeSource::DeviceClock);
        QTest::newRow("the clock lost its time") << knobs::kRtcLost << int(TimeSource::None);
        QTest::newRow("no hardware clock") << knobs::kRtcMissing << int(TimeSource::None);
    }
    void trustedClockAcrossStarts() {
        QFETCH(QString, knob);
        QFETCH(int, source);
        testkit::services::setKnob(serviceKnobs::kSntpTime, "1893456000"); // 2030-01-01
        {
            GData online;
            online.setAppDir(m_board->appDir());
            QVERIFY(online.clock().updateTimeFromeWeb());
            QCOMPARE(online.clock().source(), TimeSource::Network);
            QCOMPARE(online.clock().lastTrusted(), std::optional<qint64>(1893456000));
        }
        qint64 hardware = 0;
        QVERIFY(board::readHardwareClock(hardware));
        QVERIFY(hardware >= 1893456000 && hardware <= 1893456002);
        vboard::resetClock(); // the next boot's system clock, before anything sets it
        if (!knob.isEmpty())
            vboard::setKnob(knob, "1");
        GData offline;
        offline.setAppDir(m_board->appDir());
        offline.InitCommonAndConfig();
        QCOMPARE(int(offline.clock().source()), source);
        QCOMPARE(offline.clock().trusted(), source != int(TimeSource::None));
        if (source == int(TimeSource::DeviceClock))
            QVERIFY(board::currentSecsSinceEpoch() >= 1893456000);
        // The operator's time is trusted, written to the hardware clock and remembered.
        if (knob != knobs::kRtcMissing) {
            vboard::setKnob(knobs::kRtcLost, "0");
            QVERIFY(offline.clock().setByOperator(1893459600));
            QCOMPARE(offline.clock().source(), TimeSource::Operator);
            QVERIFY(board::readHardwareClock(hardware));
            QVERIFY(hardware >= 1893459600 && hardware <= 1893459602);
            QCOMPARE(testkit::readFile(m_board->appDir() + "/CAMCFG/trusted_time.txt"),
                     QByteArray("1893459600 operator\n"));
        }
    }

    void hardwareClockTrust_data() {
        QTest::addColumn<std::optional<qint64>>("hardware");
        QTest::addColumn<std::optional<qint64>>("last");
        QTest::addColumn<bool>("trusted");
        QTest::newRow("later") << std::optional<qint64>(2000) << std::optional<qint64>(1000)
                               << true;
        QTest::newRow("the same second")
            << std::optional<qint64>(1000) << std::optional<qint64>(1000) << true;
        QTest::newRow("earlier") << std::optional<qint64>(999) << std::optional<qint64>(1000)
                                 << false;
        QTest::newRow("no clock") << std::optional<qint64>() << std::optional<qint64>(1000)
                                  << false;
        QTest::newRow("never trusted")
            << std::optional<qint64>(2000) << std::optional<qint64>() << false;
    }
    void hardwareClockTrust() {
        QFETCH(std::optional<qint64>, hardware);
        QFETCH(std::optional<qint64>, last);
        QFETCH(bool, trusted);
        QCOMPARE(hardwareClockTrusted(hardware, last), trusted);
    }

    // The operator types local time; the clock keeps UTC.
    void operatorTime_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<qint64>("notBefore");
        QTest::addColumn<qint64>("seconds"); // -1: refused
        QTest::newRow("UTC") << "2026-12-10 09:30"
                             << "0" << qint64(0) << qint64(1796895000);
        QTest::newRow("India") << "2026-12-10 15:00"
                               << "5.5" << qint64(0) << qint64(1796895000);
        QTest::newRow("west of UTC") << "2026-12-10 04:30"
                                     << "-5" << qint64(0) << qint64(1796895000);
        QTest::newRow("template left") << "2026-12-__ __:__"
                                       << "0" << qint64(0) << qint64(-1);
        QTest::newRow("no such day") << "2026-02-30 10:00"
                                     << "0" << qint64(0) << qint64(-1);
        QTest::newRow("before a trusted time") << "2026-12-10 09:30"
                                               << "0" << qint64(1796895001) << qint64(-1);
        QTest::newRow("past the 32-bit clock") << "2038-01-19 03:15"
                                               << "0" << qint64(0) << qint64(-1);
    }
    void operatorTime() {
        QFETCH(QString, typed);
        QFETCH(QString, zone);
        QFETCH(qint64, notBefore);
        QFETCH(qint64, seconds);
        QCOMPARE(systemTimeOfLocal(typed, zone, notBefore).value_or(-1), seconds);
    }

    void replyParsing_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<qint64>("unix");
        QByteArray full(48, '\0');
        const quint32 s = 3913056000u; // 2024-01-01 00:00:00 UTC in NTP seconds
        for (int i = 0; i < 4; ++i)
            full[40 + i] = char(s >> (24 - 8 * i));
        full[44] = char(0xFF);
        QTest::newRow("48 bytes, fraction dropped") << full << qint64(1704067200);
        QTest::newRow("longer: last 8 bytes")
            << (QByteArray(20, 'x') + full.right(8)) << qint64(1704067200);
        QTest::newRow("4 bytes: zeros for the rest")
            << QByteArray("\xE9\x3C\x1A\x80", 4) << qint64(0xE93C1A80u) - qint64(kNtpToUnixSeconds);
        QTest::newRow("empty") << QByteArray() << -qint64(kNtpToUnixSeconds);
        QByteArray nextEra = full;
        const quint32 e = 100u; // 100 s after the wrap of 2036-02-07 06:28:16 UTC
        for (int i = 0; i < 4; ++i)
            nextEra[40 + i] = char(e >> (24 - 8 * i));
        QTest::newRow("next era") << nextEra << qint64(2085978496 + 100);
    }

    // Only a server's reply can set the clock.
    void usableReplies_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("usable");
        QByteArray server(48, '\0');
        server[0] = char(0x1C); // leap 0, version 3, mode 4
        server[40] = char(0xE9);
        QTest::newRow("server reply") << server << true;
        QTest::newRow("empty datagram") << QByteArray() << false;
        QTest::newRow("seven bytes") << server.left(7) << false;
        QByteArray client = server;
        client[0] = char(0x1B); // mode 3: a request
        QTest::newRow("a request") << client << false;
        QByteArray alarm = server;
        alarm[0] = char(0xDC); // leap 3: not synchronised
        QTest::newRow("unsynchronised server") << alarm << false;
        QByteArray zero = server;
        zero[40] = 0;
        QTest::newRow("no transmit time") << zero << false;
    }
    void usableReplies() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, usable);
        QCOMPARE(sntpReplyUsable(reply), usable);
    }

    void replyParsing() {
        QFETCH(QByteArray, reply);
        QFETCH(qint64, unix);
        QCOMPARE(unixTimeOfReply(reply), unix);
    }

    // An independent peer: chronyd serving time on a high port, never touching the clock.
    void againstChronyd() {
        // scripts/setup.sh unpacks Debian's chronyd here rather than installing the package,
        // which would replace the machine's own time service.
        const QString chronyd =
            QStringLiteral(VISTREL_SOURCE_DIR) + "/.tools/chrony/usr/sbin/chronyd";
        if (!QFile::exists(chronyd))
            QSKIP("chronyd is not unpacked: run scripts/setup.sh");
        QTemporaryDir dir;
        const QString conf = dir.path() + "/chrony.conf";
        QVERIFY(
            testkit::writeFile(conf, QString("port 11123\nbindaddress 127.0.0.1\nallow 127.0.0.1\n"
                                             "local stratum 8\ncmdport 0\npidfile %1/chronyd.pid\n"
                                             "driftfile %1/drift\n")
                                         .arg(dir.path())
                                         .toUtf8()));
        QProcess server;
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start(chronyd, {"-x", "-d", "-u", "root", "-f", conf});
        if (!server.waitForStarted(5000))
            QSKIP("chronyd cannot start here");
        auto stop = qScopeGuard([&] {
            server.terminate();
            server.waitForFinished(5000);
        });
        std::optional<qint64> t;
        for (int i = 0; i < 20 && !t && server.state() == QProcess::Running; ++i) {
            t = sntpExchange("127.0.0.1", 11123, QDateTime::currentSecsSinceEpoch());
            if (!t)
                QTest::qWait(250);
        }
        if (!t && server.state() != QProcess::Running)
            QSKIP(qPrintable("chronyd cannot run here: " +
                             QString::fromUtf8(server.readAll()).trimmed()));
        QVERIFY2(t.has_value(), server.readAll().constData());
        QVERIFY2(qAbs(*t - QDateTime::currentSecsSinceEpoch()) <= 2,
                 qPrintable(QString::number(*t)));
    }
};

QTEST_GUILESS_MAIN(TstSntp)
#include "tst_sntp.moc"
