// The Wi-Fi page end to end on the virtual board's supplicant: joining a secured network
// (right and wrong pass phrase), an open or WEP-only one after the warning, connecting to
// and forgetting a saved one, and the maintenance access code leading to the version list
// and a version switch through the firmware stand-in.
#include "app/gdata.h"
#include "knobs.h"
#include "system/cmdutil.h"
#include "system/wifi.h"
#include "system/wifi_service.h"
#include "testkit/window_fixture.h"
#include "ui/maindialog.h"
#include "ui/wifi_controller.h"
#include "virtual_board.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

namespace {

const QByteArray kAir = "Clinic-Guest\t-48\topen\t\t02:00:5e:10:00:01\n"
                        "Clinic-Staff\t-56\twpa2\tstaff-pass-2024\t02:00:5e:10:00:02\n"
                        "Old-Lab\t-62\twep\tabcde\t02:00:5e:10:00:04\n";

struct Seen {
    std::shared_ptr<QString> title = std::make_shared<QString>();
    std::shared_ptr<QString> message = std::make_shared<QString>();
};

// Answers the next message box with `button` (none: just closes it), keeping its texts.
Seen answerNext(const QString& button = QString(), const QString& screen = QString()) {
    Seen seen;
    testkit::onNextModal(
        [seen, button, screen](QWidget* w) {
            auto* msg = w->findChild<QLabel*>("labelMsg");
            const bool withMessage = msg->isVisibleTo(w);
            *seen.title =
                w->findChild<QLabel*>(withMessage ? "labelTitle" : "labelTitleMsg")->text();
            *seen.message = withMessage ? msg->text() : QString();
            if (!screen.isEmpty())
                QVERIFY(testkit::saveScreen(w, screen));
            if (!button.isEmpty())
                w->findChild<QPushButton*>(button)->click();
        },
        1, "MsgDialog");
    return seen;
}

// Types a pass phrase into the next password dialog and presses Connect (or Cancel).
void passPhraseNext(const QString& text, bool connect = true) {
    testkit::onNextModal(
        [text, connect](QWidget* w) {
            w->findChild<QLineEdit*>("editPassword")->setText(text);
            w->findChild<QPushButton*>(connect ? "buttonConnect" : "buttonCancel")->click();
        },
        1, "WifiPwdDlg");
}

QString firmwareDir() {
    return testkit::services::dir() + "/firmware/v2/us";
}

} // namespace

class TstE2eWifi : public QObject {
    Q_OBJECT

    std::unique_ptr<testkit::WindowFixture> m_fx;

    template <typename T> T* widget(const char* name) { return m_fx->widget<T>(name); }
    GData& data() { return m_fx->data(); }
    QAbstractItemModel* table() { return widget<QTableView>("tableViewWireless")->model(); }
    QString saved() { return data().commands().wireless_listnetwork(); }

