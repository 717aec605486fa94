// The history screens end to end on the virtual board: the list of children with search,
// ticks and select-all, one child's screenings, delete, screen again, and the export by
// e-mail through the mail stand-in (aiosmtpd at its default line-length limit).
#include "app/gdata.h"
#include "capture/capture_session.h"
#include "knobs.h"
#include "output/export_table.h"
#include "screening/screening_session.h"
#include "system/clock_service.h"
#include "testkit/window_fixture.h"
#include "ui/history_controller.h"
#include "ui/maindialog.h"
#include "ui/screening_controller.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

namespace {

// A history of five children; Ann twice, one line in each stored layout.
const QByteArray kHistory = "Ann,Female,2019-04-01|2025-01-02 09:00,1,2,3,4,5,6,60,Pass\n"
                            "Bob,Male,2020-02-02|2025-01-03 09:00,0,0,0,0,0,0,61\n"
                            "anna,Female,2018-07-07|2025-01-04 09:00,1,1,1,1,62\n"
                            "Hannah,Female,2019-12-12|2025-01-05 09:00,0,0,0,0,0,0,63,Refer\n"
                            "Ann,Female,2019-04-01|2026-06-01 10:30,-1,-2,90,-3,-4,80,59,Refer\n"
                            "Ann,Female,2019-04-012|2025-01-06 09:00,0,0,0,0,0,0,64,Pass\n";

// The text of the next message box, closing it.

// Answers the next message box with its left (Yes) or right (No) button.
void answerNext(const char* button) {
    testkit::onNextModal([button](QWidget* w) { w->findChild<QPushButton*>(button)->click(); }, 1,
                         "MsgDialog");
}

QJsonObject mimeCheck(const QString& file) {
    return QJsonDocument::fromJson(testkit::mimeTool({"message", file}).toUtf8()).object();
}

} // namespace

class TstE2eHistory : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::WindowFixture> m_fx;

    template <typename T> T* widget(const char* name) { return m_fx->widget<T>(name); }
    MainDialog& window() { return m_fx->window(); }
    QString historyFile() { return m_fx->board().appDir() + "/CAMCFG/result.txt"; }
    QAbstractItemModel* list() { return widget<QTableView>("tableViewSearchResult")->model(); }
    QAbstractItemModel* detail() { return widget<QTableView>("tableViewUserDetail")->model(); }

    QStringList listedNames() {
        QStringList names;
        for (int r = 0; r < list()->rowCount(); ++r)
            names << list()->index(r, 1).data().toString() + "/" +
                         list()->index(r, 3).data().toString();
        return names;
    }
    void clickList(int row, int column) {
        QMetaObject::invokeMethod(&window().history(), "on_tableViewSearchResult_clicked",
                                  Q_ARG(QModelIndex, list()->index(row, column)));
    }
    void click(const char* name) { window().findChild<QPushButton*>(name)->click(); }
    bool tickShown(int row) {
        const QIcon icon = list()->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
        return icon.pixmap(33, 26).toImage() == QIcon(":/pic/checkon.jpg").pixmap(33, 26).toImage();
    }
    bool selectAllShown() {
        return widget<QPushButton>("buttonSelectAll")->icon().pixmap(33, 26).toImage() ==
               QIcon(":/pic/checkon.jpg").pixmap(33, 26).toImage();
    }
    int rowOf(const QString& name, const QString& birth) {
        return int(listedNames().indexOf(name + "/" + birth));
    }
    void openHistory(const QByteArray& history) {
        QVERIFY(testkit::writeFile(historyFile(), history));
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        click("buttonHistory");
        QCOMPARE(widget<QStackedWidget>("stackedWidgetNoMenu")->currentIndex(),
                 int(MainDialog::PageHistory));
    }

