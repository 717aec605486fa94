// The records a screening programme reports from, through the window: two children of one
// name and birthday told apart by their IDs from input to export and delete; a screening
// that ends "Unable to screen", from the camera page and from a failed analysis; the
// criterion each result keeps; the totals; and the export's spreadsheet file, read by
// Python's email and csv packages and by a spreadsheet program.
#include "app/gdata.h"
#include "capture/capture_session.h"
#include "core/camcfg.h"
#include "core/settings.h"
#include "knobs.h"
#include "output/export_table.h"
#include "screening/history.h"
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
#include <QTableView>
#include <QtTest>

namespace {

QJsonObject mimeCheck(const QStringList& args) {
    // The spreadsheet program takes a while to start.
    return QJsonDocument::fromJson(testkit::mimeTool(args, 150000).toUtf8()).object();
}

QStringList row(const QJsonValue& cells) {
    QStringList out;
    for (const QJsonValue& c : cells.toArray())
        out << c.toString();
    return out;
}

} // namespace

class TstE2eRecords : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::WindowFixture> m_fx;
    QString m_recording;

    template <typename T> T* widget(const char* name) { return m_fx->widget<T>(name); }
    void click(const char* name) { widget<QPushButton>(name)->click(); }
    QAbstractItemModel* list() { return widget<QTableView>("tableViewSearchResult")->model(); }
    QAbstractItemModel* detail() { return widget<QTableView>("tableViewUserDetail")->model(); }
    int basePage() { return widget<QStackedWidget>("stackedWidgetBase")->currentIndex(); }

    // The input page filled in and the camera opened.
    void openCamera(const QString& name, const QString& childId) {
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        click("buttonHome");
        widget<QLineEdit>("editName")->setText(name);
        widget<QLineEdit>("editDate")->setText("2019-05-03");
        widget<QLineEdit>("editChildId")->setText(childId);
        click("buttonFemale");
        click("buttonCamera");
        QCOMPARE(basePage(), int(MainDialog::PageCamera));
    }
    // The recording as the recording thread leaves it, and the window told.
    void recordingEnds() {
        QFile::copy(m_recording, m_fx->board().root() + "/tmp/pupil_video.avi");
        m_fx->data().capture().setState(CameraState(3));
        QMetaObject::invokeMethod(&m_fx->window().screening(), "video_thread_slot", Q_ARG(int, 0));
        QFile::remove(m_fx->board().root() + "/tmp/pupil_video.avi");
    }
    // The reason dialog answered with the reason of that index.
    void answerReason(int index, const QString& screen = QString()) {
        testkit::onNextModal(
            [index, screen](QWidget* w) {
                if (!screen.isEmpty())
                    QVERIFY(testkit::saveScreen(w, screen));
                w->findChild<QPushButton*>(QString("buttonReason%1").arg(index))->click();
            },
            1, "ReasonDlg");
    }
    void showHistory() {
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        click("buttonHistory");
    }
    int rowOfId(const QString& childId) {
        for (int r = 0; r < list()->rowCount(); ++r)
            if (list()->index(r, 4).data().toString() == childId)
                return r;
        return -1;
    }
    void clickList(int row, int column) {
        QMetaObject::invokeMethod(&m_fx->window().history(), "on_tableViewSearchResult_clicked",
                                  Q_ARG(QModelIndex, list()->index(row, column)));
    }

