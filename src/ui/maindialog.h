// The device's only window: a frameless 1024 x 600 panel of nested page stacks, its status
// bar, the 200 ms master tick and its jobs, inactivity handling, the power key and the
// on-screen keyboards for the line edits.
//
// One file per screen defines the slots (slot names connect by name through the form):
//   maindialog.cpp            shell: construction, master tick, navigation, status bar, events
//   maindialog_screening.cpp  input, camera and result pages
//   maindialog_history.cpp    history list and detail
//   maindialog_settings.cpp   setup pages, machine identity, update
//   maindialog_wifi.cpp       Wi-Fi page
#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

#include "ui/history_list.h"
#include "ui/status_bar.h"

class GData;
class QModelIndex;
class QStandardItem;
class QLineEdit;
class QStandardItemModel;
class QTimer;
class CameraThread;
class VideoThread;
class DeviceThread;
class HWThread;

namespace Ui {
class MainDialog;
}

class MainDialog : public QDialog {
    Q_OBJECT
public:
    // Pages of the stacks.
    enum BasePage { PageStart = 0, PageMain = 1, PageWifi = 2, PageCamera = 3 };
    enum NoMenuPage {
        PageSetup = 0,
        PageHistory = 1,
        PageParam = 2,
        PageReferral = 3,
        PageUserDetail = 4,
        PageTimeZone = 5,
        PageSleepTime = 6,
        PageMachineID = 7,
        PageCountry = 8
    };

    // The window works on `data` for its whole life; `data` must outlive it.
    explicit MainDialog(GData& data, QWidget* parent = nullptr, bool startWorkers = true);
    ~MainDialog() override;

    Ui::MainDialog* ui;
    GData& data() const { return m_data; }

    // State of the timer jobs and inactivity handling.
    qint64 m_tLastActivity = 0; // seconds; 0 not yet taken
    int m_nStartCount = 0;
    int m_nMainCount = 0;
    int m_nWifiCount = 0;
    int m_nBatteryLevel = 5;
    LowBatteryWarning m_lowBattery;

    void labelWirelessShow();
    void labelTimeShow();
    void labelBatteryShow();
    void labelReferralInit();
    void pageTimeZoneInit();
    void labelTimeoutSettingShow();
    void pageCountryInit();
    void pageMachineIDShow();
    void labelMachineIDShow();
    void tableViewWIFIInit();
    void tableViewWIFIShow();
    void pageMainInfoInputInit();
    void pageCameraInit();
    void timerPageCamera();
    void autoStartCamera();
    void beginTakePhoto();
    void pageResultShow();
    void pageSearchInit();
    void pageUserDetailInit();
    HistoryTicks m_historyTicks; // the list's row ticks and select-all box
    int m_nPreviewsShown = 0;
    qint64 m_nMaxTickGapMs = 0; // longest wait between two master ticks (diagnostics)

