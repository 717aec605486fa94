#include "ui/maindialog.h"

#include "ui_maindialog.h"

#include "app/gdata.h"
#include "capture/capture_session.h"
#include "capture/capture_threads.h"
#include "core/local_time.h"
#include "core/log.h"
#include "core/settings.h"
#include "platform/board.h"
#include "screening/screening_session.h"
#include "sensors/power.h"
#include "system/clock_service.h"
#include "system/cmdutil.h"
#include "system/device_thread.h"
#include "system/firmware_service.h"
#include "system/wifi_service.h"
#include "ui/device_dialog.h"
#include "ui/history_controller.h"
#include "ui/keyboards.h"
#include "ui/language.h"
#include "ui/msgdialog.h"
#include "ui/screening_controller.h"
#include "ui/settings_controller.h"
#include "ui/styles.h"
#include "ui/wifi_controller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

MainDialog::MainDialog(GData& data, QWidget* parent)
    : QDialog(parent), ui(new Ui::MainDialog), m_data(data) {
    // The flags before the page tree: set afterwards, they re-create the window and polish
    // all of its 250 widgets again, a sixth of the time to the first painted page.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    m_languages.loadFonts();
    m_languages.apply(m_data.settings().language());
    ui->setupUi(this);
    m_formTexts.remember(this);
    m_waitingStyle = ui->labelWaiting->styleSheet();
    ui->labelVersion->setText(m_data.firmware().version());
    m_screening = new ScreeningController(*this, this, *ui, m_data);
    m_history = new HistoryController(*this, this, *ui, m_data);
    m_settings = new SettingsController(*this, this, *ui, m_data);
    m_wifi = new WifiController(*this, this, *ui, m_data);
    m_screening->pageMainInfoInputInit();
    if (const std::optional<entry::Child> child = m_data.screening().takeCameraRestartEntry())
        QTimer::singleShot(0, m_screening, [this, c = *child] { m_screening->restoreEntry(c); });
    connect(ui->buttonSetup, &QAbstractButton::clicked, this, &MainDialog::on_buttonSetup_clicked);
    connect(ui->buttonHome, &QAbstractButton::clicked, this, &MainDialog::on_buttonHome_clicked);
    connect(ui->buttonSetupReturn, &QAbstractButton::clicked, this,
            &MainDialog::on_buttonSetupReturn_clicked);

    m_pTimer = new QTimer(this);
    connect(m_pTimer, &QTimer::timeout, this, &MainDialog::on_timer);
    m_pTimer->start(200);
    qApp->installEventFilter(this);
    m_data.capture().FlashOff();
}

MainDialog::~MainDialog() {
    qApp->removeEventFilter(this);
    delete ui;
}

void MainDialog::connectWorkers(CameraThread& camera, VideoThread& video, DeviceThread& device) {
    connect(&camera, &CameraThread::camera_thread_signal, m_screening,
            &ScreeningController::camera_thread_slot, Qt::QueuedConnection);
    connect(&video, &VideoThread::video_thread_signal, m_screening,
            &ScreeningController::video_thread_slot, Qt::QueuedConnection);
    connect(&device, &DeviceThread::device_thread_signal, m_wifi,
            &WifiController::device_thread_slot, Qt::QueuedConnection);
}

qint64 MainDialog::now() const {
    return board::currentSecsSinceEpoch();
}

void MainDialog::notice(const QString& text) {
    MsgDialog::notify(text);
}

void MainDialog::errorMessage(const QString& text) {
    MsgDialog::error(text);
}

// ---- master tick -----------------------------------------------------------------------

void MainDialog::on_timer() {
    const qint64 nowMs = QDateTime::currentMSecsSinceEpoch();
    if (m_nLastTickMs)
        m_nMaxTickGapMs = qMax(m_nMaxTickGapMs, nowMs - m_nLastTickMs);
    m_nLastTickMs = nowMs;
    startPageJob();
    timerShutdown();
    m_screening->timerPageCamera();
    mainPageJob();
    wifiPageJob();
}

void MainDialog::startPageJob() {
    if (ui->stackedWidgetBase->currentIndex() != PageStart)
        return;
    // The Wi-Fi worker polls the association: the GUI thread never waits for wpa_cli.
    if (m_data.wifi().connected()) {
        ui->stackedWidgetBase->setCurrentIndex(PageMain);
    } else if (m_nStartCount > 10) {
        ui->stackedWidgetBase->setCurrentIndex(PageWifi);
        m_data.wifi().requestRefresh();
    }
    qCDebug(lcUi, "times = %d", m_nStartCount);
    ++m_nStartCount;
}

void MainDialog::timerShutdown() {
    if (!m_data.clock().timeSynced())
        return;
    if (m_tLastActivity == 0) {
        m_tLastActivity = now();
        return;
    }
    const qint64 idle = now() - m_tLastActivity;
    const int shutdown = m_data.settings().shutdownMinutes();
    if (shutdown != -1 && idle > 60 * qint64(shutdown)) {
        qCDebug(lcUi, "shutdown %d %d %d", int(idle), int(m_tLastActivity), shutdown);
        m_data.commands().poweroff();
        return;
    }
    const int screenOff = m_data.settings().screenOffMinutes();
    if (screenOff != -1 && m_data.power().screenIsOn() && idle > 60 * qint64(screenOff)) {
        qCDebug(lcUi, "screenOff %d %d %d", int(idle), int(m_tLastActivity), screenOff);
        m_data.power().screenOff();
    }
}

