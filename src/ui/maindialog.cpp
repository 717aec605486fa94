#include "ui/maindialog.h"

#include "ui_maindialog.h"

#include "app/camcfg.h"
#include "app/gdata.h"
#include "capture/capture_threads.h"
#include "platform/board.h"
#include "sensors/hw_thread.h"
#include "system/cmdutil.h"
#include "system/device_thread.h"
#include "system/wifi.h"
#include "ui/keypaddlg.h"
#include "ui/msgdialog.h"
#include "ui/numkeypaddlg.h"
#include "ui/uploaddlg.h"

#include <QApplication>
#include <QDebug>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTimer>

namespace {

const QString kNamePlaceholder = "Please enter your name";
const QString kDatePlaceholder = "Year-Month-Date";
const QString kDateTemplate = "____-__-__";
const QString kPrinterPlaceholder = "Please enter printer ID";
// The colour and size of typed text; the panel look of the edit stays.
const QString kEditTyping =
    "color:rgb(136, 138, 133); font-size: 28pt; background-color: rgb(24, 24, 24); "
    "border: 2px solid rgb(48, 48, 48); border-radius: 8px; padding-left: 12px;";

} // namespace

MainDialog::MainDialog(QWidget* parent, bool startWorkers)
    : QDialog(parent), ui(new Ui::MainDialog) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    if (g_pData)
        ui->labelVersion->setText(g_pData->m_strVersion);
    tableViewWIFIInit();
    pageMainInfoInputInit();

    m_pTimer = new QTimer(this);
    connect(m_pTimer, &QTimer::timeout, this, &MainDialog::on_timer);
    m_pTimer->start(200);
    if (startWorkers)
        startWorkerThreads();
    qApp->installEventFilter(this);
    if (g_pData)
        g_pData->FlashOff();
}

// On the device the window lives as long as the process; a window that is destroyed (in
// tests) stops its workers first.
MainDialog::~MainDialog() {
    qApp->removeEventFilter(this);
    for (QThread* t :
         {static_cast<QThread*>(m_pCameraThread), static_cast<QThread*>(m_pVideoThread),
          static_cast<QThread*>(m_pDeviceThread), static_cast<QThread*>(m_pHWThread)}) {
        if (t)
            t->requestInterruption();
    }
    for (QThread* t :
         {static_cast<QThread*>(m_pCameraThread), static_cast<QThread*>(m_pVideoThread),
          static_cast<QThread*>(m_pDeviceThread), static_cast<QThread*>(m_pHWThread)}) {
        if (t)
            t->wait();
    }
    delete ui;
}

// The worker threads run for the life of the process, camera first.
void MainDialog::startWorkerThreads() {
    if (!g_pData)
        return;
    m_pCameraThread = new CameraThread(g_pData, this);
    m_pVideoThread = new VideoThread(g_pData, this);
    m_pDeviceThread = new DeviceThread(g_pData, this);
    m_pHWThread = new HWThread(g_pData, this);
    connect(m_pCameraThread, &CameraThread::camera_thread_signal, this,
            &MainDialog::camera_thread_slot, Qt::QueuedConnection);
    connect(m_pVideoThread, &VideoThread::video_thread_signal, this, &MainDialog::video_thread_slot,
            Qt::QueuedConnection);
    connect(m_pDeviceThread, &DeviceThread::device_thread_signal, this,
            &MainDialog::device_thread_slot, Qt::QueuedConnection);
    m_pCameraThread->start();
    m_pVideoThread->start();
    m_pDeviceThread->start();
    m_pHWThread->start();
}

qint64 MainDialog::now() const {
    return board::currentSecsSinceEpoch();
}

void MainDialog::notice(const QString& text) {
    MsgDialog dlg;
    dlg.Init(text, "", "", "OK", "");
    dlg.exec();
}

// ---- master tick -----------------------------------------------------------------------

void MainDialog::on_timer() {
    const qint64 nowMs = QDateTime::currentMSecsSinceEpoch();
    if (m_nLastTickMs)
        m_nMaxTickGapMs = qMax(m_nMaxTickGapMs, nowMs - m_nLastTickMs);
    m_nLastTickMs = nowMs;
    startPageJob();
    timerShutdown();
    timerPageCamera();
    mainPageJob();
    wifiPageJob();
}

void MainDialog::startPageJob() {
    if (ui->stackedWidgetBase->currentIndex() != PageStart)
        return;
    if (g_pCmdUtil && g_pCmdUtil->wireless_is_connected()) {
        ui->stackedWidgetBase->setCurrentIndex(PageMain);
    } else if (m_nStartCount > 10) {
        ui->stackedWidgetBase->setCurrentIndex(PageWifi);
        if (g_pData)
            g_pData->m_bWifiRefresh = true;
    }
    qDebug("times = %d", m_nStartCount);
    ++m_nStartCount;
}

