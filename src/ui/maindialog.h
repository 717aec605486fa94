// The device's only window: a frameless 1024 x 600 panel of pages.
#pragma once

#include <QDialog>

class QLabel;
class CameraThread;
class VideoThread;
class HWThread;
class DeviceThread;

class MainDialog : public QDialog {
    Q_OBJECT
public:
    explicit MainDialog(QWidget* parent = nullptr);

private:
    void startWorkers();

    QLabel* labelVersion = nullptr;
    CameraThread* m_pCameraThread = nullptr;
    VideoThread* m_pVideoThread = nullptr;
    DeviceThread* m_pDeviceThread = nullptr;
    HWThread* m_pHWThread = nullptr;
};
