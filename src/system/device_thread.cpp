#include "system/device_thread.h"

#include "system/clock_service.h"
#include "system/firmware_service.h"
#include "system/wifi_service.h"

DeviceThread::DeviceThread(WifiService& wifi, ClockService& clock, FirmwareService& firmware,
                           std::function<bool()> cameraIdle, std::function<void()> deliveryStep,
                           QObject* parent)
    : QThread(parent), m_wifi(wifi), m_clock(clock), m_firmware(firmware),
      m_cameraIdle(std::move(cameraIdle)), m_deliveryStep(std::move(deliveryStep)) {}

void DeviceThread::run() {
    while (!isInterruptionRequested()) {
        if (!m_cameraIdle()) {
            msleep(100);
            continue;
        }
        do {
            if (m_wifi.takeRefresh()) {
                const QString info = m_wifi.getWIFIInfo();
                if (!info.isEmpty()) {
                    emit device_thread_signal(info);
                    msleep(1000);
                }
            }
            m_wifi.pollConnection();
            m_wifi.getRSSI();
            m_clock.timerInternetTime();
            m_firmware.timerVersionCheck();
            if (m_deliveryStep && m_cameraIdle())
                m_deliveryStep();
            msleep(1000);
        } while (m_cameraIdle() && !isInterruptionRequested());
    }
}
