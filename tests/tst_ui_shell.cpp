// The main window: page tree and navigation, master tick jobs, status bar, inactivity,
// keys, and the line edits that open the keyboards.
#include "app/gdata.h"
#include "core/camcfg.h"
#include "core/settings.h"
#include "knobs.h"
#include "platform/board.h"
#include "screening/screening_session.h"
#include "sensors/power.h"
#include "system/clock_service.h"
#include "system/cmdutil.h"
#include "system/wifi_service.h"
#include "testkit/window_fixture.h"
#include "ui/keypaddlg.h"
#include "ui/maindialog.h"
#include "ui/numkeypaddlg.h"
#include "ui/screening_controller.h"
#include "ui/settings_controller.h"
#include "ui/wifi_controller.h"
#include "virtual_board.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QWidget>
#include <QtTest>

class TstUiShell : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::WindowFixture> m_fx;
    GData* m_data = nullptr;
    MainDialog* m_window = nullptr;
    const testkit::ScopedBoard* m_board = nullptr;

    template <typename T> T* widget(const char* name) { return m_fx->widget<T>(name); }
    int base() { return widget<QStackedWidget>("stackedWidgetBase")->currentIndex(); }
    static bool samePixmap(const QPixmap& a, const QString& resource) {
        return !a.isNull() && a.toImage() == QPixmap(resource).toImage();
    }
    void ticks(int n) { m_fx->ticks(n); }