    // The 200 ms master tick (connected by pointer: it names no widget).
    void on_timer();

public slots:
    void device_thread_slot(QString info);
    void camera_thread_slot(int code);
    void video_thread_slot(int code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private slots:
    void on_buttonSetup_clicked();
    void on_buttonHistory_clicked();
    void on_buttonHome_clicked();
    void on_buttonSetupReturn_clicked();
    void on_buttonHistoryReturn_clicked();
    void on_buttonUserDetailReturn_clicked();
    void on_buttonParamReturn_clicked();
    void on_buttonCountryReturn_clicked();
    void on_buttonMachineIDReturn_clicked();
    void on_buttonSleepTimeReturn_clicked();
    void on_buttonTimeZoneReturn_clicked();
    void on_buttonLanguageReturn_clicked();
    void on_buttonReferralReturn_clicked();
    void on_buttonWIFI_clicked();
    void on_buttonWIFI_2_clicked();
    void on_tableViewWireless_clicked(const QModelIndex& index);
    void on_buttonReturn_clicked();
    void on_buttonReferral_clicked();
    void on_buttonReferral_2_clicked();
    void on_buttonParam_clicked();
    void on_buttonParam_2_clicked();
    void on_buttonSleepTime_clicked();
    void on_buttonSleepTime_2_clicked();
    void on_buttonZone_clicked();
    void on_buttonZone_2_clicked();
    void on_buttonCountry_clicked();
    void on_buttonCountry_2_clicked();
    void on_buttonMachineID_clicked();
    void on_buttonMachineID_2_clicked();
    void on_buttonCamera_clicked();
    void on_buttonMale_clicked();
    void on_buttonFemale_clicked();
    void on_buttonPhoto_clicked();
    void on_buttonFlash_clicked();
    void on_buttonFocusAuto_clicked();
    void on_buttonCameraReturn_clicked();
    void on_buttonPrintResult_clicked();
    void on_buttonSearch_clicked();
    void on_tableViewSearchResult_clicked(const QModelIndex& index);
    void on_buttonSelectAll_clicked();
    void on_buttonSelectAll2_clicked();
    void on_buttonHistoryDelete_clicked();
    void on_buttonHistoryPhoto_clicked();
    void on_buttonHistoryExport_clicked();
    void on_buttonReboot_clicked();
    void on_buttonFactory_clicked();
    void on_buttonFactory_2_clicked();
    void on_buttonUpdate_clicked();
    void on_buttonUpdate_2_clicked();
    void on_buttonMattaMatta_clicked();
    void on_buttonMattaArthur2_clicked();
    void on_buttonMattaArnold_clicked();
    void on_buttonArthur2Matta_clicked();
    void on_buttonArthur2Arthur2_clicked();
    void on_buttonArthur2Arnold_clicked();
    void on_buttonArnoldMatta_clicked();
    void on_buttonArnoldArthur2_clicked();
    void on_buttonArnoldArnold_clicked();
    void on_buttonTimeZone_clicked();
    void on_buttonClockScreen_clicked();
    void on_buttonClockShutdown_clicked();
    void on_buttonSelectUS_clicked();
    void on_buttonSelectUS2_clicked();
    void on_buttonSelectIndia_clicked();
    void on_buttonSelectIndia2_clicked();
    void on_buttonSelectChina_clicked();
    void on_buttonSelectChina2_clicked();
    void on_buttonSelectPhilippines_clicked();
    void on_buttonSelectPhilippines2_clicked();
    void on_buttonParamPitchPlus_clicked();
    void on_buttonParamPitchSub_clicked();
    void on_buttonParamDistancePlus_clicked();
    void on_buttonParamDistanceSub_clicked();
    void on_buttonPrintTestpage_clicked();
    void on_buttonCamera_pressed() {}
    void on_buttonCamera_released() {}
    void on_buttonHistory_pressed() {}
    void on_buttonHistory_released() {}
    void on_buttonHome_pressed() {}
    void on_buttonHome_released() {}
    void on_buttonSetup_pressed() {}
    void on_buttonSetup_released() {}

private:
    void startPageJob();
    void timerShutdown();
    void mainPageJob();
    void wifiPageJob();
    void showNoMenu(int page);
    void startWorkerThreads();
    void stopWorkerThreads();
    bool openKeyboardFor(QObject* target);
    void openTextKeyboard(QLineEdit* edit);
    void openDateKeypad();
    void printerIdEntered();
    void chooseReferral(int code);
    void chooseRegion(int region);
    void chooseTimeout(bool screen, int y);
    void stepCalibration(bool pitch, int step);
    void saveSetting(int index, const QString& value);
    qint64 now() const;
    void notice(const QString& text);
    void errorMessage(const QString& text);
    bool brightnessOk() const;
    void showSex(bool male);
    void setReady(bool ready);
    QList<class QLabel*> accentLines() const;
    void setCameraButtonsEnabled(bool enabled);
    void switchFlashOff();
    void showTick(int row, bool ticked);
    void showSelectAll();
    void openUserDetail(int row);
    QStringList tickedKeys(int* lastRow = nullptr) const;
    void openCameraFor(const QString& name, bool male, const QDate& birth);
    void openCamera();
    void joinSecured(const QString& ssid);
    void joinOpen(const QString& ssid);
    void offerSaved(const QString& ssid);
    void openVersionDialog();
    void wifiDone(bool ok, const QString& failure);
    void printReceipt(int mode);

    GData& m_data;
    QTimer* m_pTimer = nullptr;
    qint64 m_nLastTickMs = 0;
    QStandardItemModel* m_pWifiModel = nullptr;
    QStandardItemModel* m_pSearchModel = nullptr; // the history list, made on first use
    QStandardItemModel* m_pDetailModel = nullptr; // one child's screenings, made on first use
    CameraThread* m_pCameraThread = nullptr;
    VideoThread* m_pVideoThread = nullptr;
    DeviceThread* m_pDeviceThread = nullptr;
    HWThread* m_pHWThread = nullptr;
};
