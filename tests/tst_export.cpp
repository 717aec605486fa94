// The history export table.
#include "output/export_table.h"
#include "screening/history.h"
#include "testkit/board_fixture.h"

#include <QtTest>

namespace {

const QString kHeader =
    "<table border=\"1\"><tr><td>Name</td><td>Sex</td><td>Birthday</td><td>Time</td>"
    "<td>OD SPH</td><td>OD CYL</td><td>OD AXIS</td><td>OS SPH</td><td>OS CYL</td>"
    "<td>OS AXIS</td><td>PD</td><td>Screening results</td></tr>";

QString row(const QStringList& cells) {
    QString r = "<tr>";
    for (const QString& c : cells)
        r += "<td>" + c + "</td>";
    return r + "</tr>";
}

} // namespace

class TstExport : public QObject {
    Q_OBJECT

private slots:
    void table_data() {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("expected");
        const QString three = "Kim,Male,2020-02-02|2025-01-01 10:00,1,2,3,4,5,6,7,Pass\n"
                              "Lee,Female,2019-01-01|2025-01-02 10:00,0,0,0,0,0,0,60,Pass\n"
                              "Kim,Male,2020-02-02|2025-06-01 10:00,1.5,2,3,4,5,6,7,Refer\n"
                              "\n"
                              "Kim,Male,2020-02-02|2026-01-01 10:00,0.5,0,90,0.5,0,90,61,Pass\n";
        QTest::newRow("three screenings of one child in file order")
            << three << QStringList{"Kim,Male,2020-02-02"}
            << kHeader +
                   row({"Kim", "Male", "2020-02-02", "2025-01-01 10:00", "1", "2", "3", "4", "5",
                        "6", "7", "Pass"}) +
                   row({"Kim", "Male", "2020-02-02", "2025-06-01 10:00", "1.5", "2", "3", "4", "5",
                        "6", "7", "Refer"}) +
                   row({"Kim", "Male", "2020-02-02", "2026-01-01 10:00", "0.5", "0", "90", "0.5",
                        "0", "90", "61", "Pass"}) +
                   "</table>";
        QTest::newRow("eight and six fields")
            << "A,Male,2020-01-01|t8,1,2,3,4,5,6,7\nA,Male,2020-01-01|t6,1,2,4,5,7\n"
            << QStringList{"A,Male,2020-01-01"}
            << kHeader +
                   row({"A", "Male", "2020-01-01", "t8", "1", "2", "3", "4", "5", "6", "7",
                        "N/A"}) +
                   row({"A", "Male", "2020-01-01", "t6", "1", "2", "N/A", "4", "5", "N/A", "7",
                        "N/A"}) +
                   "</table>";
        // One child rule for list, detail, delete and export: the whole key, not a prefix.
        QTest::newRow("a key that only begins a line's key takes nothing")
            << "Li,Male,2019-01-012|t,1,2,3,4,5,6,7,Pass\nLi,Male,2019-01-01|u,1,2,3,4,5,6,7,"
               "Refer\n"
            << QStringList{"Li,Male,2019-01-01"}
            << kHeader +
                   row({"Li", "Male", "2019-01-01", "u", "1", "2", "3", "4", "5", "6", "7",
                        "Refer"}) +
                   "</table>";
        QTest::newRow("two children in file order")
            << "B,Male,2020-01-01|t1,1,2,3,4,5,6,7,Pass\nC,Male,2020-01-01|t2,1,2,3,4,5,6,7,Pass\n"
               "D,Male,2020-01-01|t3,1,2,3,4,5,6,7,Pass\nB,Male,2020-01-01|t4,1,2,3,4,5,6,7,Refer\n"
            << QStringList{"B,Male,2020-01-01", "D,Male,2020-01-01"}
            << kHeader +
                   row({"B", "Male", "2020-01-01", "t1", "1", "2", "3", "4", "5", "6", "7",
                        "Pass"}) +
                   row({"D", "Male", "2020-01-01", "t3", "1", "2", "3", "4", "5", "6", "7",
                        "Pass"}) +
                   row({"B", "Male", "2020-01-01", "t4", "1", "2", "3", "4", "5", "6", "7",
                        "Refer"}) +
                   "</table>";
        QTest::newRow("four person fields skipped")
            << "Lee, Jr,Male,2019-01-01|t,1,2,3,4,5,6,7,Pass\n"
            << QStringList{"Lee"} << kHeader + "</table>";
        QTest::newRow("other layouts and damaged lines skipped")
            << "B,Male,2020-01-01|t,1,2,3,4,5,6\nB,Male,2020-01-01\nB,Male,2020-01-01|a|b\n"
            << QStringList{"B,Male,2020-01-01"} << kHeader + "</table>";
        QTest::newRow("no usable line: header only")
            << "" << QStringList{"X,Male,2020-01-01"} << kHeader + "</table>";
        QTest::newRow("case-sensitive keys")
            << "kim,Male,2020-02-02|t,1,2,3,4,5,6,7,P\n"
            << QStringList{"Kim,Male,2020-02-02"} << kHeader + "</table>";
        QTest::newRow("cell texts escaped")
            << "<b>Bo</b> & \"Al\",Male,2020-01-01|t,1,2,3,4,5,6,7,Pass\n"
            << QStringList{"<b>Bo</b> & \"Al\",Male,2020-01-01"}
            << kHeader +
                   row({"&lt;b&gt;Bo&lt;/b&gt; &amp; &quot;Al&quot;", "Male", "2020-01-01", "t",
                        "1", "2", "3", "4", "5", "6", "7", "Pass"}) +
                   "</table>";
    }

    // The spreadsheet file: sixteen columns, RFC 4180 quoting, CRLF, a byte order mark.
    void csv() {
        const ScreeningRecord unable = testkit::withoutMeasurements(
            QString::fromUtf8("Zoë \"Z\" 张"), false, QDate(2019, 5, 3),
            QDateTime(QDate(2026, 12, 10), QTime(9, 0)), kUnableToScreen,
            {"S-3", "no-reflex", "", "operator"});
        ScreeningRecord formula = unable;
        formula.name = "=HYPERLINK(1)";
        formula.extras = {};
        const QString history =
            historyLine(unable) + historyLine(formula) + "Old,Male,2018-01-01|t,1,2,3,4,5\n";
        const QByteArray csv =
            exportCsv(history, {childKeyOf(unable), childKeyOf(formula), "Old,Male,2018-01-01"});
        QCOMPARE(csv, QByteArray("\xEF\xBB\xBF"
                                 "Name,Sex,Birthday,Time,OD SPH,OD CYL,OD AXIS,OS SPH,OS CYL,OS "
                                 "AXIS,PD,Screening results,ID,Reason,Criterion,Time source\r\n") +
                          QString::fromUtf8("\"Zoë \"\"Z\"\" 张\",Female,2019-05-03,2026-12-10 "
                                            "09:00,,,,,,,,Unable to screen,S-3,No reflex "
                                            "found,,operator\r\n")
                              .toUtf8() +
                          "'=HYPERLINK(1),Female,2019-05-03,2026-12-10 09:00,,,,,,,,Unable to "
                          "screen,,,,\r\n"
                          "Old,Male,2018-01-01,t,1,2,N/A,3,4,N/A,5,N/A,,,,\r\n");
    }

    void table() {
        QFETCH(QString, history);
        QFETCH(QStringList, keys);
        QFETCH(QString, expected);
        QCOMPARE(exportTable(history, keys), expected);
    }
};

QTEST_GUILESS_MAIN(TstExport)
#include "tst_export.moc"