private slots:
    void init() {
        m_fx = std::make_unique<testkit::WindowFixture>();
        m_data = &m_fx->data();
        m_window = &m_fx->window();
        m_board = &m_fx->board();
    }

    void cleanup() {
        m_fx.reset();
        m_data = nullptr;
        m_window = nullptr;
        m_board = nullptr;
    }

    void startPageWhenConnected() {
        QCOMPARE(base(), int(MainDialog::PageStart));
        QVERIFY(testkit::saveScreen(widget<QWidget>("pageStart"), "pageStart"));
        QCOMPARE(widget<QLabel>("labelVersion")->text(), QString("v2.6.5-R"));
        m_data->wifi().pollConnection(); // the Wi-Fi worker's look at the association
        ticks(1);
        QCOMPARE(base(), int(MainDialog::PageMain));
        ticks(7);
        QVERIFY(testkit::saveScreen(m_window, "pageMain"));
    }

    void startPageWithoutConnection() {
        m_data->commands().wireless_removenetwork(0);
        m_data->wifi().takeRefresh();
        ticks(11);
        QCOMPARE(base(), int(MainDialog::PageStart));
        ticks(1);
        QCOMPARE(base(), int(MainDialog::PageWifi));
        QVERIFY(m_data->wifi().refreshRequested());
    }

    void navigation_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("main");   // stackedWidgetMain
        QTest::addColumn<int>("noMenu"); // stackedWidgetNoMenu, -1 not checked
        QTest::newRow("setup") << "buttonSetup" << 1 << 0;
        QTest::newRow("history") << "buttonHistory" << 1 << 1;
        QTest::newRow("parameter") << "buttonParam" << 1 << 2;
        QTest::newRow("parameter icon") << "buttonParam_2" << 1 << 2;
        QTest::newRow("referral") << "buttonReferral" << 1 << 3;
        QTest::newRow("time zone") << "buttonZone_2" << 1 << 5;
        QTest::newRow("screen timeout") << "buttonSleepTime" << 1 << 6;
        QTest::newRow("machine id") << "buttonMachineID_2" << 1 << 7;
        QTest::newRow("country") << "buttonCountry" << 1 << 8;
        QTest::newRow("home") << "buttonHome" << 0 << -1;
        QTest::newRow("setup return") << "buttonSetupReturn" << 0 << -1;
        QTest::newRow("history return") << "buttonHistoryReturn" << 0 << -1;
    }

    void navigation() {
        QFETCH(QString, button);
        QFETCH(int, main);
        QFETCH(int, noMenu);
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        widget<QStackedWidget>("stackedWidgetMain")->setCurrentIndex(1 - main);
        m_window->findChild<QPushButton*>(button)->click();
        QCOMPARE(widget<QStackedWidget>("stackedWidgetMain")->currentIndex(), main);
        if (noMenu >= 0)
            QCOMPARE(widget<QStackedWidget>("stackedWidgetNoMenu")->currentIndex(), noMenu);
    }

    void returnsAndPages() {
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        m_window->findChild<QPushButton*>("buttonSetup")->click();
        QVERIFY(testkit::saveScreen(m_window, "pageSetup"));
        for (const char* page : {"buttonParam", "buttonCountry", "buttonMachineID",
                                 "buttonSleepTime", "buttonZone", "buttonReferral"}) {
            m_window->findChild<QPushButton*>(page)->click();
            QVERIFY(widget<QStackedWidget>("stackedWidgetNoMenu")->currentIndex() != 0);
            const QString ret = QString(page).replace("buttonZone", "buttonTimeZone") + "Return";
            m_window->findChild<QPushButton*>(ret)->click();
            QCOMPARE(widget<QStackedWidget>("stackedWidgetNoMenu")->currentIndex(), 0);
        }
        widget<QStackedWidget>("stackedWidgetNoMenu")->setCurrentIndex(MainDialog::PageUserDetail);
        m_window->findChild<QPushButton*>("buttonUserDetailReturn")->click();
        QCOMPARE(widget<QStackedWidget>("stackedWidgetNoMenu")->currentIndex(),
                 int(MainDialog::PageHistory));
        m_window->findChild<QPushButton*>("buttonWIFI")->click();
        QCOMPARE(base(), int(MainDialog::PageWifi));
        QVERIFY(m_data->wifi().refreshRequested());
        m_data->wifi().getWIFIInfo();
        m_window->wifi().device_thread_slot("refreshed");
        QCOMPARE(widget<QTableView>("tableViewWireless")->model()->rowCount(), 3);
        QCOMPARE(widget<QTableView>("tableViewWireless")->model()->index(0, 1).data().toString(),
                 QString("Clinic-Guest"));
        QCOMPARE(widget<QTableView>("tableViewWireless")->model()->index(1, 5).data().toString(),
                 QString("1")); // connected
        QVERIFY(testkit::saveScreen(m_window, "pageWIFI"));
        m_window->findChild<QPushButton*>("buttonReturn")->click();
        QCOMPARE(base(), int(MainDialog::PageMain));
    }

    void referralPageFollowsTheCriterion_data() {
        QTest::addColumn<int>("criterion");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("label");
        QTest::newRow("Matta") << 1 << 0 << "Matta";
        QTest::newRow("Arthur2") << 2 << 1 << "Arthur2";
        QTest::newRow("Arnold") << 0 << 2 << "Arnold";
        QTest::newRow("other codes are Arthur2's page") << 7 << 1 << "Arnold";
    }

    void referralPageFollowsTheCriterion() {
        QFETCH(int, criterion);
        QFETCH(int, page);
        QFETCH(QString, label);
        m_data->settings().store(CamCfg::ReferralCriteria, QString::number(criterion));
        m_window->findChild<QPushButton*>("buttonReferral_2")->click();
        QCOMPARE(widget<QStackedWidget>("stackedWidgetReferral")->currentIndex(), page);
        widget<QLabel>("labelReferral")->setText("Arnold");
        m_window->settings().labelReferralInit();
        QCOMPARE(widget<QLabel>("labelReferral")->text(),
                 label); // an unknown code leaves the label
    }

    void powerOffAsksFirst() {
        QProcess app; // stands for the application that power-off ends
        app.start("sleep", {"30"});
        QVERIFY(app.waitForStarted());
        QVERIFY(
            testkit::writeFile(vboard::recordPath("app.pid"), QByteArray::number(app.processId())));
        auto no = testkit::onNextModal(
            [](QWidget* w) { w->findChild<QPushButton*>("buttonRight1")->click(); });
        m_window->findChild<QPushButton*>("buttonReboot")->click();
        QCOMPARE(*no, 1);
        QVERIFY(!testkit::readFile(vboard::recordPath("calls.log")).contains("poweroff"));
        QString title;
        auto yes = testkit::onNextModal([&](QWidget* w) {
            title = w->findChild<QLabel*>("labelTitleMsg")->text();
            w->findChild<QPushButton*>("buttonLeft1")->click();
        });
        m_window->findChild<QPushButton*>("buttonReboot")->click();
        QCOMPARE(title, QString("Power Off"));
        QVERIFY(app.waitForFinished(5000));
        QVERIFY(testkit::readFile(vboard::recordPath("calls.log")).contains("poweroff"));
        QCOMPARE(testkit::readFile(m_board->root() + "/dev/irled"), QByteArray("000\0", 4));
    }

    void factoryResetKeepsCalibration() {
        QVERIFY(testkit::writeFile(m_board->appDir() + "/CAMCFG/sensor_calibration.txt", "7,2\n"));
        QVERIFY(m_data->settings().store(CamCfg::Region, "2"));
        QVERIFY(m_data->settings().store(CamCfg::ReferralCriteria, "1"));
        m_data->InitConfigParameter();
        auto yes = testkit::onNextModal(
            [](QWidget* w) { w->findChild<QPushButton*>("buttonLeft1")->click(); });
        m_window->findChild<QPushButton*>("buttonFactory_2")->click();
        QCOMPARE(*yes, 1);
        QCOMPARE(m_data->settings().region(), 0);
        QCOMPARE(m_data->settings().referralCriterion(), 0);
        QCOMPARE(widget<QLabel>("labelReferral")->text(), QString("Arnold"));
        QCOMPARE(m_data->settings().distanceOffset(), 7);
        QCOMPARE(m_data->settings().pitchOffset(), 2);
        QVERIFY(
            testkit::readFile(m_board->appDir() + "/CAMCFG/config.txt").startsWith("225|1|50|"));
    }

    void statusBarEverySeventhTick() {
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        m_data->wifi().setRssi(0);
        ticks(6);
        QVERIFY(!widget<QLabel>("labelMainSignal")->pixmap().isNull());
        ticks(1);
        QVERIFY(widget<QLabel>("labelMainSignal")->pixmap().isNull()); // not connected: empty
        m_data->wifi().setRssi(-55);
        ticks(6);
        QVERIFY(widget<QLabel>("labelMainSignal")->pixmap().isNull());
        ticks(1);
        QVERIFY(
            samePixmap(widget<QLabel>("labelMainSignal")->pixmap(), ":/png/history/wifi2@2x.png"));
    }

    void wifiIcons_data() {
        QTest::addColumn<int>("rssi");
        QTest::addColumn<QString>("icon");
        QTest::newRow("-50") << -50 << ":/png/history/wifi@2x.png";
        QTest::newRow("-60") << -60 << ":/png/history/wifi2@2x.png";
        QTest::newRow("-70") << -70 << ":/png/history/wifi3@2x.png";
        QTest::newRow("-71") << -71 << ":/png/history/wifi4@2x.png";
    }

    void wifiIcons() {
        QFETCH(int, rssi);
        QFETCH(QString, icon);
        m_data->wifi().setRssi(rssi);
        m_window->labelWirelessShow();
        QVERIFY(samePixmap(widget<QLabel>("labelMainSignal")->pixmap(), icon));
    }

    void batteryLevels_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("level");
        for (auto [p, l] : {std::pair{105, 5},
                            {100, 5},
                            {99, 4},
                            {80, 4},
                            {79, 3},
                            {60, 3},
                            {59, 2},
                            {40, 2},
                            {39, 1},
                            {20, 1},
                            {19, 0},
                            {10, 0}})
            QTest::addRow("%d %%", p) << p << l;
    }

    void batteryLevels() {
        QFETCH(int, percent);
        QFETCH(int, level);
        QCOMPARE(batteryLevelFor(percent, false, 3), level);
    }

    void chargingAnimation() {
        // 85 %: alternates between levels 4 and 5.
        int level = 4;
        QList<int> seen;
        for (int i = 0; i < 4; ++i)
            seen << (level = batteryLevelFor(85, true, level));
        QCOMPARE(seen, (QList<int>{5, 4, 5, 4}));
        // 10 %: cycles through all six.
        seen.clear();
        level = 5;
        for (int i = 0; i < 7; ++i)
            seen << (level = batteryLevelFor(10, true, level));
        QCOMPARE(seen, (QList<int>{0, 1, 2, 3, 4, 5, 0}));
        QCOMPARE(batteryLevelFor(100, true, 2), 5);
        // Through the board: the charger file and the gauge.
        vboard::setKnob(knobs::kChargerPresent, "1\n");
        vboard::setKnob(knobs::kBatteryCapacity, "75\n"); // shows 85
        m_window->setBatteryLevel(4);
        m_window->labelBatteryShow();
        QVERIFY(
            samePixmap(widget<QLabel>("labelBattery")->pixmap(), ":/png/history/battery@2x.png"));
        m_window->labelBatteryShow();
        QVERIFY(
            samePixmap(widget<QLabel>("labelBattery")->pixmap(), ":/png/history/battery8@2x.png"));
    }

    void lowBatteryWarningOncePerDischarge() {
        LowBatteryWarning w;
        QList<bool> shown;
        for (int p : {35, 19, 19, 15, 25, 31, 19, 19})
            shown << w.update(p, false);
        QCOMPARE(shown, (QList<bool>{false, true, false, false, false, false, true, false}));
        LowBatteryWarning fresh;
        QVERIFY(!fresh.update(25, false)); // never above 30 since start
        QVERIFY(!fresh.update(19, false));
        LowBatteryWarning charging;
        QVERIFY(!charging.update(35, true)); // charging neither arms nor warns
        QVERIFY(!charging.update(19, false));
    }

    void lowBatteryDialog() {
        vboard::setKnob(knobs::kBatteryCapacity, "25\n"); // 35 %: armed
        m_window->labelBatteryShow();
        vboard::setKnob(knobs::kBatteryCapacity, "9\n"); // 19 %
        QString title;
        auto seen = testkit::onNextModal([&](QWidget* w) {
            title = w->findChild<QLabel*>("labelTitle")->text();
            testkit::saveScreen(w, "MsgDialog_lowBattery");
        });
        m_window->labelBatteryShow();
        QCOMPARE(*seen, 1);
        QCOMPARE(title, QString("Low Battery"));
        QVERIFY(
            samePixmap(widget<QLabel>("labelBattery")->pixmap(), ":/png/history/battery0@2x.png"));
        m_window->labelBatteryShow(); // still 19 %: no second dialog
        QCOMPARE(*seen, 1);
    }

    void screenOffAfterTheTimeout() {
        m_data->clock().setTimeSynced(true);
        m_data->settings().store(CamCfg::ScreenOffTime, QString::number(1));
        m_data->settings().store(CamCfg::ShutdownTime, QString::number(-1));
        ticks(1); // first activity time taken
        QVERIFY(m_window->lastActivity() > 0);
        m_window->setLastActivity(m_window->lastActivity() - 60); // exactly 60 s idle: not yet
        ticks(1);
        QVERIFY(m_data->power().screenIsOn());
        m_window->setLastActivity(m_window->lastActivity() - 1);
        ticks(1);
        QVERIFY(!m_data->power().screenIsOn());
        QCOMPARE(testkit::readFile(vboard::recordPath("panel")), QByteArray("off"));
        // The virtual panel is dark while it is off.
        const auto dark = [this] {
            const QImage shot = m_window->grab().toImage();
            for (int y = 0; y < shot.height(); y += 37)
                for (int x = 0; x < shot.width(); x += 41)
                    if (shot.pixelColor(x, y) != Qt::black)
                        return false;
            return true;
        };
        QTRY_VERIFY(dark());
        QVERIFY(testkit::saveScreen(m_window, "pageMain_screenOff"));
        // The waking touch does nothing else: had it opened a keyboard, nothing would close
        // it and the press would not return.
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        QTest::mousePress(widget<QLineEdit>("editName"), Qt::LeftButton);
        QVERIFY(m_data->power().screenIsOn());
        QTRY_VERIFY(!dark());
        QCOMPARE(widget<QLineEdit>("editName")->text(), QString("Please enter your name"));
        // The next touch works.
        QString keyboard;
        auto next =
            testkit::onNextModal([&](QWidget* w) { keyboard = w->metaObject()->className(); });
        QTest::mousePress(widget<QLineEdit>("editName"), Qt::LeftButton);
        QCOMPARE(*next, 1);
        QCOMPARE(keyboard, QString("KeypadDlg"));
        QCOMPARE(widget<QLineEdit>("editName")->text(), QString()); // the placeholder was cleared
    }

    void noInactivityBeforeTimeSync() {
        m_data->clock().setTimeSynced(false);
        m_data->settings().store(CamCfg::ScreenOffTime, QString::number(1));
        m_data->settings().store(CamCfg::ShutdownTime, QString::number(1));
        m_window->setLastActivity(1); // long ago
        ticks(5);
        QVERIFY(m_data->power().screenIsOn());
        QVERIFY(!testkit::readFile(vboard::recordPath("calls.log")).contains("poweroff"));
        const QString before = widget<QLabel>("labelTime")->text();
        m_window->labelTimeShow();
        QCOMPARE(widget<QLabel>("labelTime")->text(), before);
    }

    void clockLabel() {
        QVERIFY(board::setSystemClock(
            QDateTime(QDate(2026, 12, 8), QTime(9, 30, 15), Qt::UTC).toSecsSinceEpoch()));
        m_data->clock().setTimeSynced(true);
        m_data->settings().store(CamCfg::TimeZone, "5.5");
        m_window->labelTimeShow();
        QCOMPARE(widget<QLabel>("labelTime")->text(), QString("2026-12-08 15:00"));
        QCOMPARE(widget<QLabel>("labelTimeZoneTimeValue")->text(), QString("2026-12-08 15:00"));
    }

    void keys() {
        QTest::keyClick(m_window, Qt::Key_Escape);
        QVERIFY(m_window->isVisible());
        QTest::keyClick(m_window, Qt::Key_Return);
        QVERIFY(m_window->isVisible());
        m_data->power().screenOff();
        QTest::keyClick(m_window, Qt::Key_A);
        QVERIFY(!m_data->power().screenIsOn());
        QKeyEvent power(QEvent::KeyPress, Qt::Key_PowerDown, Qt::NoModifier);
        QApplication::sendEvent(m_window, &power);
        QVERIFY(m_data->power().screenIsOn());
    }

    void birthDateKeypad() {
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        auto seen = testkit::onNextModal([](QWidget* w) {
            auto* pad = qobject_cast<NumKeypadDlg*>(w);
            for (int d : {2, 0, 1, 9, 0, 5, 1, 7})
                pad->on_number_input(d);
        });
        QTest::mousePress(widget<QLineEdit>("editDate"), Qt::LeftButton);
        QCOMPARE(*seen, 1);
        QCOMPARE(widget<QLineEdit>("editDate")->text(), QString("2019-05-17"));
        QVERIFY(testkit::saveScreen(m_window, "pageInfoInput"));
        // An invalid date is refused with a message.
        widget<QLineEdit>("editDate")->setText("2019-02-30");
        QString message;
        auto twice = testkit::onNextModal(
            [&](QWidget* w) {
                if (auto* label = w->findChild<QLabel*>("labelMsg"))
                    message = label->text();
            },
            2);
        QTest::mousePress(widget<QLineEdit>("editDate"), Qt::LeftButton);
        QCOMPARE(*twice, 2);
        QCOMPARE(message, QString("Date is not valid!"));
    }

    void printerIdIsSaved() {
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        widget<QStackedWidget>("stackedWidgetMain")->setCurrentIndex(1);
        widget<QStackedWidget>("stackedWidgetNoMenu")->setCurrentIndex(MainDialog::PageMachineID);
        auto seen = testkit::onNextModal([](QWidget* w) {
            // The keypad types into the edit it was opened for.
            qobject_cast<KeypadDlg*>(w)->LineEditAppendString("  PRN-77 ");
        });
        QTest::mousePress(widget<QLineEdit>("editPrinterID"), Qt::LeftButton);
        QCOMPARE(*seen, 1);
        QCOMPARE(m_data->settings().value(CamCfg::PrinterId), QString("PRN-77"));
        QVERIFY(testkit::readFile(m_board->appDir() + "/CAMCFG/config.txt").contains("|PRN-77|"));
    }
};

QTEST_MAIN(TstUiShell)
#include "tst_ui_shell.moc"
