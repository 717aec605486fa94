// Screening without a network, through the window: the clock a screening needs comes from
// the device's hardware clock when it kept its time, or from the operator.
#include "app/gdata.h"
#include "core/local_time.h"
#include "knobs.h"
#include "platform/board.h"
#include "testkit/window_fixture.h"
#include "ui/maindialog.h"
#include "virtual_board.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
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

private slots:
    void init() { m_board = std::make_unique<testkit::ScopedBoard>(); }
    void cleanup() {
        m_fx.reset();
        m_board.reset();
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
