// The history file this version writes, read by the history functions of the version
// before IDs and extras (their sources kept under landed/, as they were released): the
// version dialog can switch a device back to it, and its list, detail, export and delete
// must still be right for every screening.
#include "output/export_table.h"
#include "screening/history.h"

#include <QFile>
#include <QtTest>

class TstLandedReaders : public QObject {
    Q_OBJECT

    QString m_text;

private slots:
    void initTestCase() {
        QFile file(VISTREL_SOURCE_DIR "/tests/compat/written-by-this-version.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_text = QString::fromUtf8(file.readAll());
    }

    // It knows no IDs: the two Anas are one child to it, with both screenings.
    void listAndDetail() {
        QCOMPARE(
            matchingChildKeys(m_text, ""),
            (QStringList{"Ana,Female,2019-05-03", "Lan,Female,2019-05-03", "Old,Male,2018-01-01"}));
        QCOMPARE(matchingChildKeys(m_text, "S-1"), QStringList{}); // nor searches them
        const QList<QStringList> ana = childScreenings(m_text, "Ana,Female,2019-05-03");
        QCOMPARE(ana.size(), 2);
        QCOMPARE(ana[0], (QStringList{"2026-12-10 09:05", "-0.75", "-0.25", "10", "-1.25", "-0.50",
                                      "175", "62.5", "Refer"}));
        QCOMPARE(childScreenings(m_text, "Lan,Female,2019-05-03"),
                 (QList<QStringList>{
                     {"2026-12-10 09:10", "", "", "", "", "", "", "", "Unable to screen"}}));
        QCOMPARE(childScreenings(m_text, "Old,Male,2018-01-01").size(), 1);
    }

    // Every screening once, twelve cells each, and no extras line as a row.
    void exportTakesEveryScreening() {
        const QString table = exportTable(
            m_text, {"Ana,Female,2019-05-03", "Lan,Female,2019-05-03", "Old,Male,2018-01-01"});
        QCOMPARE(table.count("<tr>"), 1 + 4);
        QCOMPARE(table.count("<td>"), 12 * (1 + 4));
        QVERIFY(!table.contains("check="));
    }

    // A child's extras lines go with it; the others' stay byte for byte.
    void deleteTakesTheExtrasAlong() {
        const QByteArray kept = historyWithout(m_text.toUtf8(), {"Ana,Female,2019-05-03"});
        QCOMPARE(QString::fromUtf8(kept), QStringList(m_text.split('\n').mid(4)).join('\n'));
    }
};

QTEST_GUILESS_MAIN(TstLandedReaders)
#include "tst_landed_readers.moc"