void MainDialog::timerShutdown() {
    if (!g_pData || !g_pData->m_bTimeSynced)
        return;
    if (m_tLastActivity == 0) {
        m_tLastActivity = now();
        return;
    }
    const qint64 idle = now() - m_tLastActivity;
    const int shutdown = g_pData->m_nShutdownTime;
    if (shutdown != -1 && idle > 60 * qint64(shutdown)) {
        qDebug("shutdown %d %d %d", int(idle), int(m_tLastActivity), shutdown);
        if (g_pCmdUtil)
            g_pCmdUtil->poweroff();
        return;
    }
    const int screenOff = g_pData->m_nScreenOffTime;
    if (screenOff != -1 && g_pData->m_bScreenOn && idle > 60 * qint64(screenOff)) {
        qDebug("screenOff %d %d %d", int(idle), int(m_tLastActivity), screenOff);
        g_pData->screenOff();
    }
}

void MainDialog::mainPageJob() {
    if (ui->stackedWidgetBase->currentIndex() != PageMain)
        return;
    if (m_nMainCount > 5) {
        m_nMainCount = 0;
        labelWirelessShow();
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
        if (g_pData)
            g_pData->m_bWifiRefresh = true;
    } else {
        ++m_nWifiCount;
    }
}

// ---- status bar ------------------------------------------------------------------------

void MainDialog::labelWirelessShow() {
    const QString icon = g_pData ? wifiIconFor(g_pData->m_iRssi) : QString();
    ui->labelMainSignal->setPixmap(icon.isEmpty() ? QPixmap() : QPixmap(icon));
}

void MainDialog::labelTimeShow() {
    if (!g_pData || !g_pData->m_bTimeSynced)
        return;
    const QString text = g_pData->getLocalTime().toString("yyyy-MM-dd hh:mm");
    ui->labelTime->setText(text);
    ui->labelTimeZoneTimeValue->setText(text);
}

void MainDialog::labelBatteryShow() {
    if (!g_pData)
        return;
    const int percent = g_pData->getBatteryPercent();
    const bool charging = g_pData->getUSBPresentState() != 0;
    m_nBatteryLevel = batteryLevelFor(percent, charging, m_nBatteryLevel);
    if (m_lowBattery.update(percent, charging)) {
        MsgDialog dlg;
        dlg.Init("Low Battery", "20% battery remaining", "", "OK", "");
        dlg.exec();
    }
    ui->labelBattery->setPixmap(QPixmap(batteryIconFor(m_nBatteryLevel)));
}

void MainDialog::labelReferralInit() {
    if (!g_pData)
        return;
    // Criterion code -> name and its mark; another code leaves the labels as they are.
    static const struct {
        const char* name;
        const char* mark;
    } criteria[] = {{"Arnold", ":/png/history/1@2x.png"},
                    {"Matta", ":/png/history/2@2x.png"},
                    {"Arthur2", ":/png/history/3@2x.png"}};
    const int c = g_pData->m_nReferralCriteria;
    if (c < 0 || c > 2)
        return;
    ui->labelReferral->setText(criteria[c].name);
    ui->labelReferralIndex->setPixmap(QPixmap(criteria[c].mark));
}

// ---- Wi-Fi page table --------------------------------------------------------------------

void MainDialog::tableViewWIFIInit() {
    m_pWifiModel = new QStandardItemModel(0, 8, this);
    m_pWifiModel->setHorizontalHeaderLabels({"status", "ssid", "mode", "signal", "information",
                                             "statusnumber", "modenumber", "informationnumber"});
    QTableView* t = ui->tableViewWireless;
    t->setModel(m_pWifiModel);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setShowGrid(false);
    t->verticalHeader()->setDefaultSectionSize(50);
    t->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft);
    t->setIconSize(QSize(40, 40));
    t->verticalScrollBar()->setStyleSheet(
        "QScrollBar:vertical { background: #1E1E1E; width: 16px; }"
        "QScrollBar::handle:vertical { background: #313035; border-radius: 3px; min-height: 80px; "
        "}");
    tableViewWIFIShow();
}

