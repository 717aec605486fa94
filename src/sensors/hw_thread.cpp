#include "sensors/hw_thread.h"

#include "app/gdata.h"

HWThread::HWThread(GData* data, QObject* parent) : QThread(parent), m_pData(data) {}

void HWThread::run() {
    unsigned pass = 0;
    while (!isInterruptionRequested()) {
        if (m_pData->m_nCameraState != 1) {
            msleep(100);
            continue;
        }
        if (pass % 4 == 0)
            m_pData->m_nDistance = m_pData->getDistance();
        else
            m_pData->m_nPitch = m_pData->getDOF();
        ++pass;
        msleep(50);
    }
}
