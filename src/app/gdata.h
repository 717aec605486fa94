// GData: the composition root. main makes it; it builds and owns the services of the
// subsystems, wires what one needs from another, and keeps the device's operation names
// as one-line forwarders, since those are the names people trace behaviour by. It holds no
// state of its own: each service owns its data and its locks (docs/architecture.md).
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>

#include "capture/capture_session.h"
#include "core/common.h"
#include "core/settings.h"
#include "net/http_client.h"
#include "output/output_service.h"
#include "screening/screening_session.h"
#include "sensors/power.h"
#include "sensors/sensor_hub.h"
#include "system/clock_service.h"
#include "system/cmdutil.h"
#include "system/firmware_service.h"
#include "system/wifi_service.h"

class GData : public QObject {
    Q_OBJECT
public:
    // The board's commands go through `commands` when given (tests hand their own), else
    // through a command layer of GData's own.
    explicit GData(CmdUtil* commands = nullptr, QObject* parent = nullptr);
    ~GData() override;

    // ---- start-up --------------------------------------------------------------------------
    // Folder of the executable, where the settings and history live; a test may point it
    // elsewhere before Init.
    void setAppDir(const QString& dir);
    QString appDir() const { return m_appDir; }
    void Init();
    void InitData();
    void InitCommonAndConfig();
    // Hands the stored values to the services that keep them, the calibration store's
    // offsets winning over the settings file's.
    void InitConfigParameter();

    // ---- the services ------------------------------------------------------------------------
    Settings& settings() { return m_settings; }
    CaptureSession& capture() { return m_capture; }
    SensorHub& sensors() { return m_sensors; }
    PowerService& power() { return m_power; }
    ScreeningSession& screening() { return m_screening; }
    OutputService& output() { return m_output; }
    WifiService& wifi() { return m_wifi; }
    ClockService& clock() { return m_clock; }
    FirmwareService& firmware() { return m_firmware; }
    CmdUtil& commands() { return *m_commands; }
    common& identity() { return m_identity; }
    HttpClient& http() { return m_http; }

    // ---- the device's operations ----------------------------------------------------------------
    QDateTime getLocalTime() const;
    bool timeSynced() const { return m_clock.timeSynced(); }

    bool V4l2DeviceOpen() { return m_capture.V4l2DeviceOpen(); }
    void V4l2DeviceClose() { m_capture.V4l2DeviceClose(); }
    bool AVIFileOpen() { return m_capture.AVIFileOpen(); }
    void H264Emptyqueue() { m_capture.H264Emptyqueue(); }
    void FlashOn() { m_capture.FlashOn(); }
    void FlashOff() { m_capture.FlashOff(); }

    int getDistance() { return m_sensors.getDistance(); }
    int getDOF() { return m_sensors.getDOF(); }
    bool backupSensorCalibrationData() { return m_sensors.backupSensorCalibrationData(); }
    int getUSBPresentState() { return m_power.getUSBPresentState(); }
    int getBatteryPercent() { return m_power.getBatteryPercent(); }
    int screenOff() { return m_power.screenOff(); }
    int screenOn() { return m_power.screenOn(); }

    int getMonthofAge() const { return m_screening.getMonthofAge(); }
    int calculateReferral() const { return m_screening.calculateReferral(); }
    int uploadAVIFile() { return m_screening.uploadAVIFile(); }
    bool saveTestResult() { return m_screening.saveTestResult(); }
    QString readTestResult() { return m_screening.readTestResult(); }
    bool saveDeleteResult(const QString& text) { return m_screening.saveDeleteResult(text); }

    QString httpPrintResult() { return m_output.httpPrintResult(); }
    QString httpPrintTestpage() { return m_output.httpPrintTestpage(); }
    QString smtpSendReport() { return m_output.smtpSendReport(); }

    QString getWIFIInfo() { return m_wifi.getWIFIInfo(); }
    bool addWIFI(const QString& ssid, const QString& psk) { return m_wifi.addWIFI(ssid, psk); }
    bool switchWIFI(const QString& ssid) { return m_wifi.switchWIFI(ssid); }
    bool deleteWIFI(const QString& ssid) { return m_wifi.deleteWIFI(ssid); }

    bool updateTimeFromeWeb() { return m_clock.updateTimeFromeWeb(); }
    // The Wi-Fi worker's delivery step: while connected, the oldest waiting screening goes to
    // the analysis; after a failure the next try waits longer (5 s doubling to 5 min).
    void deliveryStep();
    int versionListGet() { return m_firmware.versionListGet(); }
    int versionCheck() { return m_firmware.versionCheck(); }
    int versionCheck(const QString& file) { return m_firmware.versionCheck(file); }
    bool versionDownlod() { return m_firmware.versionDownlod(); }
    void versionDelete() { m_firmware.versionDelete(); }
    void cfgFileDelete() { m_firmware.cfgFileDelete(); }

    QString poweroff() { return m_commands->poweroff(); }
    QString reboot() { return m_commands->reboot(); }

private:
    void settingChanged(CamCfg::Value index);

    QString m_appDir;
    std::unique_ptr<CmdUtil> m_ownCommands;
    CmdUtil* m_commands;
    Settings m_settings;
    common m_identity;
    HttpClient m_http;
    CaptureSession m_capture;
    SensorHub m_sensors;
    PowerService m_power;
    ScreeningSession m_screening;
    OutputService m_output;
    WifiService m_wifi;
    qint64 m_nextDeliveryMs = 0; // the worker's
    int m_deliveryBackoffS = 0;
    ClockService m_clock;
    FirmwareService m_firmware;
};