private slots:
    void initTestCase() {
        qputenv("VISTREL_SIM_CA", (testkit::services::dir() + "/tls/ca.pem").toUtf8());
        m_recording = QDir::tempPath() + "/tst_e2e_records.avi";
        QVERIFY(testkit::makeRecording(m_recording));
    }
    void cleanupTestCase() { QFile::remove(m_recording); }
    void init() { m_fx = std::make_unique<testkit::WindowFixture>(); }
    void cleanup() {
        m_fx.reset();
        testkit::services::clearKnob(serviceKnobs::kAnalysisFail);
    }

    void aClassScreenedAndReported() {
        m_fx->data().clock().setTimeSynced(true);
        m_fx->data().settings().store(CamCfg::ReferralCriteria, "0"); // Arnold
        // Two girls named Ana, born the same day, told apart by their roster numbers.
        for (const char* id : {"S-1", "S-2"}) {
            openCamera("Ana", id);
            recordingEnds();
            QCOMPARE(widget<QLabel>("labelUserId")->text(), "ID: " + QString(id));
        }
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageResult_childId"));
        // A third child would not keep still: ended from the camera page.
        openCamera(QString::fromUtf8("Lán 兰"), "S-3");
        answerReason(1, "ReasonDlg");
        click("buttonUnableToScreen");
        QCOMPARE(widget<QLabel>("labelResultUnable")->text(),
                 QString("Unable to screen\nChild did not cooperate"));
        QVERIFY(widget<QLabel>("labelResultUnable")->isVisibleTo(&m_fx->window()));
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageResult_unable"));
        // A fourth one's analysis answered no result: the error offers the same ending.
        testkit::services::setKnob(serviceKnobs::kAnalysisFail, "400");
        openCamera("Mo", "");
        testkit::onNextModal(
            [](QWidget* w) {
                QVERIFY(testkit::saveScreen(w, "MsgDialog_unableToScreen"));
                w->findChild<QPushButton*>("buttonRight1")->click();
            },
            1, "MsgDialog");
        answerReason(2);
        recordingEnds();
        QVERIFY(widget<QLabel>("labelResultUnable")->isVisibleTo(&m_fx->window()));
        testkit::services::clearKnob(serviceKnobs::kAnalysisFail);

        // A later change of criterion leaves the results as they were judged.
        m_fx->data().settings().store(CamCfg::ReferralCriteria, "1");
        showHistory();
        QCOMPARE(list()->rowCount(), 4);
        QVERIFY(rowOfId("S-1") >= 0 && rowOfId("S-2") >= 0);
        QVERIFY(widget<QLabel>("labelHistoryTotals")
                    ->text()
                    .contains("<td>Today</td><td align=\"center\">4</td>"));
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageHistory_totals"));
        const HistoryTotals totals =
            historyTotals(m_fx->data().screening().readTestResult(),
                          m_fx->data().screening().record().testTime.date(), "Pending");
        QCOMPARE(totals.today.screened, 4);
        QCOMPARE(totals.today.unable, 2);
        QCOMPARE(totals.today.passed + totals.today.referred, 2);
        clickList(rowOfId("S-2"), 1);
        QCOMPARE(detail()->rowCount(), 1);
        QCOMPARE(widget<QLabel>("labelUserDetailName")->text(), QString("Ana  ID S-2"));
        QVERIFY(widget<QLabel>("labelUserDetailExtras")->text().contains("Criterion: Arnold"));
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageUserDetail_extras"));
        click("buttonUserDetailReturn");

        // Export: Ana S-1 and the two unable ones, as HTML and as the spreadsheet file.
        clickList(rowOfId("S-1"), 0);
        clickList(rowOfId("S-3"), 0);
        clickList(rowOfId(""), 0);
        testkit::services::clearLog("mail");
        testkit::onNextModal(
            [](QWidget* w) {
                w->findChild<QLineEdit*>("editEmail")->setText("nurse@clinic.test");
                w->findChild<QPushButton*>("buttonSend")->click();
            },
            1, "MailDlg");
        auto shown = testkit::nextMessage();
        click("buttonHistoryExport");
        QTRY_COMPARE_WITH_TIMEOUT(*shown, QString("Success"), 20000);
        const QString mail = testkit::services::log("mail").first()["file"].toString();
        const QJsonArray parts = mimeCheck({"message", mail})["parts"].toArray();
        QCOMPARE(parts.size(), 2);
        QCOMPARE(parts[1]["type"].toString(), QString("text/csv"));
        QCOMPARE(parts[1]["filename"].toString(), QString(kExportCsvName));
        const QString saved = QStringLiteral(VISTREL_TEST_ARTIFACTS) + "/" + kExportCsvName;
        const QJsonObject csv = mimeCheck({"csv", mail, kExportCsvName, saved});
        QVERIFY(csv["bom"].toBool() && csv["crlf_only"].toBool());
        const QJsonArray rows = csv["rows"].toArray();
        QCOMPARE(rows.size(), 1 + 3);
        QCOMPARE(row(rows[0]).mid(11),
                 (QStringList{"Screening results", "ID", "Reason", "Criterion", "Time source"}));
        QStringList ids, outcomes;
        for (int i = 1; i < rows.size(); ++i) {
            ids << row(rows[i])[12];
            outcomes << row(rows[i])[11] + "/" + row(rows[i])[13] + "/" + row(rows[i])[14];
            QCOMPARE(row(rows[i])[15], QString("network"));
        }
        QCOMPARE(ids, (QStringList{"S-1", "S-3", ""}));
        QCOMPARE(outcomes[1], QString("Unable to screen/Child did not cooperate/"));
        QCOMPARE(outcomes[2], QString("Unable to screen/Analysis could not read the video/"));
        QVERIFY(outcomes[0].endsWith("//Arnold"));
        // The same cells in a spreadsheet program, where one is installed.
        const QJsonObject sheet = mimeCheck({"sheet", saved});
        if (sheet["missing"].toBool())
            QSKIP("no spreadsheet program (soffice) installed");
        // It shows numbers and times its own way ("-0.5", "09:27:00"); the texts stay.
        const QJsonArray cells = sheet["rows"].toArray();
        QCOMPARE(cells.size(), rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            const QStringList want = row(rows[i]), got = row(cells[i]);
            QCOMPARE(got.size(), want.size());
            for (int c = 0; c < want.size(); ++c) {
                bool number = false;
                const double value = want[c].toDouble(&number);
                if (c == 3)
                    QVERIFY(got[c].startsWith(want[c]));
                else if (number)
                    QCOMPARE(got[c].toDouble(), value);
                else
                    QCOMPARE(got[c], want[c]);
            }
        }

        // Deleting Ana S-1 keeps Ana S-2.
        answerYes();
        clickList(rowOfId("S-3"), 0);
        clickList(rowOfId(""), 0);
        click("buttonHistoryDelete");
        QCOMPARE(list()->rowCount(), 3);
        QCOMPARE(rowOfId("S-1"), -1);
        clickList(rowOfId("S-2"), 1);
        QCOMPARE(detail()->rowCount(), 1);
    }

private:
    void answerYes() {
        testkit::onNextModal([](QWidget* w) { w->findChild<QPushButton*>("buttonLeft1")->click(); },
                             1, "MsgDialog");
    }
};

QTEST_MAIN(TstE2eRecords)
#include "tst_e2e_records.moc"
