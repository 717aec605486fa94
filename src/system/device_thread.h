// The Wi-Fi worker: while the camera is idle, about once a second it refreshes the Wi-Fi
// picture on request, polls the connection and the signal, and takes the network-time,
// update-check and delivery steps (the outbox's screenings waiting for the analysis). Everything
// here that waits for a child process or a server runs on this thread, never on the GUI's.
#pragma once

#include <QThread>

#include <functional>

class WifiService;
class ClockService;
class FirmwareService;

class DeviceThread : public QThread {
    Q_OBJECT
public:
    // `cameraIdle` says whether the camera is idle (no supplicant work while it is in use).
    DeviceThread(WifiService& wifi, ClockService& clock, FirmwareService& firmware,
                 std::function<bool()> cameraIdle, std::function<void()> deliveryStep,
                 QObject* parent = nullptr);

signals:
    void device_thread_signal(QString info); // a refreshed Wi-Fi picture

protected:
    void run() override;

private:
    WifiService& m_wifi;
    ClockService& m_clock;
    FirmwareService& m_firmware;
    std::function<bool()> m_cameraIdle;
    std::function<void()> m_deliveryStep;
};
