// The camera page's guidance rules and the automatic start, and the settings' one way in.
#include "core/settings.h"
#include "testkit/testkit.h"
#include "ui/guidance.h"

#include <QSignalSpy>
#include <QtTest>

class TstGuidance : public QObject {
    Q_OBJECT

private slots:
    void readiness_data() {
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("pitch");
        QTest::addColumn<unsigned>("luma");
        QTest::addColumn<bool>("flash");
        QTest::addColumn<bool>("ready");
        QTest::newRow("all in range") << 97 << 0 << 15u << false << true;
        QTest::newRow("range edges") << 95 << -7 << 19u << false << true;
        QTest::newRow("too near") << 94 << 0 << 15u << false << false;
        QTest::newRow("too far") << 101 << 7 << 15u << false << false;
        QTest::newRow("tilted") << 97 << 8 << 15u << false << false;
        QTest::newRow("too bright") << 97 << 0 << 20u << false << false;
        QTest::newRow("bright, light on") << 97 << 0 << 40u << true << true;
        QTest::newRow("no distance reading") << -2 << 0 << 15u << false << false;
    }
    void readiness() {
        QFETCH(int, distance);
        QFETCH(int, pitch);
        QFETCH(unsigned, luma);
        QFETCH(bool, flash);
        QFETCH(bool, ready);
        QCOMPARE(guidance::ready({distance, pitch, luma, flash}), ready);
    }

    void texts() {
        QCOMPARE(guidance::distanceText(0), QString("---"));
        QCOMPARE(guidance::distanceText(-3), QString("---"));
        QCOMPARE(guidance::distanceText(97), QString("97"));
        QCOMPARE(guidance::distanceText(250), QString("200"));
        QCOMPARE(guidance::pitchText(-4), QString("-4") + QChar(0x00B0));
        QCOMPARE(guidance::pitchLineTop(0), std::optional<int>(188));
        QCOMPARE(guidance::pitchLineTop(4), std::optional<int>(178));
        QCOMPARE(guidance::pitchLineTop(60), std::nullopt);
    }

    void autoStartNeedsElevenReadyTicksInARow() {
        AutoStart a;
        for (int i = 0; i < AutoStart::kTicks - 1; ++i)
            QVERIFY(!a.tick(true));
        QVERIFY(!a.tick(false)); // one bad tick starts the count again
        QCOMPARE(a.count(), 0);
        for (int i = 0; i < AutoStart::kTicks - 1; ++i)
            QVERIFY(!a.tick(true));
        QVERIFY(a.tick(true));
    }

    void settingsRefuseASeparatorAndSaveTheRest() {
        testkit::ScopedBoard board;
        Settings s;
        s.load(board.appDir());
        QSignalSpy changed(&s, &Settings::changed);
        QVERIFY(!s.store(CamCfg::PrinterId, "PRN|1"));
        QVERIFY(!s.store(CamCfg::PrinterId, "PRN\n1"));
        QCOMPARE(changed.count(), 0);
        QVERIFY(s.store(CamCfg::PrinterId, "PRN-1"));
        QCOMPARE(changed.count(), 1);
        Settings again;
        again.load(board.appDir());
        QCOMPARE(again.printerId(), QString("PRN-1"));
        QCOMPARE(again.focusAuto(), false); // the later values did not shift
    }
};

QTEST_GUILESS_MAIN(TstGuidance)
#include "tst_guidance.moc"
