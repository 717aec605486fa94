// The settings pages end to end on the virtual board: every page changes its value in
// GData and in the settings file at once, the chooser dialogs, the machine identity's QR
// code (read back by zbarimg), the test print through the print stand-in, the factory
// reset, and the effects of the values (local time, region, criterion).
#include "app/gdata.h"
#include "core/camcfg.h"
#include "core/common.h"
#include "core/settings.h"
#include "knobs.h"
#include "platform/board.h"
#include "screening/criteria.h"
#include "screening/screening_session.h"
#include "sensors/calibration_store.h"
#include "system/clock_service.h"
#include "system/firmware_service.h"
#include "testkit/window_fixture.h"
#include "ui/maindialog.h"
#include "ui/qr_image.h"
#include "ui/send_guard.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

namespace {

// Presses `button` in the next window of `dialog`, after keeping its picture.
void pressInNext(const char* dialog, const QString& button, const QString& screen = QString()) {
    testkit::onNextModal(
        [button, screen](QWidget* w) {
            if (!screen.isEmpty())
                QVERIFY(testkit::saveScreen(w, screen));
            if (!button.isEmpty())
                w->findChild<QPushButton*>(button)->click();
        },
        1, dialog);
}

// What zbarimg reads in a picture, "" when nothing.
QString zbar(const QImage& image) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/code.png";
    image.save(file);
    QProcess p;
    p.start("zbarimg", {"--quiet", "--raw", file});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The image with a white quiet zone around it, as the page shows it.
QImage withQuietZone(const QImage& code, int margin) {
    QImage out(code.size() + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter(&out).drawImage(margin, margin, code);
    return out;
}

// The smallest rectangle holding every black pixel.
QRect blackBounds(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                r |= QRect(x, y, 1, 1);
    return r;
}

} // namespace

class TstE2eSettings : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::WindowFixture> m_fx;

    template <typename T> T* widget(const char* name) { return m_fx->widget<T>(name); }
    GData& data() { return m_fx->data(); }
    MainDialog& window() { return m_fx->window(); }
    QString appFile(const QString& name) { return m_fx->board().appDir() + "/CAMCFG/" + name; }
    QByteArray config() { return testkit::readFile(appFile("config.txt")); }
    QString value(int i) { return QString::fromUtf8(config()).split('|').value(i); }
    void click(const char* name) { window().findChild<QPushButton*>(name)->click(); }
    void setupPage() {
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageMain);
        click("buttonSetup");
    }
    void shot(const QString& name) { QVERIFY(testkit::saveScreen(&window(), name)); }

