// Screening without a network, through the window: screenings the analysis cannot be
// reached for wait in the outbox, across a restart, until they are delivered; the clock a
// screening needs comes from the device's hardware clock when it kept its time, or from the
// operator.
#include "app/gdata.h"
#include "core/camcfg.h"
#include "core/common.h"
#include "core/local_time.h"
#include "core/settings.h"
#include "knobs.h"
#include "output/export_table.h"
#include "platform/board.h"
#include "screening/history.h"
#include "screening/screening_session.h"
#include "system/clock_service.h"
#include "testkit/window_fixture.h"
#include "ui/history_controller.h"
#include "ui/maindialog.h"
#include "ui/outcome_texts.h"
#include "ui/screening_controller.h"
#include "virtual_board.h"
#include <QJsonObject>
#include <QLabel>
#include <QThread>

#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QtTest>

class TstE2eOffline : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::ScopedBoard> m_board;
    std::unique_ptr<testkit::WindowFixture> m_fx;

    // The device started with no network, having trusted `lastTrusted` before.
    void startOffline(qint64 lastTrusted) {
        QDir().mkpath(m_board->appDir() + "/CAMCFG");
        QVERIFY(testkit::writeFile(m_board->appDir() + "/CAMCFG/trusted_time.txt",
                                   QByteArray::number(lastTrusted) + " network\n"));
        m_fx = std::make_unique<testkit::WindowFixture>(*m_board);
    }

    // Name and birth date typed in, then the camera button.
    void startScreening() {
        m_fx->widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        m_fx->widget<QStackedWidget>("stackedWidgetMain")->setCurrentIndex(0);
        m_fx->widget<QStackedWidget>("stackedWidgetWithMenu")->setCurrentIndex(0);
        m_fx->widget<QLineEdit>("editName")->setText("Asha");
        m_fx->widget<QLineEdit>("editDate")->setText("2021-03-04");
        m_fx->widget<QPushButton>("buttonCamera")->click();
    }

    int basePage() { return m_fx->widget<QStackedWidget>("stackedWidgetBase")->currentIndex(); }

    // One child screened: its recording made (as the recording thread leaves it) and the
    // window told; returns the message that ends it.
    QString screenChild(const QString& name, const QString& screen = QString()) {
        m_fx->widget<QLineEdit>("editName")->setText(name);
        m_fx->widget<QLineEdit>("editDate")->setText("2021-03-04");
        m_fx->widget<QPushButton>("buttonCamera")->click();
        if (basePage() != int(MainDialog::PageCamera))
            return "no camera page";
        QFile::copy(m_recording, m_board->root() + "/tmp/pupil_video.avi");
        auto text = std::make_shared<QString>();
        testkit::onNextModal(
            [text, screen](QWidget* w) {
                if (!screen.isEmpty())
                    testkit::saveScreen(w, screen);
                *text = w->findChild<QLabel*>("labelMsg")->isVisibleTo(w)
                            ? w->findChild<QLabel*>("labelMsg")->text()
                            : w->findChild<QLabel*>("labelTitleMsg")->text();
            },
            1, "MsgDialog");
        QMetaObject::invokeMethod(&m_fx->window().screening(), "video_thread_slot", Q_ARG(int, 0));
        QFile::remove(m_board->root() + "/tmp/pupil_video.avi");
        return *text;
    }

    QString m_recording;

