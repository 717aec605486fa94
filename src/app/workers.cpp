#include "app/workers.h"

#include "app/gdata.h"
#include "capture/capture_session.h"
#include "capture/capture_threads.h"
#include "screening/screening_session.h"
#include "sensors/hw_thread.h"
#include "system/device_thread.h"
#include "system/wifi_service.h"

Workers::Workers(GData& data, QObject* parent) : QObject(parent) {
    CaptureSession& capture = data.capture();
    ScreeningSession& screening = data.screening();
    WifiService& wifi = data.wifi();
    m_camera = std::make_unique<CameraThread>(capture);
    m_video = std::make_unique<VideoThread>(capture);
    m_device = std::make_unique<DeviceThread>(
        wifi, data.clock(), data.firmware(),
        [&capture] { return capture.state() == CameraState::Idle; },
        [&screening, &wifi] { screening.deliveryStep(wifi.connected()); });
    m_sensors = std::make_unique<HWThread>(
        data.sensors(), [&capture] { return capture.state() == CameraState::Preview; });
    // Each worker says on its own thread, once its run has returned, that it has ended: the
    // stop reads that, so everything a worker did comes before what the caller does next,
    // in a way the thread sanitizer can see too (Qt's own wait uses a futex).
    const QThread* threads[] = {m_camera.get(), m_video.get(), m_device.get(), m_sensors.get()};
    for (size_t i = 0; i < std::size(threads); ++i)
        connect(
            threads[i], &QThread::finished, this,
            [this, i] { m_ended[i].store(true, std::memory_order_release); }, Qt::DirectConnection);
}

Workers::~Workers() {
    stop();
}

void Workers::start() {
    if (m_started)
        return;
    m_started = true;
    m_camera->start();
    m_video->start();
    m_device->start();
    m_sensors->start();
}

void Workers::stop() {
    if (!m_started || m_stopped)
        return;
    m_stopped = true;
    QThread* threads[] = {m_camera.get(), m_video.get(), m_device.get(), m_sensors.get()};
    for (QThread* t : threads)
        t->requestInterruption();
    for (QThread* t : threads)
        t->wait();
    for (std::atomic<bool>& ended : m_ended)
        while (!ended.load(std::memory_order_acquire))
            QThread::yieldCurrentThread();
}
