// Referral criteria and age in months, checked at every limit of the published tables.
#include "core/common.h"
#include "core/settings.h"
#include "net/http_client.h"
#include "platform/board.h"
#include "screening/criteria.h"
#include "screening/screening_session.h"
#include "testkit/board_fixture.h"

#include <QtTest>

namespace {

// The published tables, written out again here so that the product's copy is checked
// against an independent one: ages of the band, anisometropia, sphere >=, sphere <=,
// cylinder >=, cylinder <=.
struct PublishedBand {
    int youngest, oldest;
    double a, sphHigh, sphLow, cylHigh, cylLow;
};

const QList<PublishedBand> kMattaTable = {
    {-24, 12, 1.25, 3.0, -2.0, 1.0, -1.0},
    {13, 36, 1.25, 1.25, -2.0, 1.0, -1.0},
    {37, 72, 1.25, 1.25, -1.0, 1.0, -1.0},
    {73, 400, 1.25, 1.0, -1.0, 1.25, -1.25},
};
const QList<PublishedBand> kArnoldTable = {
    {-24, 8, 1.5, 3.0, -3.0, 2.0, -2.0},
    {9, 72, 1.0, 2.5, -2.25, 2.0, -2.0},
    {73, 400, 1.25, 2.0, -1.5, 1.5, -1.5},
};
const QList<PublishedBand> kArthur2Table = {
    {-24, 400, 1.5, 3.5, -3.0, 2.5, -2.5},
};

QString num(double v) {
    return QString::number(v, 'f', 3);
}

constexpr int kPass = 1, kRefer = -1;

} // namespace

class TstCriteria : public QObject {
    Q_OBJECT

    static void addRow(const char* criterion, int code, int months, const QString& what, double L,
                       double R, double CL, double CR, int expected) {
        QTest::addRow("%s %dm %s", criterion, months, qPrintable(what))
            << code << months << num(L) << num(R) << num(CL) << num(CR) << expected;
    }

    // For each band, at its youngest and oldest age: each limit exactly (refer) and just
    // inside (pass), for each eye and for anisometropia in both directions.
    static void addTable(const char* name, int code, const QList<PublishedBand>& table) {
        const double in = 0.01;
        for (const PublishedBand& b : table) {
            for (int m : {b.youngest, b.oldest}) {
                // Sphere: the other eye stays close enough that L - R cannot refer.
                const double gap = b.a - 0.25;
                for (int eye = 0; eye < 2; ++eye) {
                    auto sph = [&](const QString& what, double v, double other, int expected) {
                        const double L = eye == 0 ? v : other, R = eye == 0 ? other : v;
                        addRow(name, code, m, (eye == 0 ? "L " : "R ") + what, L, R, 0, 0,
                               expected);
                    };
                    sph("sphere at high limit", b.sphHigh, b.sphHigh - gap, kRefer);
                    sph("sphere inside high limit", b.sphHigh - in, b.sphHigh - gap, kPass);
                    sph("sphere at low limit", b.sphLow, b.sphLow + gap, kRefer);
                    sph("sphere inside low limit", b.sphLow + in, b.sphLow + gap, kPass);
                    auto cyl = [&](const QString& what, double v, int expected) {
                        addRow(name, code, m, (eye == 0 ? "CL " : "CR ") + what, 0, 0,
                               eye == 0 ? v : 0, eye == 0 ? 0 : v, expected);
                    };
                    cyl("cylinder at high limit", b.cylHigh, kRefer);
                    cyl("cylinder inside high limit", b.cylHigh - in, kPass);
                    cyl("cylinder at low limit", b.cylLow, kRefer);
                    cyl("cylinder inside low limit", b.cylLow + in, kPass);
                }
                // Anisometropia around the middle of the sphere range, so no sphere refers.
                const double mid = (b.sphHigh + b.sphLow) / 2;
                addRow(name, code, m, "A at +limit", mid + b.a / 2, mid - b.a / 2, 0, 0, kRefer);
                addRow(name, code, m, "A inside +limit", mid + b.a / 2 - in, mid - b.a / 2, 0, 0,
                       kPass);
                addRow(name, code, m, "A at -limit", mid - b.a / 2, mid + b.a / 2, 0, 0, kRefer);
                addRow(name, code, m, "A inside -limit", mid - b.a / 2 + in, mid + b.a / 2, 0, 0,
                       kPass);
                addRow(name, code, m, "all zero", 0, 0, 0, 0, kPass);
            }
        }
    }

private slots:
    void tables_data() {
        QTest::addColumn<int>("criterion");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("L");
        QTest::addColumn<QString>("R");
        QTest::addColumn<QString>("CL");
        QTest::addColumn<QString>("CR");
        QTest::addColumn<int>("expected");
        addTable("Matta", 1, kMattaTable);
        addTable("Arnold", 0, kArnoldTable);
        addTable("Arthur2", 2, kArthur2Table);
        addTable("code 5 is Arthur2", 5, kArthur2Table);
        addTable("code -1 is Arthur2", -1, kArthur2Table);
    }