private slots:
    void init() {
        m_fx = std::make_unique<testkit::WindowFixture>();
        setupPage();
    }
    void cleanup() {
        m_fx.reset();
        testkit::services::clearKnob(serviceKnobs::kPrintFail);
    }

    // The zone shifts the local time shown and stamped: 5.5 is 5 h 30 min ahead of UTC.
    void timeZones_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("India") << 24 << "5.5"
                               << "UTC+5.5: Indian Standard Time"
                               << "2026-01-01 05:30";
        QTest::newRow("Midway") << 23 << "-11"
                                << "UTC-11: Midway Islands Time"
                                << "2025-12-31 13:00";
        QTest::newRow("UTC") << 0 << "0"
                             << "UTC+00: Universal Coordinated Time"
                             << "2026-01-01 00:00";
    }
    void timeZones() {
        QFETCH(int, button);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, stamp);
        QVERIFY(board::setSystemClock(
            QDateTime(QDate(2026, 1, 1), QTime(0, 0, 5), Qt::UTC).toSecsSinceEpoch()));
        data().clock().setTimeSynced(true);
        click("buttonZone");
        QCOMPARE(widget<QStackedWidget>("stackedWidgetNoMenu")->currentIndex(),
                 int(MainDialog::PageTimeZone));
        pressInNext("ZoneDlg", QString("buttonZone%1").arg(button), "ZoneDlg");
        click("buttonTimeZone");
        QCOMPARE(data().settings().timeZone(), stored);
        QCOMPARE(value(CamCfg::TimeZone), stored);
        QCOMPARE(widget<QLabel>("labelTimeZoneZoneValue")->text(), shown);
        QCOMPARE(widget<QLabel>("labelTimeZoneTimeValue")->text(), stamp);
        shot("pageTimeZone");
        testkit::beginExample(data());
        QVERIFY(data().screening().saveTestResult(testkit::exampleValues()));
        QVERIFY(testkit::readFile(appFile("result.txt")).contains("|" + stamp.toUtf8() + ","));
    }

    void unknownZoneShowsUtc() {
        data().settings().store(CamCfg::TimeZone, "7.25");
        click("buttonZone");
        QCOMPARE(widget<QLabel>("labelTimeZoneZoneValue")->text(),
                 QString("UTC+00: Universal Coordinated Time"));
    }

    // Closing a chooser without a choice changes nothing, not even the file.
    void choosersClosedWithoutAChoice() {
        const QByteArray before = config();
        const QString zone = data().settings().timeZone();
        pressInNext("ZoneDlg", QString());
        click("buttonZone");
        click("buttonTimeZone");
        pressInNext("TimeDlg", QString());
        click("buttonSleepTime");
        click("buttonClockScreen");
        QCOMPARE(config(), before);
        QCOMPARE(data().settings().timeZone(), zone);
        QCOMPARE(data().settings().screenOffMinutes(), -1);
    }

    void timeouts() {
        click("buttonSleepTime");
        QCOMPARE(widget<QLabel>("labelClockScreenValue")->text(), QString("Never"));
        QRect placed;
        testkit::onNextModal(
            [&placed](QWidget* w) {
                placed = w->geometry();
                QVERIFY(testkit::saveScreen(w, "TimeDlg"));
                w->findChild<QPushButton*>("button5M")->click();
            },
            1, "TimeDlg");
        click("buttonClockScreen");
        QCOMPARE(data().settings().screenOffMinutes(), 5);
        QCOMPARE(value(CamCfg::ScreenOffTime), QString("5"));
        QCOMPARE(widget<QLabel>("labelClockScreenValue")->text(), QString("5 Minutes"));
        QCOMPARE(placed.topLeft(), window().mapToGlobal(QPoint(175, 344)));
        pressInNext("TimeDlg", "button1H");
        click("buttonClockShutdown");
        QCOMPARE(data().settings().shutdownMinutes(), 60);
        QCOMPARE(value(CamCfg::ShutdownTime), QString("60"));
        QCOMPARE(widget<QLabel>("labelClockShutdownValue")->text(), QString("1 Hour"));
        shot("pageSleepTime");
    }

    void handEditedTimeoutShowsNeverAndStays() {
        QVERIFY(data().settings().store(CamCfg::ScreenOffTime, "15"));
        data().InitConfigParameter();
        const QByteArray before = config();
        click("buttonSleepTime");
        QCOMPARE(widget<QLabel>("labelClockScreenValue")->text(), QString("Never"));
        QCOMPARE(data().settings().screenOffMinutes(), 15);
        QCOMPARE(config(), before);
    }

    void regions() {
        click("buttonCountry");
        shot("pageCountry");
        // The stored region again: the file is not even rewritten.
        const QByteArray before = config();
        const QDateTime modified = QFileInfo(appFile("config.txt")).lastModified();
        QTest::qWait(20);
        click("buttonSelectUS2");
        QCOMPARE(config(), before);
        QCOMPARE(QFileInfo(appFile("config.txt")).lastModified(), modified);
        // Another region: stored, marked, and the next upload goes to its server.
        click("buttonSelectIndia");
        QCOMPARE(data().settings().region(), 1);
        QCOMPARE(value(CamCfg::Region), QString("1"));
        QVERIFY(testkit::makeRecording(m_fx->board().root() + "/tmp/pupil_video.avi"));
        testkit::services::clearLog("analysis");
        QCOMPARE(data().screening().uploadAVIFile().outcome, AnalysisOutcome::Analysed);
        const auto uploads = testkit::services::log("analysis");
        QCOMPARE(uploads.size(), 1);
        QCOMPARE(uploads[0]["host"].toString(), QString("127.0.0.2"));
        QCOMPARE(uploads[0]["region"].toString(), QString("india"));
    }

    void calibrationSteps() {
        click("buttonParam");
        QCOMPARE(widget<QLabel>("valueParamPitch")->text(), QString("0"));
        click("buttonParamPitchSub");
        QCOMPARE(data().settings().pitchOffset(), -1);
        QCOMPARE(value(CamCfg::PitchOffset), QString("-1"));
        QCOMPARE(widget<QLabel>("valueParamPitch")->text(), QString("-1"));
        click("buttonParamDistancePlus");
        click("buttonParamDistancePlus");
        QCOMPARE(value(CamCfg::DistanceOffset), QString("2"));
        sensor_calibrate_data_t stored{};
        QVERIFY(readSensorCalibration(appFile("sensor_calibration.txt"), stored));
        QCOMPARE(stored.pitch_offset, -1);
        QCOMPARE(stored.distance_offset, 2);
        shot("pageParam");
    }

    void printerIdClearedShowsTheHint() {
        QVERIFY(data().settings().store(CamCfg::PrinterId, "PRN-9"));
        click("buttonMachineID");
        QCOMPARE(widget<QLineEdit>("editPrinterID")->text(), QString("PRN-9"));
        testkit::onNextModal([](QWidget* w) { w->findChild<QPushButton*>("buttonDel")->click(); },
                             1, "KeypadDlg");
        widget<QLineEdit>("editPrinterID")->setText("");
        QTest::mousePress(widget<QLineEdit>("editPrinterID"), Qt::LeftButton);
        QCOMPARE(value(CamCfg::PrinterId), QString());
        QCOMPARE(widget<QLineEdit>("editPrinterID")->text(), QString("Please enter printer ID"));
        click("buttonMachineIDReturn");
        click("buttonMachineID");
        QCOMPARE(widget<QLineEdit>("editPrinterID")->text(), QString("Please enter printer ID"));
    }

    // A "|" typed on the symbol layout would shift every later setting: refused with a
    // message, the stored ID and automatic start unchanged.
    void printerIdWithASeparatorIsRefused() {
        QVERIFY(data().settings().store(CamCfg::PrinterId, "PRN-9"));
        click("buttonMachineID");
        widget<QLineEdit>("editPrinterID")->setText("PRN|1");
        testkit::onNextModal(nullptr, 1, "KeypadDlg");
        auto shown = testkit::nextMessage();
        QTest::mousePress(widget<QLineEdit>("editPrinterID"), Qt::LeftButton);
        QTRY_COMPARE(*shown, QString("Printer ID cannot contain \"|\"!"));
        QCOMPARE(value(CamCfg::PrinterId), QString("PRN-9"));
        QCOMPARE(widget<QLineEdit>("editPrinterID")->text(), QString("PRN-9"));
        QVERIFY(!data().settings().focusAuto());
    }

    void testPrint() {
        click("buttonMachineID");
        auto shown = testkit::nextMessage();
        click("buttonPrintTestpage");
        QCOMPARE(*shown, QString("No Printer ID Config!"));
        QVERIFY(data().settings().store(CamCfg::PrinterId, "PRN-9"));
        testkit::services::clearLog("print");
        click("buttonPrintTestpage");
        const auto prints = testkit::services::log("print");
        QCOMPARE(prints.size(), 1);
        QVERIFY(prints[0]["signature_ok"].toBool());
        QCOMPARE(prints[0]["fields"].toObject()["deviceID"].toString(), QString("PRN-9"));
        QVERIFY(prints[0]["fields"].toObject()["msgDetail"].toString().startsWith(
            "This is a test page..."));
        click("buttonPrintTestpage"); // the doubled tap: one tap, one page
        QCOMPARE(testkit::services::log("print").size(), 1);
        QTest::qWait(SendGuard::kSettleMs); // a second page on purpose
        testkit::services::setKnob(serviceKnobs::kPrintFail, "close");
        shown = testkit::nextMessage();
        click("buttonPrintTestpage");
        QCOMPARE(*shown, QString("Connect to Server Failed!"));
    }

    // The identity read back by an independent decoder, from the page and from the label.
    void machineIdentityQrCode() {
        click("buttonMachineID");
        const QString identity = data().identity().GetETNetMACAddress();
        QVERIFY(!identity.isEmpty());
        const QImage page = window().grab().toImage();
        page.save(QStringLiteral(VISTREL_TEST_ARTIFACTS) + "/screens/pageMachineID.png");
        QCOMPARE(zbar(page), identity);
        const QImage label = widget<QLabel>("labelMachineIDBarcode")->pixmap().toImage();
        QCOMPARE(label.size(), widget<QLabel>("labelMachineIDBarcode")->size());
        QCOMPARE(zbar(withQuietZone(label, 24)), identity);
        QCOMPARE(widget<QLabel>("labelMachineIDSWVersion")->text(), data().firmware().version());
        QCOMPARE(widget<QLabel>("labelMachineIDModel")->text(), QString("Product Model: 7R-D20"));
    }

    void qrFillsTheImage_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("short") << QByteArray("A");
        QTest::newRow("identity") << QByteArray("02:00:5E:10:00:01");
        QTest::newRow("long") << QByteArray(
            "VISTREL-MACHINE-0123456789-ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    }
    void qrFillsTheImage() {
        QFETCH(QByteArray, text);
        const QImage code = qrImage(text, QSize(170, 170));
        QCOMPARE(code.size(), QSize(170, 170));
        QCOMPARE(blackBounds(code), QRect(0, 0, 170, 170));
        QCOMPARE(zbar(withQuietZone(code, 24)), QString::fromLatin1(text));
    }

    // A criterion change judges the next screening by the new table.
    void referralCriterion() {
        click("buttonReferral");
        QCOMPARE(widget<QStackedWidget>("stackedWidgetReferral")->currentIndex(),
                 2); // Arnold by default
        shot("pageArnold");
        entry::Child child = testkit::exampleChild();
        child.birth = QDate(2022, 1, 1);
        QCOMPARE(data().screening().begin(child), QString());
        const int months = data().screening().getMonthofAge();
        // A refraction the two tables judge differently.
        QString sph;
        for (double v = 0.25; v <= 6 && sph.isEmpty(); v += 0.25) {
            const Refraction r = refractionFrom(QString::number(v), "0", "0", "0");
            if (referralFor(0, months, r) != referralFor(1, months, r))
                sph = QString::number(v);
        }
        QVERIFY(!sph.isEmpty());
        AnalysisValues values;
        values.osSph = sph;
        values.odSph = values.osCyl = values.odCyl = "0";
        QVERIFY(data().screening().saveTestResult(values));
        const Refraction r = refractionFrom(sph, "0", "0", "0");
        QCOMPARE(data().screening().calculateReferral(), referralFor(0, months, r));
        click("buttonArnoldMatta");
        QCOMPARE(widget<QStackedWidget>("stackedWidgetReferral")->currentIndex(), 0);
        QCOMPARE(data().settings().referralCriterion(), 1);
        QCOMPARE(value(CamCfg::ReferralCriteria), QString("1"));
        QCOMPARE(widget<QLabel>("labelReferral")->text(), QString("Matta"));
        QCOMPARE(data().screening().calculateReferral(), referralFor(1, months, r));
        shot("pageMatta");
        click("buttonMattaArthur2");
        QCOMPARE(widget<QLabel>("labelReferral")->text(), QString("Arthur2"));
        QCOMPARE(value(CamCfg::ReferralCriteria), QString("2"));
        shot("pageArthur2");
    }

    // Factory reset: the settings go back to their defaults; the history, the calibration
    // and the Wi-Fi configuration stay as they are.
    void factoryReset() {
        const QString wifi = m_fx->board().root() + "/etc/wpa_supplicant.conf";
        QVERIFY(testkit::writeFile(wifi, "network={\n\tssid=\"Clinic\"\n}\n"));
        QVERIFY(testkit::writeFile(appFile("result.txt"),
                                   "Kim,Male,2020-01-01|t,1,2,3,4,5,6,7,Pass\n"));
        QVERIFY(testkit::writeFile(appFile("sensor_calibration.txt"), "7,2\n"));
        QVERIFY(data().settings().store(CamCfg::Region, "2"));
        QVERIFY(data().settings().store(CamCfg::PrinterId, "PRN-1"));
        const QByteArray history = testkit::readFile(appFile("result.txt"));
        const QByteArray calibration = testkit::readFile(appFile("sensor_calibration.txt"));
        pressInNext("MsgDialog", "buttonLeft1");
        click("buttonFactory");
        QCOMPARE(config(),
                 QByteArray("225|1|50|5|5|1920*1080|127.0.0.1:15000|0|-1|-1|0|0||0|0|0|en"));
        QCOMPARE(data().settings().region(), 0);
        QCOMPARE(testkit::readFile(appFile("result.txt")), history);
        QCOMPARE(testkit::readFile(appFile("sensor_calibration.txt")), calibration);
        QCOMPARE(testkit::readFile(wifi), QByteArray("network={\n\tssid=\"Clinic\"\n}\n"));
    }

    // The camera page opens with the stored exposure and sharpness in its labels.
    void cameraPageShowsStoredValues() {
        data().clock().setTimeSynced(true);
        widget<QStackedWidget>("stackedWidgetMain")->setCurrentIndex(0);
        widget<QStackedWidget>("stackedWidgetWithMenu")->setCurrentIndex(0);
        widget<QLineEdit>("editName")->setText("Kim");
        widget<QLineEdit>("editDate")->setText("2020-02-02");
        click("buttonCamera");
        QCOMPARE(widget<QStackedWidget>("stackedWidgetBase")->currentIndex(),
                 int(MainDialog::PageCamera));
        QCOMPARE(widget<QLabel>("labelBrightnessValue")->text(), QString("225"));
        QCOMPARE(widget<QLabel>("labelSharpnessValue")->text(), QString("50"));
    }
};

QTEST_MAIN(TstE2eSettings)
#include "tst_e2e_settings.moc"
