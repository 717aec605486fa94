// The sensor polling thread: while the camera previews, one pass in four reads the
// distance and three read the pitch, 50 ms apart; otherwise it idles.
#pragma once

#include <QThread>

#include <functional>

class SensorHub;

class HWThread : public QThread {
    Q_OBJECT
public:
    // `previewing` says whether the camera previews (the only time the readings matter).
    HWThread(SensorHub& sensors, std::function<bool()> previewing, QObject* parent = nullptr);

protected:
    void run() override;

private:
    SensorHub& m_sensors;
    std::function<bool()> m_previewing;
};