    void tables() {
        QFETCH(int, criterion);
        QFETCH(int, months);
        QFETCH(QString, L);
        QFETCH(QString, R);
        QFETCH(QString, CL);
        QFETCH(QString, CR);
        QFETCH(int, expected);
        QCOMPARE(referralFor(criterion, months, refractionFrom(L, R, CL, CR)), expected);
    }

    // The worked examples, as texts the way the server sends them.
    void examples_data() {
        QTest::addColumn<int>("criterion");
        QTest::addColumn<int>("months");
        QTest::addColumn<QStringList>("LRCLCR");
        QTest::addColumn<int>("expected");
        QTest::newRow("Matta 24m A=1.25")
            << 1 << 24 << QStringList{"1.25", "0", "0", "0"} << kRefer;
        QTest::newRow("Matta 12m A=1.25")
            << 1 << 12 << QStringList{"1.25", "0", "0", "0"} << kRefer;
        QTest::newRow("Matta 12m L=1.0") << 1 << 12 << QStringList{"1.0", "0", "0", "0"} << kPass;
        QTest::newRow("Matta 24m L=1.0") << 1 << 24 << QStringList{"1.0", "0", "0", "0"} << kPass;
        QTest::newRow("Matta 40m R=-1.0")
            << 1 << 40 << QStringList{"0", "-1.0", "0", "0"} << kRefer;
        QTest::newRow("Matta 30m R=-1.0") << 1 << 30 << QStringList{"0", "-1.0", "0", "0"} << kPass;
        QTest::newRow("Matta 80m CR=-1.0")
            << 1 << 80 << QStringList{"0", "0", "0", "-1.0"} << kPass;
        QTest::newRow("Matta 80m CR=-1.25")
            << 1 << 80 << QStringList{"0", "0", "0", "-1.25"} << kRefer;
        QTest::newRow("Arnold 8m 2.75") << 0 << 8 << QStringList{"2.75", "2.75", "0", "0"} << kPass;
        QTest::newRow("Arnold 9m 2.75")
            << 0 << 9 << QStringList{"2.75", "2.75", "0", "0"} << kRefer;
        QTest::newRow("Arnold 73m -1.5")
            << 0 << 73 << QStringList{"-1.5", "-1.5", "0", "0"} << kRefer;
        QTest::newRow("Arnold 73m -1.49")
            << 0 << 73 << QStringList{"-1.49", "-1.49", "0", "0"} << kPass;
        QTest::newRow("Arnold 73m A=-1.3")
            << 0 << 73 << QStringList{"-1.3", "0", "0", "0"} << kRefer;
        QTest::newRow("Arthur2 L=3.4 R=2")
            << 2 << 50 << QStringList{"3.4", "2.0", "0", "0"} << kPass;
        QTest::newRow("Arthur2 L=3.5 R=2")
            << 2 << 50 << QStringList{"3.5", "2.0", "0", "0"} << kRefer;
        QTest::newRow("server texts with signs")
            << 2 << 50 << QStringList{"+1.00", "-0.50", "-0.75", "-2.50"} << kRefer;
        QTest::newRow("empty texts pass") << 1 << 24 << QStringList{"", "", "", ""} << kPass;
        QTest::newRow("not numbers count as 0")
            << 0 << 24 << QStringList{"abc", "--", "n/a", "?"} << kPass;
        QTest::newRow("number with a word reads as 0")
            << 1 << 24 << QStringList{"5.0D", "0", "0", "0"} << kPass;
    }