    void refresh() {
        QVERIFY(!data().wifi().getWIFIInfo().isEmpty());
        QMetaObject::invokeMethod(&m_fx->window().wifi(), "device_thread_slot",
                                  Q_ARG(QString, "x"));
    }
    int rowOf(const QString& ssid) {
        for (int r = 0; r < table()->rowCount(); ++r)
            if (table()->index(r, 1).data().toString() == ssid)
                return r;
        return -1;
    }
    void tap(const QString& ssid) {
        const int row = rowOf(ssid);
        QVERIFY2(row >= 0, qPrintable(ssid));
        QMetaObject::invokeMethod(&m_fx->window().wifi(), "on_tableViewWireless_clicked",
                                  Q_ARG(QModelIndex, table()->index(row, 1)));
    }
    // The image signed with the build's development key unless `signedBy` names another.
    void stageVersion(const QByteArray& image, const QByteArray& versionLine,
                      const QString& signedBy = testkit::firmware::devKey()) {
        QDir().mkpath(firmwareDir());
        QVERIFY(testkit::writeFile(firmwareDir() + "/vistrel-v9", image));
        QVERIFY(testkit::writeFile(firmwareDir() + "/vistrel-v9.sig",
                                   testkit::firmware::sign(image, signedBy)));
        QVERIFY(testkit::writeFile(firmwareDir() + "/version_v9.txt", versionLine));
        QVERIFY(testkit::writeFile(
            firmwareDir() + "/versionList.txt",
            "version_rent.txt\tv2.6.5-R\nversion_v9.txt\tv9.0.0-R\nbad\tthree\tfields\n"));
    }
    // The maintenance code on a secured network; the version dialog switches to "v9.0.0-R",
    // answering its question with Yes. Returns the message that ends the switch.
    Seen switchToV9(const QString& screen = QString()) {
        Seen result;
        testkit::onNextModal(
            [screen, result](QWidget* w) {
                auto* combo = w->findChild<QComboBox*>("comboVersion");
                QCOMPARE(combo->count(), 2); // the three-field line is not offered
                combo->setCurrentIndex(combo->findText("v9.0.0-R"));
                if (!screen.isEmpty())
                    QVERIFY(testkit::saveScreen(w, screen));
                testkit::onNextModal(
                    [result](QWidget* q) {
                        QCOMPARE(q->findChild<QLabel*>("labelTitleMsg")->text(),
                                 QString("Switch to v9.0.0-R"));
                        // The question answered, the next message is the outcome.
                        const Seen outcome = answerNext();
                        q->findChild<QPushButton*>("buttonLeft1")->click(); // Yes
                        *result.title = QString();
                        QTimer::singleShot(0, [outcome, result] {
                            auto* poll = new QTimer(qApp);
                            QObject::connect(poll, &QTimer::timeout, [poll, outcome, result] {
                                if (outcome.title->isEmpty())
                                    return;
                                *result.title = *outcome.title;
                                poll->deleteLater();
                            });
                            poll->start(20);
                        });
                    },
                    1, "MsgDialog");
                w->findChild<QPushButton*>("buttonOK")->click();
            },
            1, "versiondlg");
        passPhraseNext("mvrq4096");
        tap("Clinic-Staff");
        return result;
    }

private slots:
    void init() {
        m_fx = std::make_unique<testkit::WindowFixture>();
        vboard::setKnob(knobs::kAir, QString::fromUtf8(kAir));
        data().wifi().setJoinPollMs(50);
        // The board comes with its clinic network configured; these tests start from none.
        for (const QString& ssid : savedSsids(saved()))
            QVERIFY(data().wifi().deleteWIFI(ssid));
        widget<QStackedWidget>("stackedWidgetBase")->setCurrentIndex(MainDialog::PageWifi);
        refresh();
    }
    void cleanup() { m_fx.reset(); }

    void securedRightAndWrongPassPhrase() {
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageWIFI_networks"));
        auto shown = answerNext();
        passPhraseNext("wrong-pass-1");
        tap("Clinic-Staff");
        QCOMPARE(*shown.title, QString("Wrong Password!"));
        QVERIFY(!networkIndex(saved(), "Clinic-Staff")); // the failed entry is removed

        passPhraseNext("staff-pass-2024");
        data().wifi().takeRefresh();
        tap("Clinic-Staff");
        QVERIFY(data().wifi().refreshRequested());
        QVERIFY(networkIndex(saved(), "Clinic-Staff"));
        QCOMPARE(parseWifiStatus(data().commands().wireless_getstatus()).ssid,
                 QString("Clinic-Staff"));
    }

    void cancelChangesNothing() {
        const QString before = saved();
        passPhraseNext("staff-pass-2024", false);
        tap("Clinic-Staff");
        answerNext("buttonLeft1"); // Cancel
        tap("Clinic-Guest");
        QCOMPARE(saved(), before);
    }

    void openAndWepOnlyNetworksAreUnsafe_data() {
        QTest::addColumn<QString>("ssid");
        QTest::newRow("open") << "Clinic-Guest";
        QTest::newRow("WEP only") << "Old-Lab";
    }
    void openAndWepOnlyNetworksAreUnsafe() {
        QFETCH(QString, ssid);
        const Seen seen = answerNext("buttonRight1", "MsgDialog_unsafeNetwork"); // Connect
        tap(ssid);
        QCOMPARE(*seen.title, QString("Connect to the unsafe network?"));
        QCOMPARE(*seen.message, ssid);
        QVERIFY(networkIndex(saved(), ssid));
    }

    void savedNetworkConnectAndDelete() {
        passPhraseNext("staff-pass-2024");
        tap("Clinic-Staff");
        answerNext("buttonRight1");
        tap("Clinic-Guest");
        refresh();
        QCOMPARE(table()->index(rowOf("Clinic-Staff"), 7).data().toString(), QString("1"));
        // Connect: the saved network becomes the preferred one again.
        const Seen seen = answerNext("buttonRight", "MsgDialog_savedNetwork");
        tap("Clinic-Staff");
        QCOMPARE(*seen.title, QString("Connect to Network"));
        QCOMPARE(*seen.message, QString("Clinic-Staff"));
        QVERIFY(saved().contains("Clinic-Staff"));
        // Cancel: nothing.
        const QString before = saved();
        answerNext("buttonLeft");
        tap("Clinic-Staff");
        QCOMPARE(saved(), before);
        // Delete: forgotten.
        answerNext("buttonMiddle");
        tap("Clinic-Staff");
        QVERIFY(!networkIndex(saved(), "Clinic-Staff"));
    }