void MainDialog::tableViewWIFIShow() {
    m_pWifiModel->removeRows(0, m_pWifiModel->rowCount());
    if (g_pData) {
        const GData::WifiView v = g_pData->wifiView();
        for (int i = 0; i < v.ssids.size(); ++i) {
            const bool connected = v.ssids[i] == v.connected;
            const bool secured = isSecured(v.flags.value(i));
            const bool saved = v.saved.contains(v.ssids[i]);
            static const char* const bars[] = {":/pic/wifi_sig0.jpg", ":/pic/wifi_sig1.jpg",
                                               ":/pic/wifi_sig2.jpg", ":/pic/wifi_sig3.jpg"};
            QList<QStandardItem*> row;
            row << (connected ? new QStandardItem(QIcon(":/pic/wifi_select.jpg"), "")
                              : new QStandardItem());
            row << new QStandardItem(v.ssids[i]);
            row << (secured ? new QStandardItem(QIcon(":/pic/wifi_lock.jpg"), "")
                            : new QStandardItem());
            row << new QStandardItem(QIcon(bars[signalBars(v.levels.value(i).toInt())]), "");
            row << new QStandardItem() << new QStandardItem(connected ? "1" : "0")
                << new QStandardItem(secured ? "1" : "0") << new QStandardItem(saved ? "1" : "0");
            m_pWifiModel->appendRow(row);
        }
    }
    const int widths[] = {125, 425, 100, 100, 0, 0, 0, 0};
    for (int c = 0; c < 8; ++c) {
        ui->tableViewWireless->setColumnWidth(c, widths[c]);
        ui->tableViewWireless->setColumnHidden(c, widths[c] == 0);
    }
}

void MainDialog::device_thread_slot(QString) {
    if (ui->stackedWidgetBase->currentIndex() == PageWifi)
        tableViewWIFIShow();
}

// ---- navigation --------------------------------------------------------------------------

void MainDialog::showNoMenu(int page) {
    ui->stackedWidgetMain->setCurrentIndex(1);
    ui->stackedWidgetNoMenu->setCurrentIndex(page);
}

void MainDialog::on_buttonSetup_clicked() {
    showNoMenu(PageSetup);
}
void MainDialog::on_buttonHistory_clicked() {
    showNoMenu(PageHistory);
}

void MainDialog::on_buttonHome_clicked() {
    pageMainInfoInputInit();
    ui->stackedWidgetMain->setCurrentIndex(0);
    ui->stackedWidgetWithMenu->setCurrentIndex(0);
}

void MainDialog::on_buttonSetupReturn_clicked() {
    ui->stackedWidgetMain->setCurrentIndex(0);
}
void MainDialog::on_buttonHistoryReturn_clicked() {
    ui->stackedWidgetMain->setCurrentIndex(0);
}
void MainDialog::on_buttonUserDetailReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageHistory);
}
void MainDialog::on_buttonParamReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonCountryReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonMachineIDReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonSleepTimeReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonTimeZoneReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonLanguageReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}
void MainDialog::on_buttonReferralReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageSetup);
}

void MainDialog::on_buttonWIFI_clicked() {
    ui->stackedWidgetBase->setCurrentIndex(PageWifi);
    if (g_pData)
        g_pData->m_bWifiRefresh = true;
}
void MainDialog::on_buttonWIFI_2_clicked() {
    on_buttonWIFI_clicked();
}
void MainDialog::on_buttonReturn_clicked() {
    ui->stackedWidgetBase->setCurrentIndex(PageMain);
}

void MainDialog::on_buttonReferral_clicked() {
    showNoMenu(PageReferral);
    const int c = g_pData ? g_pData->m_nReferralCriteria : 0;
    ui->stackedWidgetReferral->setCurrentIndex(c == 1 ? 0 : c == 0 ? 2 : 1);
}
void MainDialog::on_buttonReferral_2_clicked() {
    on_buttonReferral_clicked();
}

void MainDialog::on_buttonParam_clicked() {
    if (g_pData && g_pData->m_pCamCfg) {
        ui->valueParamPitch->setText(g_pData->m_pCamCfg->m_strValue[CamCfg::PitchOffset]);
        ui->valueParamDistance->setText(g_pData->m_pCamCfg->m_strValue[CamCfg::DistanceOffset]);
    }
    showNoMenu(PageParam);
}
void MainDialog::on_buttonParam_2_clicked() {
    on_buttonParam_clicked();
}
void MainDialog::on_buttonSleepTime_clicked() {
    showNoMenu(PageSleepTime);
}
void MainDialog::on_buttonSleepTime_2_clicked() {
    on_buttonSleepTime_clicked();
}
void MainDialog::on_buttonZone_clicked() {
    showNoMenu(PageTimeZone);
}
void MainDialog::on_buttonZone_2_clicked() {
    on_buttonZone_clicked();
}
void MainDialog::on_buttonCountry_clicked() {
    showNoMenu(PageCountry);
}
void MainDialog::on_buttonCountry_2_clicked() {
    on_buttonCountry_clicked();
}
void MainDialog::on_buttonMachineID_clicked() {
    showNoMenu(PageMachineID);
}
void MainDialog::on_buttonMachineID_2_clicked() {
    on_buttonMachineID_clicked();
}

