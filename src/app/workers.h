// The application's worker threads, started and stopped by the application, each handed
// the services it works on: the frame pump and the recording sequencer (capture), the
// Wi-Fi worker (connection, network time, update check, the outbox's deliveries) and the
// sensor poller. The window only connects to their signals.
#pragma once

#include <QObject>

#include <atomic>
#include <memory>

class GData;
class CameraThread;
class VideoThread;
class DeviceThread;
class HWThread;

class Workers : public QObject {
    Q_OBJECT
public:
    explicit Workers(GData& data, QObject* parent = nullptr);
    // Stops them first.
    ~Workers() override;

    CameraThread& camera() { return *m_camera; }
    VideoThread& video() { return *m_video; }
    DeviceThread& device() { return *m_device; }

    // Camera first. Once only.
    void start();
    // Asks each to end and waits for them; once more does nothing.
    void stop();

private:
    std::unique_ptr<CameraThread> m_camera;
    std::unique_ptr<VideoThread> m_video;
    std::unique_ptr<DeviceThread> m_device;
    std::unique_ptr<HWThread> m_sensors;
    bool m_started = false;
    bool m_stopped = false;
    std::atomic<bool> m_ended[4] = {}; // camera, video, device, sensor thread
};