private slots:
    void initTestCase() {
        qputenv("VISTREL_SIM_CA", (testkit::services::dir() + "/tls/ca.pem").toUtf8());
    }
    void init() { m_fx = std::make_unique<testkit::WindowFixture>(); }
    void cleanup() {
        m_fx.reset();
        testkit::services::clearKnob(serviceKnobs::kSmtpRefuseRcpt);
    }

    // One row per child, sorted by plain string order; the detail page shows one child's
    // screenings newest first, in each stored layout.
    void listAndDetail() {
        openHistory(kHistory);
        QCOMPARE(listedNames(), (QStringList{"Ann/2019-04-01", "Ann/2019-04-012", "Bob/2020-02-02",
                                             "Hannah/2019-12-12", "anna/2018-07-07"}));
        clickList(rowOf("Ann", "2019-04-01"), 1);
        QCOMPARE(widget<QStackedWidget>("stackedWidgetNoMenu")->currentIndex(),
                 int(MainDialog::PageUserDetail));
        QCOMPARE(widget<QLabel>("labelUserDetailName")->text(), QString("Ann"));
        QCOMPARE(detail()->rowCount(), 2); // not the child whose birth date only begins alike
        QCOMPARE(detail()->index(0, 0).data().toString(), QString("2026-06-01 10:30"));
        QCOMPARE(detail()->index(1, 0).data().toString(), QString("2025-01-02 09:00"));
        QCOMPARE(detail()->index(0, 8).data().toString(), QString("Refer"));
        QCOMPARE(int(detail()->index(0, 3).data(Qt::TextAlignmentRole).toInt()),
                 int(Qt::AlignCenter));
        click("buttonUserDetailReturn");
        // Eight fields: no verdict. Six fields: no axes, no verdict.
        clickList(rowOf("Bob", "2020-02-02"), 2);
        QCOMPARE(detail()->index(0, 8).data().toString(), QString("N/A"));
        QCOMPARE(detail()->index(0, 7).data().toString(), QString("61"));
        click("buttonUserDetailReturn");
        clickList(rowOf("anna", "2018-07-07"), 3);
        QStringList cells;
        for (int c = 0; c < 9; ++c)
            cells << detail()->index(0, c).data().toString();
        QCOMPARE(cells,
                 (QStringList{"2025-01-04 09:00", "1", "1", "N/A", "1", "1", "N/A", "62", "N/A"}));
    }

    void search_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("nn") << "nn"
                            << QStringList{"Ann/2019-04-01", "Ann/2019-04-012", "Hannah/2019-12-12",
                                           "anna/2018-07-07"};
        QTest::newRow("any case, any accent")
            << QString::fromUtf8("ÁNN")
            << QStringList{"Ann/2019-04-01", "Ann/2019-04-012", "Hannah/2019-12-12",
                           "anna/2018-07-07"};
        QTest::newRow("every girl") << "Female"
                                    << QStringList{"Ann/2019-04-01", "Ann/2019-04-012",
                                                   "Hannah/2019-12-12", "anna/2018-07-07"};
        QTest::newRow("born in 2019")
            << "2019-" << QStringList{"Ann/2019-04-01", "Ann/2019-04-012", "Hannah/2019-12-12"};
        QTest::newRow("nobody") << "Zed" << QStringList{};
    }
    void search() {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        openHistory(kHistory);
        widget<QLineEdit>("editSearch")->setText(text);
        click("buttonSearch");
        QCOMPARE(listedNames(), names);
    }

    void ticksAndSelectAll() {
        openHistory(kHistory);
        const int rows = list()->rowCount();
        for (int r = 0; r < rows; ++r) {
            QVERIFY(!selectAllShown());
            clickList(r, 0);
            QVERIFY(tickShown(r));
        }
        QVERIFY(selectAllShown()); // the last tick switched it on
        clickList(2, 0);
        QVERIFY(!tickShown(2));
        QVERIFY(!selectAllShown());
        click("buttonSelectAll2"); // the text forwards to the box
        QVERIFY(selectAllShown());
        for (int r = 0; r < rows; ++r)
            QVERIFY(tickShown(r));
        click("buttonSelectAll");
        for (int r = 0; r < rows; ++r)
            QVERIFY(!tickShown(r));
        clickList(0, 0);
        clickList(3, 0);
        QVERIFY(testkit::saveScreen(&window(), "pageHistory"));
    }

    void deleteAsksAndRemovesOnlyTheTickedChild() {
        openHistory(kHistory);
        auto shown = testkit::nextMessage();
        click("buttonHistoryDelete");
        QCOMPARE(*shown, QString("No Record Selected"));
        QCOMPARE(testkit::readFile(historyFile()), kHistory);

        clickList(rowOf("Ann", "2019-04-01"), 0);
        answerNext("buttonRight1"); // No
        click("buttonHistoryDelete");
        QCOMPARE(testkit::readFile(historyFile()), kHistory);

        answerNext("buttonLeft1"); // Yes
        click("buttonHistoryDelete");
        const QByteArray after = testkit::readFile(historyFile());
        QVERIFY(!after.contains("Ann,Female,2019-04-01|"));
        QVERIFY(after.contains("Ann,Female,2019-04-012|")); // another child, kept
        QCOMPARE(after.count('\n'), 4);
        QCOMPARE(listedNames().size(), 4); // the list is searched again, ticks cleared
        QVERIFY(!tickShown(0));
    }

    // The result page of a deleted child goes: Back finds a fresh input page, Print nothing.
    void deletingTheChildOnTheResultPage() {
        testkit::beginExample(m_fx->data());
        window().screening().pageResultShow(testkit::exampleValues());
        QVERIFY(testkit::readFile(historyFile()).startsWith("Test,Female,2019-05-03|"));
        click("buttonHistory");
        click("buttonSearch");
        clickList(rowOf("Test", "2019-05-03"), 0);
        answerNext("buttonLeft1"); // Yes
        click("buttonHistoryDelete");
        click("buttonHistoryReturn");
        QCOMPARE(widget<QStackedWidget>("stackedWidgetWithMenu")->currentIndex(), 0);
        QCOMPARE(widget<QLineEdit>("editName")->text(), QString("Please enter your name"));
        QVERIFY(m_fx->data().screening().record().name.isEmpty());
    }

    // Enter on the keyboard searches, folding case and accents.
    void enterSearches() {
        openHistory(kHistory);
        widget<QLineEdit>("editSearch")->setText(QString::fromUtf8("HÁNN"));
        testkit::onNextModal([](QWidget* w) { w->findChild<QPushButton*>("buttonEnter")->click(); },
                             1, "KeypadDlg");
        QTest::mousePress(widget<QLineEdit>("editSearch"), Qt::LeftButton);
        QCOMPARE(listedNames(), QStringList{"Hannah/2019-12-12"});
        QVERIFY(testkit::saveScreen(&window(), "pageHistory_search"));
        widget<QLineEdit>("editSearch")->clear();
        QVERIFY(testkit::saveScreen(&window(), "pageHistory_searchPlaceholder"));
    }

    void damagedLinesAreSkipped() {
        openHistory("no bar at all\nTwo,Fields|t,1,2,3,4,5,6,7,Pass\n|\n"
                    "Kim,Male,2020-01-01|t,1,2,3\nKim,Male,2020-01-01|t,1,2,3,4,5,6,7,Pass\n");
        QCOMPARE(listedNames(), QStringList{"Kim/2020-01-01"});
        clickList(0, 1);
        QCOMPARE(detail()->rowCount(), 1); // the four-field screening gives no row
    }

    void screenAgain() {
        openHistory(kHistory);
        auto shown = testkit::nextMessage();
        click("buttonHistoryPhoto");
        QCOMPARE(*shown, QString("No Record Selected"));
        clickList(0, 0);
        clickList(1, 0);
        shown = testkit::nextMessage();
        click("buttonHistoryPhoto");
        QCOMPARE(*shown, QString("Please select ONE record"));
        clickList(0, 0);
        // Without a trusted clock the operator is asked for the time; X leaves the page.
        m_fx->data().clock().setTimeSynced(false);
        const auto asked = testkit::onNextModal(
            [](QWidget* w) { w->findChild<QPushButton*>("buttonCancel")->click(); }, 1, "ClockDlg");
        click("buttonHistoryPhoto");
        QCOMPARE(*asked, 1);
        QVERIFY(widget<QStackedWidget>("stackedWidgetBase")->currentIndex() !=
                int(MainDialog::PageCamera));

        // A stored birth date that is no date cannot give an age: the child is not taken.
        m_fx->data().clock().setTimeSynced(true);
        shown = testkit::nextMessage();
        click("buttonHistoryPhoto"); // row 1: Ann, born 2019-04-012 (as stored)
        QCOMPARE(*shown, QString("Date is not valid!"));
        QVERIFY(widget<QStackedWidget>("stackedWidgetBase")->currentIndex() !=
                int(MainDialog::PageCamera));

        // One child: the camera page with that child's data, and a second record for it.
        clickList(1, 0); // untick, back to the first Ann
        clickList(0, 0);
        click("buttonHistoryPhoto");
        QCOMPARE(widget<QStackedWidget>("stackedWidgetBase")->currentIndex(),
                 int(MainDialog::PageCamera));
        QCOMPARE(m_fx->data().screening().record().name, QString("Ann"));
        QCOMPARE(m_fx->data().screening().record().male, false);
        QCOMPARE(m_fx->data().screening().record().birth, QDate(2019, 4, 1));
        QCOMPARE(widget<QLabel>("labelNameValue")->text(), QString("Ann"));
        // The recording's upload and verdict, as the recording thread would end it.
        QVERIFY(testkit::makeRecording(m_fx->board().root() + "/tmp/pupil_video.avi"));
        m_fx->data().capture().setState(CameraState(3));
        QMetaObject::invokeMethod(&window().screening(), "video_thread_slot", Q_ARG(int, 0));
        QCOMPARE(widget<QStackedWidget>("stackedWidgetWithMenu")->currentIndex(),
                 1); // the result page
        const QStringList ann = QString::fromUtf8(testkit::readFile(historyFile()))
                                    .split('\n')
                                    .filter(QRegularExpression("^Ann,Female,2019-04-01\\|\\d"));
        QCOMPARE(ann.size(), 3);
    }

    // 50 screenings of two ticked children and one unticked one go out as one mail through
    // a server that enforces the 998-octet line limit; the table read back by Python's
    // email package is exactly the export of the ticked children.
    void exportByMail() {
        QByteArray history;
        const char* const children[] = {"Mia,Female,2019-03-03", "Noah,Male,2018-08-08",
                                        "Zoe,Female,2020-10-10"};
        for (int i = 0; i < 50; ++i)
            history += QByteArray(children[i % 3]) + "|2026-01-" + QByteArray::number(10 + i % 18) +
                       " 10:" + QByteArray::number(10 + i) + ",0.25,-0.50,90,0.75,-1.00,85,6" +
                       QByteArray::number(i % 10) + ",Pass\n";
        openHistory(history);
        clickList(rowOf("Mia", "2019-03-03"), 0);
        clickList(rowOf("Noah", "2018-08-08"), 0);

        // Cancelled: nothing goes out.
        testkit::services::clearLog("mail");
        testkit::onNextModal(
            [](QWidget* w) { w->findChild<QPushButton*>("buttonCancel")->click(); }, 1, "MailDlg");
        click("buttonHistoryExport");
        QVERIFY(testkit::services::log("mail").isEmpty());

        testkit::onNextModal(
            [](QWidget* w) {
                w->findChild<QLineEdit*>("editEmail")->setText("nurse@clinic.test");
                QVERIFY(testkit::saveScreen(w, "MailDlg"));
                w->findChild<QPushButton*>("buttonSend")->click();
            },
            1, "MailDlg");
        auto shown = testkit::nextMessage();
        click("buttonHistoryExport");
        QTRY_COMPARE_WITH_TIMEOUT(*shown, QString("Success"), 20000);
        const auto mails = testkit::services::log("mail");
        QCOMPARE(mails.size(), 1);
        QCOMPARE(mails[0]["rcpt_tos"].toArray().first().toString(), QString("nurse@clinic.test"));
        const QJsonObject m = mimeCheck(mails[0]["file"].toString());
        QVERIFY2(m["defects"].toArray().isEmpty(), QJsonDocument(m).toJson().constData());
        QVERIFY(m["crlf_only"].toBool());
        QVERIFY(m["longest_line"].toInt() <= 998);
        const QJsonArray parts = m["parts"].toArray();
        QCOMPARE(parts.size(), 2); // the table, and the same as a spreadsheet file
        QCOMPARE(parts[0]["type"].toString(), QString("text/html"));
        QCOMPARE(parts[1]["type"].toString(), QString("text/csv"));
        const QString expected = exportTable(QString::fromUtf8(history),
                                             {"Mia,Female,2019-03-03", "Noah,Male,2018-08-08"});
        QCOMPARE(parts[0]["text"].toString(), expected);
        QCOMPARE(expected.count("<tr>"), 1 + 34); // 17 of Mia, 17 of Noah
    }

    void mailToANonAddressIsRefusedInTheDialog() {
        openHistory(kHistory);
        clickList(0, 0);
        testkit::services::clearLog("mail");
        auto refused = testkit::nextMessage();
        testkit::onNextModal(
            [](QWidget* w) {
                w->findChild<QLineEdit*>("editEmail")->setText("abc");
                w->findChild<QPushButton*>("buttonSend")->click(); // refused, the dialog stays
                QVERIFY(w->isVisible());
                w->findChild<QPushButton*>("buttonCancel")->click();
            },
            1, "MailDlg");
        click("buttonHistoryExport");
        QCOMPARE(*refused, QString("E-mail address is not valid!"));
        QVERIFY(testkit::services::log("mail").isEmpty());
    }

    void exportRefusedShowsTheJobsText() {
        openHistory(kHistory);
        clickList(0, 0);
        testkit::services::setKnob(serviceKnobs::kSmtpRefuseRcpt, "*");
        testkit::onNextModal(
            [](QWidget* w) {
                w->findChild<QLineEdit*>("editEmail")->setText("nobody@clinic.test");
                w->findChild<QPushButton*>("buttonSend")->click();
            },
            1, "MailDlg");
        auto shown = testkit::nextMessage();
        click("buttonHistoryExport");
        QTRY_COMPARE_WITH_TIMEOUT(*shown, QString("Failed to send mail!"), 20000);
    }

    void detailScreenshot() {
        openHistory(kHistory + "Ann,Female,2019-04-01|2024-11-11 08:00,1,1,1,1,58\n"
                               "Ann,Female,2019-04-01|2024-12-12 08:00,0,0,0,0,0,0,57\n");
        clickList(0, 1);
        QCOMPARE(detail()->rowCount(), 4);
        QVERIFY(testkit::saveScreen(&window(), "pageUserDetail"));
    }
};

QTEST_MAIN(TstE2eHistory)
#include "tst_e2e_history.moc"
