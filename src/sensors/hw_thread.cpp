#include "sensors/hw_thread.h"

#include "sensors/sensor_hub.h"

HWThread::HWThread(SensorHub& sensors, std::function<bool()> previewing, QObject* parent)
    : QThread(parent), m_sensors(sensors), m_previewing(std::move(previewing)) {}

void HWThread::run() {
    unsigned pass = 0;
    while (!isInterruptionRequested()) {
        if (!m_previewing()) {
            msleep(100);
            continue;
        }
        if (pass % 4 == 0)
            m_sensors.setDistance(m_sensors.getDistance());
        else
            m_sensors.setPitch(m_sensors.getDOF());
        ++pass;
        msleep(50);
    }
}