private slots:
    void initTestCase() {
        m_recording = QDir::tempPath() + "/tst_e2e_offline.avi";
        QVERIFY(testkit::makeRecording(m_recording));
    }
    void cleanupTestCase() { QFile::remove(m_recording); }
    void init() { m_board = std::make_unique<testkit::ScopedBoard>(); }
    void cleanup() {
        m_fx.reset();
        m_board.reset();
        testkit::services::clearKnob(serviceKnobs::kAnalysisFail);
        testkit::services::clearKnob(serviceKnobs::kAnalysisReply);
        qunsetenv("VISTREL_SIM_OUTBOX_MAX_ITEMS");
    }

    // The worker's delivery step, on a thread of its own, asks for the identity it sends
    // with each recording while the GUI thread reads the identity too: one lock orders them
    // (this suite runs under ThreadSanitizer).
    void workerDeliversWhileTheGuiReadsTheIdentity() {
        testkit::DataFixture fx(*m_board);
        ScreeningSession& screening = fx.data().screening();
        Outbox& box = *screening.outbox();
        const QDateTime now = QDateTime::currentDateTime();
        for (const char* name : {"Kai", "Lea"})
            QCOMPARE(box.add(testkit::unanalysed(name, true, now, "network"), 0, 0, m_recording),
                     Outbox::Added::Queued);
        testkit::services::setKnob(serviceKnobs::kAnalysisReply,
                                   "ok,-1.25,-0.75,-0.50,-0.25,62.5,175,10");
        std::unique_ptr<QThread> worker(QThread::create([&screening, &box] {
            for (int step = 0; step < 20 && box.waiting() > 0; ++step)
                screening.deliveryStep(true);
        }));
        worker->start();
        int reads = 0;
        while (!worker->isFinished()) {
            fx.data().identity().GetETNetMACAddress();
            ++reads;
            QThread::msleep(1);
        }
        worker->wait();
        QCOMPARE(box.waiting(), 0);
        QVERIFY(reads > 1);
        QCOMPARE(testkit::screeningLines(screening.readTestResult()).size(), 2);
    }

    // With the analysis out of reach three children are screened one after another; a
    // restart keeps them; once the analysis is back each reaches the history once, with its
    // verdict and the time it was screened; a full outbox refuses the next child.
    void screeningsWaitAndArriveLater() {
        testkit::services::setKnob(serviceKnobs::kAnalysisFail, "close");
        qputenv("VISTREL_SIM_OUTBOX_MAX_ITEMS", "3");
        startOffline(QDateTime::currentSecsSinceEpoch() - 3600);
        QStringList times;
        for (const QString& name : QStringList{"Asha", "Ravi", "Mei"}) {
            QCOMPARE(screenChild(name, name == "Asha" ? "MsgDialog_queued" : QString()),
                     outcome::analysisNotice(AnalysisOutcome::Queued));
            QCOMPARE(basePage(), int(MainDialog::PageMain)); // ready for the next child
            times << m_fx->data().screening().outbox()->items().last().record.testTime.toString(
                "yyyy-MM-dd hh:mm");
        }
        QCOMPARE(screenChild("Lin", "MsgDialog_outboxFull"),
                 outcome::analysisNotice(AnalysisOutcome::OutboxFull));
        QCOMPARE(m_fx->data().screening().outbox()->count(), 3);
        m_fx->widget<QPushButton>("buttonCameraReturn")->click(); // the refused child stays out
        m_fx->ticks(7);                                           // the status bar's refresh
        QCOMPARE(m_fx->widget<QLabel>("labelWaiting")->text(), QString("3 waiting"));
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageMain_waiting"));

        m_fx.reset(); // the board reboots
        m_fx = std::make_unique<testkit::WindowFixture>(*m_board);
        QCOMPARE(m_fx->data().screening().outbox()->count(), 3);
        QVERIFY(m_fx->data().screening().readTestResult().isEmpty());
        // The history lists them as pending (the file holds none of them).
        m_fx->widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        m_fx->widget<QPushButton>("buttonHistory")->click();
        QAbstractItemModel* list = m_fx->widget<QTableView>("tableViewSearchResult")->model();
        QCOMPARE(list->rowCount(), 3);
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageHistory_pending"));
        QMetaObject::invokeMethod(&m_fx->window().history(), "on_tableViewSearchResult_clicked",
                                  Q_ARG(QModelIndex, list->index(0, 1)));
        QAbstractItemModel* detail = m_fx->widget<QTableView>("tableViewUserDetail")->model();
        QCOMPARE(detail->rowCount(), 1);
        QCOMPARE(detail->index(0, 8).data().toString(), QString("Pending"));
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageUserDetail_pending"));
        // The export marks them too.
        QVERIFY(exportTable(m_fx->data().screening().historyWithPending(), {"Asha,Male,2021-03-04"})
                    .contains("Pending"));

        testkit::services::clearKnob(serviceKnobs::kAnalysisFail);
        testkit::services::setKnob(serviceKnobs::kAnalysisReply,
                                   "ok,-3.50,-0.75,-0.50,-0.25,62.5,175,10");
        while (m_fx->data().screening().deliverOldest() == Delivery::Delivered) {
        }
        QCOMPARE(m_fx->data().screening().outbox()->count(), 0);
        QStringList names, stamps, verdicts;
        forEachHistoryRecord(m_fx->data().screening().readTestResult(),
                             [&](QStringView line, auto&&) {
                                 const auto e = parseHistoryLine(line.toString());
                                 names << e->name;
                                 stamps << e->results.first();
                                 verdicts << e->results.last();
                             });
        QCOMPARE(names, (QStringList{"Asha", "Ravi", "Mei"}));
        QCOMPARE(stamps, times);
        QCOMPARE(verdicts, (QStringList{"Refer", "Refer", "Refer"}));
        m_fx->ticks(7);
        QCOMPARE(m_fx->widget<QLabel>("labelWaiting")->text(), QString());

        // A result delivered later prints from its history entry.
        m_fx->data().settings().store(CamCfg::PrinterId, "PRN-7");
        testkit::services::clearLog("print");
        m_fx->widget<QPushButton>("buttonHistory")->click();
        QMetaObject::invokeMethod(&m_fx->window().history(), "on_tableViewSearchResult_clicked",
                                  Q_ARG(QModelIndex, list->index(1, 1)));
        auto* table = m_fx->widget<QTableView>("tableViewUserDetail");
        table->setCurrentIndex(table->model()->index(0, 0));
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageUserDetail_delivered"));
        m_fx->widget<QPushButton>("buttonUserDetailPrint")->click();
        const auto prints = testkit::services::log("print");
        QCOMPARE(prints.size(), 1);
        const QString receipt = prints[0]["fields"].toObject()["msgDetail"].toString();
        QVERIFY2(receipt.startsWith("Name: Mei<gpCut/>") && receipt.contains("Refer"),
                 qPrintable(receipt));
    }

    void startWithATimeEnteredByHand() {
        vboard::setKnob(knobs::kRtcLost, "1");
        startOffline(QDateTime::currentSecsSinceEpoch() - 3600);
        QCOMPARE(m_fx->data().clock().source(), TimeSource::None);
        const QString typed =
            QDateTime::currentDateTimeUtc()
                .addSecs(qint64(m_fx->data().settings().timeZone().toDouble() * 3600))
                .toString("yyyy-MM-dd HH:mm");
        const auto asked = testkit::onNextModal(
            [typed](QWidget* w) {
                QVERIFY(testkit::saveScreen(w, "ClockDlg"));
                w->findChild<QLineEdit*>("editClock")->setText("2026-02-30 10:00");
                w->findChild<QPushButton*>("buttonOK")->click(); // no such day: it stays
                QVERIFY(w->isVisible());
                QVERIFY(testkit::saveScreen(w, "ClockDlg_invalid"));
                w->findChild<QLineEdit*>("editClock")->setText(typed);
                w->findChild<QPushButton*>("buttonOK")->click();
            },
            1, "ClockDlg");
        startScreening();
        QCOMPARE(*asked, 1);
        QCOMPARE(basePage(), int(MainDialog::PageCamera));
        QCOMPARE(m_fx->data().clock().source(), TimeSource::Operator);
        const qint64 expected = *systemTimeOfLocal(typed, m_fx->data().settings().timeZone(), 0);
        QVERIFY(qAbs(board::currentSecsSinceEpoch() - expected) < 120);
    }
    void startWithTheDeviceClockTrusted() {
        startOffline(QDateTime::currentSecsSinceEpoch() - 3600);
        QCOMPARE(m_fx->data().clock().source(), TimeSource::DeviceClock);
        // Its watcher outlives the case (a dialog would be closed, not hang the suite): the
        // case runs after every other that expects the dialog.
        const auto asked = testkit::onNextModal(nullptr, 1, "ClockDlg");
        startScreening();
        QCOMPARE(*asked, 0);
        QCOMPARE(basePage(), int(MainDialog::PageCamera));
    }
};

QTEST_MAIN(TstE2eOffline)
#include "tst_e2e_offline.moc"
