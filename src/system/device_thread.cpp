#include "system/device_thread.h"

#include "app/gdata.h"

DeviceThread::DeviceThread(GData* data, QObject* parent) : QThread(parent), m_pData(data) {}

void DeviceThread::run() {
    while (!isInterruptionRequested()) {
        // No supplicant work while the camera is in use.
        if (m_pData->m_nCameraState != 0) {
            msleep(100);
            continue;
        }
        do {
            if (m_pData->m_bWifiRefresh.exchange(false)) {
                const QString info = m_pData->getWIFIInfo();
                if (!info.isEmpty()) {
                    emit device_thread_signal(info);
                    msleep(1000);
                }
            }
            m_pData->getRSSI();
            m_pData->timerInternetTime();
            m_pData->timerVersionCheck();
            msleep(1000);
        } while (m_pData->m_nCameraState == 0 && !isInterruptionRequested());
    }
}