void MainDialog::mainPageJob() {
    if (ui->stackedWidgetBase->currentIndex() != PageMain)
        return;
    if (m_nMainCount > 5) {
        m_nMainCount = 0;
        labelWirelessShow();
        labelWaitingShow();
        labelTimeShow();
        labelBatteryShow();
    } else {
        ++m_nMainCount;
    }
}

void MainDialog::wifiPageJob() {
    if (ui->stackedWidgetBase->currentIndex() != PageWifi)
        return;
    if (m_nWifiCount > 25) {
        m_nWifiCount = 0;
        m_data.wifi().requestRefresh();
    } else {
        ++m_nWifiCount;
    }
}

// ---- status bar ------------------------------------------------------------------------

void MainDialog::labelWirelessShow() {
    const QString icon = wifiIconFor(m_data.wifi().rssi());
    ui->labelMainSignal->setPixmap(icon.isEmpty() ? QPixmap() : QPixmap(icon));
}

// Screenings that wait for the analysis, so the operator knows to find a network.
void MainDialog::labelWaitingShow() {
    Outbox* outbox = m_data.screening().outbox();
    const QString text =
        waitingText(outbox ? outbox->waiting() : 0, m_data.screening().signInNeeded());
    if (text == ui->labelWaiting->text())
        return;
    // A long notice shrinks the font; the next text starts again from the form's size.
    ui->labelWaiting->setStyleSheet(m_waitingStyle);
    dialogs::setFittingText(ui->labelWaiting, text);
}

void MainDialog::labelTimeShow() {
    if (!m_data.clock().trusted()) // no time worth showing yet
        return;
    const QString text = localTime(m_data.settings()).toString("yyyy-MM-dd hh:mm");
    ui->labelTime->setText(text);
    ui->labelTimeZoneTimeValue->setText(text);
}

void MainDialog::labelBatteryShow() {
    const int percent = m_data.power().getBatteryPercent();
    const bool charging = m_data.power().getUSBPresentState() != 0;
    m_nBatteryLevel = batteryLevelFor(percent, charging, m_nBatteryLevel);
    if (m_lowBattery.update(percent, charging)) {
        MsgDialog::ask("Low Battery", "20% battery remaining", "", "OK", "");
    }
    ui->labelBattery->setPixmap(QPixmap(batteryIconFor(m_nBatteryLevel)));
}

// ---- navigation --------------------------------------------------------------------------

void MainDialog::showNoMenu(int page) {
    ui->stackedWidgetMain->setCurrentIndex(1);
    ui->stackedWidgetNoMenu->setCurrentIndex(page);
}

void MainDialog::on_buttonSetup_clicked() {
    showNoMenu(PageSetup);
}

void MainDialog::on_buttonHome_clicked() {
    m_screening->pageMainInfoInputInit();
    ui->stackedWidgetMain->setCurrentIndex(0);
    ui->stackedWidgetWithMenu->setCurrentIndex(0);
}

void MainDialog::on_buttonSetupReturn_clicked() {
    ui->stackedWidgetMain->setCurrentIndex(0);
}

// ---- events ------------------------------------------------------------------------------

void MainDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && m_settings) {
        m_formTexts.retranslate(this, [this] { ui->retranslateUi(this); });
        m_screening->retranslate();
        m_history->retranslate();
        m_settings->retranslate();
    }
    QDialog::changeEvent(event);
}

void MainDialog::openTextKeyboard(QLineEdit* edit) {
    if (edit == ui->editName && edit->text() == style::namePlaceholder()) {
        edit->setText("");
        edit->setStyleSheet(style::kEditTyping);
    }
    if (edit == ui->editPrinterID && edit->text() == style::printerPlaceholder()) {
        edit->setText("");
        edit->setStyleSheet(style::kPrinterTyping);
    }
    const bool entered = dialogs::openKeypad(edit);
    if (edit == ui->editPrinterID)
        m_settings->printerIdEntered();
    if (edit == ui->editSearch && entered)
        m_history->on_buttonSearch_clicked();
}

void MainDialog::openDateKeypad() {
    if (ui->editDate->text() == style::datePlaceholder()) {
        ui->editDate->setText(style::kDateTemplate);
        ui->editDate->setStyleSheet(style::kEditTyping);
    }
    dialogs::openNumKeypad(ui->editDate, 10, QPoint(240, 440));
    m_screening->birthDateEntered(QDate::fromString(ui->editDate->text(), "yyyy-MM-dd"));
}

bool MainDialog::openKeyboardFor(QObject* target) {
    if (target == ui->editName || target == ui->editChildId || target == ui->editSearch ||
        target == ui->editPrinterID) {
        openTextKeyboard(static_cast<QLineEdit*>(target));
        return true;
    }
    if (target == ui->editDate) {
        openDateKeypad();
        return true;
    }
    return false;
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (m_data.clock().timeSynced())
            m_tLastActivity = now();
        if (!m_data.power().screenIsOn()) {
            m_data.power().screenOn();
            return true; // the touch that wakes the screen does nothing else
        }
        if (openKeyboardFor(watched))
            return true;
    }
    if (watched == this && event->type() == QEvent::Show) {
        qCDebug(lcUi, "QEvent::Show");
        m_settings->labelReferralInit();
    }
    return QDialog::eventFilter(watched, event);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_PowerDown)
        return; // every other key, Escape included, does nothing
    if (m_data.clock().timeSynced())
        m_tLastActivity = now();
    if (!m_data.power().screenIsOn())
        m_data.power().screenOn();
}

void MainDialog::keyReleaseEvent(QKeyEvent*) {}
