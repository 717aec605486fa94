// The Wi-Fi worker: while the camera is idle, about once a second it refreshes the Wi-Fi
// picture on request, polls the signal, and takes the network-time and update-check steps.
#pragma once

#include <QThread>

class GData;

class DeviceThread : public QThread {
    Q_OBJECT
public:
    explicit DeviceThread(GData* data, QObject* parent = nullptr);

signals:
    void device_thread_signal(QString info); // a refreshed Wi-Fi picture

protected:
    void run() override;

private:
    GData* m_pData;
};