    void passwordDialogShownAndHidden() {
        testkit::onNextModal(
            [](QWidget* w) {
                auto* edit = w->findChild<QLineEdit*>("editPassword");
                edit->setText("staff-pass");
                QCOMPARE(edit->echoMode(), QLineEdit::Normal);
                QVERIFY(testkit::saveScreen(w, "WifiPwdDlg_shown"));
                w->findChild<QPushButton*>("buttonHide")->click();
                QCOMPARE(edit->echoMode(), QLineEdit::Password);
                QVERIFY(testkit::saveScreen(w, "WifiPwdDlg_hidden"));
                w->findChild<QPushButton*>("buttonHide")->click();
                QCOMPARE(edit->echoMode(), QLineEdit::Normal);
                w->findChild<QPushButton*>("buttonCancel")->click();
            },
            1, "WifiPwdDlg");
        tap("Clinic-Staff");
    }

    void emptyAirSaysSo() {
        QVERIFY(!widget<QLabel>("labelWifiEmpty")->isVisible());
        vboard::setKnob(knobs::kAir, "");
        refresh();
        QCOMPARE(table()->rowCount(), 0);
        QVERIFY(widget<QLabel>("labelWifiEmpty")->isVisible());
        QVERIFY(testkit::saveScreen(&m_fx->window(), "pageWIFI_empty"));
    }

    // The access code opens the version list; a switch stages the signed image and reboots.
    void versionSwitch() {
        const QByteArray image = testkit::firmware::image(51000, 'v');
        const QByteArray md5 =
            QCryptographicHash::hash(image, QCryptographicHash::Md5).toHex().toUpper();
        stageVersion(image, "v9.0.0-R;vistrel-v9;" + QByteArray::number(image.size()) + ";" + md5);
        // The board's reboot ends the application; here it only records the request.
        QFile::remove(m_fx->board().root() + "/record/app.pid");
        const Seen result = switchToV9("versiondlg");
        QTRY_COMPARE_WITH_TIMEOUT(*result.title, QString("System Switch Success!"), 20000);
        QCOMPARE(testkit::readFile(data().appDir() + "/vistrel.new"), image);
        QVERIFY(!QFile::exists(data().appDir() + "/CAMCFG/config.txt")); // default settings
        QCOMPARE(testkit::readFile(m_fx->board().root() + "/record/power").trimmed(),
                 QByteArray("reboot"));
    }

    void badDownloadsStageNothing_data() {
        QTest::addColumn<int>("sizeDelta");
        QTest::addColumn<bool>("badDigest");
        QTest::addColumn<bool>("foreignKey");
        QTest::newRow("one byte short") << 1 << false << false;
        QTest::newRow("wrong digest") << 0 << true << false;
        QTest::newRow("signed by another key") << 0 << false << true;
    }
    void badDownloadsStageNothing() {
        QFETCH(int, sizeDelta);
        QFETCH(bool, badDigest);
        QFETCH(bool, foreignKey);
        const QByteArray image = testkit::firmware::image(51000, 'v');
        QByteArray md5 = QCryptographicHash::hash(image, QCryptographicHash::Md5).toHex().toUpper();
        if (badDigest)
            md5 = QByteArray(32, 'A');
        stageVersion(image,
                     "v9.0.0-R;vistrel-v9;" + QByteArray::number(image.size() + sizeDelta) + ";" +
                         md5,
                     foreignKey ? testkit::firmware::makeKey(m_fx->board().root())
                                : testkit::firmware::devKey());
        const Seen result = switchToV9();
        QTRY_COMPARE_WITH_TIMEOUT(*result.title, QString("System Switch Failed!"), 20000);
        QVERIFY(!QFile::exists(data().appDir() + "/vistrel.new"));
        QVERIFY(QFile::exists(data().appDir() + "/CAMCFG/config.txt"));
    }
};

QTEST_MAIN(TstE2eWifi)
#include "tst_e2e_wifi.moc"