// Power off from the main menu, after asking.
void MainDialog::on_buttonReboot_clicked() {
    MsgDialog ask;
    ask.Init("Power Off", "", "Yes", "", "No");
    ask.exec();
    if (ask.result != 0 || !g_pData)
        return;
    g_pData->FlashOff();
    if (g_pCmdUtil)
        g_pCmdUtil->poweroff();
}

// Factory reset: the settings go back to their defaults; history, Wi-Fi and the sensor
// calibration stay.
void MainDialog::on_buttonFactory_clicked() {
    MsgDialog ask;
    ask.Init("Restore", "", "Yes", "", "No");
    ask.exec();
    if (ask.result != 0 || !g_pData || !g_pData->m_pCamCfg)
        return;
    g_pData->m_pCamCfg->resetDefaultCFG();
    g_pData->m_pCamCfg->dogenCurrentCFG();
    g_pData->m_pCamCfg->saveCFG2File();
    g_pData->InitConfigParameter();
    labelReferralInit();
}
void MainDialog::on_buttonFactory_2_clicked() {
    on_buttonFactory_clicked();
}

// System update: check, ask, download, reboot.
void MainDialog::on_buttonUpdate_clicked() {
    UploadDlg check;
    check.mode = UploadDlg::VersionCheck;
    check.exec();
    qDebug("VERSION CHECK result: %d", check.checkResult);
    if (check.checkResult < 0) {
        notice("Version Check Failed!");
        return;
    }
    if (check.checkResult == 0) {
        notice("No New Version!");
        return;
    }
    MsgDialog ask;
    ask.Init("System Update", "", "Yes", "", "No");
    ask.exec();
    if (ask.result != 0)
        return;
    UploadDlg download;
    download.mode = UploadDlg::Download;
    download.exec();
    if (!download.success) {
        notice("System Update Failed!");
        return;
    }
    notice("System Update Success!");
    if (g_pCmdUtil)
        g_pCmdUtil->reboot();
}
void MainDialog::on_buttonUpdate_2_clicked() {
    on_buttonUpdate_clicked();
}

// ---- events ------------------------------------------------------------------------------

bool MainDialog::openKeyboardFor(QObject* target) {
    if (target == ui->editName || target == ui->editSearch || target == ui->editPrinterID) {
        auto* edit = static_cast<QLineEdit*>(target);
        if (edit == ui->editName && edit->text() == kNamePlaceholder) {
            edit->setText("");
            edit->setStyleSheet(kEditTyping);
        }
        if (edit == ui->editPrinterID && edit->text() == kPrinterPlaceholder) {
            edit->setText("");
            edit->setStyleSheet(
                "color:rgb(136, 138, 133); background-color: rgb(24, 24, 24);border-radius:8px; "
                "font-size: 24pt");
        }
        KeypadDlg keypad;
        keypad.m_pLineEdit = edit;
        keypad.move(0, 350);
        keypad.exec();
        if (edit == ui->editPrinterID && g_pData && g_pData->m_pCamCfg) {
            g_pData->m_pCamCfg->m_strValue[CamCfg::PrinterId] = edit->text().trimmed();
            g_pData->m_pCamCfg->dogenCurrentCFG();
            g_pData->m_pCamCfg->saveCFG2File();
        }
        return true;
    }
    if (target == ui->editDate) {
        if (ui->editDate->text() == kDatePlaceholder) {
            ui->editDate->setText(kDateTemplate);
            ui->editDate->setStyleSheet(kEditTyping);
        }
        NumKeypadDlg keypad;
        keypad.m_pLineEdit = ui->editDate;
        keypad.m_nLength = 10;
        keypad.move(240, 440);
        keypad.exec();
        const QDate date = QDate::fromString(ui->editDate->text(), "yyyy-MM-dd");
        if (g_pData)
            g_pData->m_dateBirth = date;
        if (!date.isValid()) {
            MsgDialog dlg;
            dlg.Init("Error", "Date is not valid!", "", "OK", "");
            dlg.exec();
        }
        return true;
    }
    return false;
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && g_pData) {
        if (g_pData->m_bTimeSynced)
            m_tLastActivity = now();
        if (!g_pData->m_bScreenOn) {
            g_pData->screenOn();
            return true; // the touch that wakes the screen does nothing else
        }
        if (openKeyboardFor(watched))
            return true;
    }
    if (watched == this && event->type() == QEvent::Show) {
        qDebug("QEvent::Show");
        labelReferralInit();
    }
    return QDialog::eventFilter(watched, event);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_PowerDown || !g_pData)
        return; // every other key, Escape included, does nothing
    if (g_pData->m_bTimeSynced)
        m_tLastActivity = now();
    if (!g_pData->m_bScreenOn)
        g_pData->screenOn();
}

void MainDialog::keyReleaseEvent(QKeyEvent*) {}