    void examples() {
        QFETCH(int, criterion);
        QFETCH(int, months);
        QFETCH(QStringList, LRCLCR);
        QFETCH(int, expected);
        const Refraction r = refractionFrom(LRCLCR[0], LRCLCR[1], LRCLCR[2], LRCLCR[3]);
        QCOMPARE(referralFor(criterion, months, r), expected);
    }

    void ageInMonths_data() {
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("months");
        QTest::newRow("10 Mar to 24 May") << QDate(2024, 3, 10) << QDate(2024, 5, 24) << 2;
        QTest::newRow("10 Mar to 25 May") << QDate(2024, 3, 10) << QDate(2024, 5, 25) << 3;
        QTest::newRow("30 Jan to 1 Mar") << QDate(2024, 1, 30) << QDate(2024, 3, 1) << 1;
        QTest::newRow("31st to 16th") << QDate(2023, 1, 31) << QDate(2023, 6, 16) << 4;
        QTest::newRow("31st to 17th") << QDate(2023, 1, 31) << QDate(2023, 6, 17) << 5;
        QTest::newRow("same day") << QDate(2020, 6, 15) << QDate(2026, 6, 15) << 72;
        QTest::newRow("across years") << QDate(2019, 11, 20) << QDate(2026, 2, 3) << 74;
        QTest::newRow("born today") << QDate(2026, 12, 8) << QDate(2026, 12, 8) << 0;
        QTest::newRow("future birth") << QDate(2027, 3, 1) << QDate(2026, 12, 8) << -3;
    }

    void ageInMonths() {
        QFETCH(QDate, birth);
        QFETCH(QDate, today);
        QFETCH(int, months);
        QCOMPARE(monthsOfAge(today, birth), months);
    }

    void invalidBirthDateFallsInTheOldestBand() {
        QVERIFY(monthsOfAge(QDate(2026, 12, 8), QDate()) > 72 * 10);
    }

    void verdictTexts() {
        QCOMPARE(verdictText(1), QString("Pass"));
        QCOMPARE(verdictText(-1), QString("Refer"));
        QCOMPARE(verdictText(0), QString());
    }

    // The session judges a screening it ends by the criterion of the settings, at the
    // child's age by the board's date, and names the criterion in the record.
    void recordIsJudgedByTheSelectedCriterion() {
        testkit::ScopedBoard board;
        QVERIFY(board::setSystemClock(
            QDateTime(QDate(2026, 12, 8), QTime(12, 0), Qt::UTC).toSecsSinceEpoch()));
        Settings settings;
        HttpClient http;
        common identity;
        ScreeningSession session(settings, http, identity);
        AnalysisValues v;
        v.osSph = v.odSph = "2.75";
        v.osCyl = v.odCyl = "0";
        const struct {
            int criterion;
            QDate birth;
            const char *verdict, *name;
        } cases[] = {
            {0, QDate(2026, 4, 8), "Pass", "Arnold"},  // 8 months
            {0, QDate(2026, 3, 8), "Refer", "Arnold"}, // 9 months
            {1, QDate(2026, 3, 8), "Pass", "Matta"},   // 2.75 < 3.0 up to 12 months
            {7, QDate(2026, 3, 8), "Pass", "Arthur2"},
        };
        for (const auto& c : cases) {
            settings.store(CamCfg::ReferralCriteria, QString::number(c.criterion));
            QCOMPARE(session.begin({"Ann", true, c.birth, QString()}), QString());
            session.saveTestResult(v); // no application folder: judged, not kept
            QCOMPARE(session.record().referral, QString(c.verdict));
            QCOMPARE(session.record().extras.criterion, QString(c.name));
            QCOMPARE(session.calculateReferral(), c.verdict == QString("Pass") ? kPass : kRefer);
        }
        QCOMPARE(session.getMonthofAge(), 9);
        board::setSystemClock(QDateTime::currentSecsSinceEpoch());
    }
};

QTEST_GUILESS_MAIN(TstCriteria)
#include "tst_criteria.moc"
