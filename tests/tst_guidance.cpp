// The operator's rules without widgets: the camera page's guidance and automatic start,
// what the input page accepts as a child and keeps over a camera restart, one tap one
// request, and the settings' one way in.
#include "core/settings.h"
#include "screening/child_entry.h"
#include "screening/outbox.h"
#include "sensors/sensor_hub.h"
#include "testkit/board_fixture.h"
#include "ui/guidance.h"
#include "ui/send_guard.h"
#include "ui/status_bar.h"

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
        QTest::newRow("no pitch reading") << 97 << SensorHub::kNoPitch << 15u << false << false;
        QTest::newRow("a real -1 degree") << 97 << -1 << 15u << false << true;
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
        QCOMPARE(guidance::pitchText(SensorHub::kNoPitch), QString("---"));
        QCOMPARE(guidance::pitchLineTop(SensorHub::kNoPitch), std::nullopt);
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

    void birthDates_data() {
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<bool>("valid");
        QTest::newRow("today") << QDate(2026, 12, 10) << true;
        QTest::newRow("tomorrow") << QDate(2026, 12, 11) << false;
        QTest::newRow("far future") << QDate(2030, 1, 1) << false;
        QTest::newRow("first of 1900") << QDate(1900, 1, 1) << true;
        QTest::newRow("last of 1899") << QDate(1899, 12, 31) << false;
        QTest::newRow("not a date") << QDate() << false;
    }
    void birthDates() {
        QFETCH(QDate, birth);
        QFETCH(bool, valid);
        QCOMPARE(entry::birthDateValid(birth, QDate(2026, 12, 10)), valid);
    }

    void childIds_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("usable");
        QTest::newRow("none") << "" << true;
        QTest::newRow("roster number") << "S-1204" << true;
        QTest::newRow("sixteen") << "ABCDEFGH-1234567" << true;
        QTest::newRow("seventeen") << "ABCDEFGH-12345678" << false;
        QTest::newRow("leading -") << "-12" << false;
        QTest::newRow("comma") << "S,12" << false;
        QTest::newRow("blank") << "S 12" << false;
        QTest::newRow("not ASCII") << QString::fromUtf8("Ä12") << false;
        QTest::newRow("separator of the extras") << "S;12" << false;
    }
    void childIds() {
        QFETCH(QString, id);
        QFETCH(bool, usable);
        QCOMPARE(entry::childIdProblem(id).isEmpty(), usable);
    }

    void names_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usable");
        QTest::newRow("two words") << "Maria Santos" << true;
        QTest::newRow("Devanagari") << QString::fromUtf8("अनन्या") << true;
        QTest::newRow("comma") << "Santos, Maria" << false;
        QTest::newRow("bar") << "A|B" << false;
        QTest::newRow("carriage return") << "Ann\rBob,Male,2019-01-01" << false;
        QTest::newRow("line feed") << "Ann\nBob" << false;
        QTest::newRow("tab") << "Ann\tBob" << false;
        QTest::newRow("line separator") << QString("Ann") + QChar(0x2028) + "Bob" << false;
    }
    void names() {
        QFETCH(QString, name);
        QFETCH(bool, usable);
        QCOMPARE(entry::nameProblem(name).isEmpty(), usable);
    }

    // An outbox item is read with the entry's rules; one that breaks them is no item.
    void outboxItems_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("read");
        const QByteArray rest = "sex=Female\nbirth=2020-01-02\ntime=2026-03-01 09:05:00\n"
                                "time_source=network\ncriterion=1\nregion=2\n";
        QTest::newRow("as written") << "name=Asha\n" + rest << true;
        QTest::newRow("with an ID and a newer key") << "name=Asha\n" + rest + "id=S-12\nnext=x\n"
                                                    << true;
        QTest::newRow("a record behind a carriage return")
            << "name=Asha\rRavi,Male,2019-01-01|2026-01-01 10:00\n" + rest << false;
        QTest::newRow("commas in the name") << "name=Asha,Male,2010-01-01\n" + rest << false;
        QTest::newRow("a second name") << "name=Asha\nname=Ravi\n" + rest << false;
        QTest::newRow("no sex") << "name=Asha\n" + rest.mid(rest.indexOf("birth")) << false;
        QTest::newRow("another sex")
            << "name=Asha\nsex=X\n" + rest.mid(rest.indexOf("birth")) << false;
        QTest::newRow("born after the screening")
            << "name=Asha\nsex=Male\nbirth=2027-01-01\n" + rest.mid(rest.indexOf("time=")) << false;
        QTest::newRow("criterion no number")
            << QByteArray("name=Asha\n" + rest).replace("criterion=1", "criterion=x") << false;
        QTest::newRow("region below zero")
            << QByteArray("name=Asha\n" + rest).replace("region=2", "region=-1") << false;
        QTest::newRow("a bad ID") << "name=Asha\n" + rest + "id=S,12\n" << false;
        QTest::newRow("a line without a key") << "name=Asha\n" + rest + "junk\n" << false;
    }
    void outboxItems() {
        QFETCH(QByteArray, text);
        QFETCH(bool, read);
        const std::optional<OutboxItem> item = parseOutboxItem(text);
        QCOMPARE(item.has_value(), read);
        if (item)
            QCOMPARE(parseOutboxItem(outboxItemText(*item))->record.name, QString("Asha"));
    }

    void keptEntryRoundTripsAndRefusesDamage() {
        const entry::Child child{QString::fromUtf8("Zoë Ángel"), false, QDate(2019, 5, 3), "S-12"};
        const auto kept = entry::parseKeptEntry(entry::keptEntryText(child, true));
        QVERIFY(kept && kept->cameraRestart && kept->child == child);
        QVERIFY(!entry::parseKeptEntry(entry::keptEntryText(child, false))->cameraRestart);
        // As the version before IDs wrote it.
        const auto older = entry::parseKeptEntry("Kim\nM\n2020-02-02\ncamera\n");
        QVERIFY(older && older->cameraRestart && older->child.childId.isEmpty());
        for (const QByteArray& damaged : {QByteArray(), QByteArray("Zoe\nX\n2019-05-03\n\n"),
                                          QByteArray("Zoe\nF\n2019-02-30\ncamera\n"),
                                          QByteArray("Zo,e\nF\n2019-05-03\ncamera\n")})
            QVERIFY2(!entry::parseKeptEntry(damaged), damaged.constData());
    }

    // A portal's sign-in notice takes the count's place while something waits.
    void waitingTexts() {
        QCOMPARE(waitingText(0), QString());
        QCOMPARE(waitingText(3), QString("3 waiting"));
        QCOMPARE(waitingText(3, true), QString("Wi-Fi needs a sign-in"));
        QCOMPARE(waitingText(0, true), QString());
    }

    void sendGuardTakesOneTapPerRequest() {
        SendGuard g;
        QVERIFY(g.begin(1000));
        QVERIFY(!g.begin(1050)); // while the request runs
        g.end(1080);
        QVERIFY(!g.begin(1160)); // the doubled tap, 80 ms later
        QVERIFY(!g.begin(1080 + SendGuard::kSettleMs - 1));
        QVERIFY(g.begin(1080 + SendGuard::kSettleMs)); // a deliberate second receipt
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
