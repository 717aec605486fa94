// GData: the composition root. main makes it; it builds and owns the services of the
// subsystems, wires what one needs from another and hands them out. Callers use the
// services, where the device's operation names live (uploadAVIFile on the screening
// session, versionCheck on the firmware service, ...). It holds no state of its own and
// forwards nothing (docs/architecture.md).
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class CaptureSession;
class ClockService;
class CmdUtil;
class FirmwareService;
class HttpClient;
class OutputService;
class PowerService;
class ScreeningSession;
class SensorHub;
class Settings;
class WifiService;
class common;

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
    Settings& settings() { return *m_settings; }
    CaptureSession& capture() { return *m_capture; }
    SensorHub& sensors() { return *m_sensors; }
    PowerService& power() { return *m_power; }
    ScreeningSession& screening() { return *m_screening; }
    OutputService& output() { return *m_output; }
    WifiService& wifi() { return *m_wifi; }
    ClockService& clock() { return *m_clock; }
    FirmwareService& firmware() { return *m_firmware; }
    CmdUtil& commands() { return *m_commands; }
    common& identity() { return *m_identity; }
    HttpClient& http() { return *m_http; }

private:
    void settingChanged(int index);

    QString m_appDir;
    std::unique_ptr<CmdUtil> m_ownCommands;
    CmdUtil* m_commands;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<common> m_identity;
    std::unique_ptr<HttpClient> m_http;
    std::unique_ptr<CaptureSession> m_capture;
    std::unique_ptr<SensorHub> m_sensors;
    std::unique_ptr<PowerService> m_power;
    std::unique_ptr<ScreeningSession> m_screening;
    std::unique_ptr<OutputService> m_output;
    std::unique_ptr<WifiService> m_wifi;
    std::unique_ptr<ClockService> m_clock;
    std::unique_ptr<FirmwareService> m_firmware;
};
