#include "ui/maindialog.h"

#include "app/gdata.h"
#include "capture/capture_threads.h"
#include "sensors/hw_thread.h"
#include "system/device_thread.h"

#include <QLabel>
#include <QVBoxLayout>

MainDialog::MainDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("MainDialog");
    setWindowFlags(Qt::FramelessWindowHint);
    setFixedSize(1024, 600);
    setStyleSheet("QDialog#MainDialog { background-color: rgb(18, 24, 32); }"
                  "QLabel { color: rgb(230, 236, 240); }");

    auto* pageStart = new QWidget(this);
    pageStart->setObjectName("pageStart");
    pageStart->setGeometry(0, 0, 1024, 600);
    auto* title = new QLabel("vistrel", pageStart);
    title->setObjectName("labelTitle");
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet("color: rgb(50, 227, 233); font-size: 64px;");
    title->setGeometry(0, 220, 1024, 100);
    labelVersion = new QLabel(g_pData ? g_pData->m_strVersion : QString(), pageStart);
    labelVersion->setObjectName("labelVersion");
    labelVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labelVersion->setStyleSheet("font-size: 18px;");
    labelVersion->setGeometry(704, 550, 300, 40);

    startWorkers();
}

// The worker threads run for the life of the process, camera first.
void MainDialog::startWorkers() {
    if (!g_pData)
        return;
    m_pCameraThread = new CameraThread(g_pData, this);
    m_pVideoThread = new VideoThread(g_pData, this);
    m_pDeviceThread = new DeviceThread(g_pData, this);
    m_pHWThread = new HWThread(g_pData, this);
    m_pCameraThread->start();
    m_pVideoThread->start();
    m_pDeviceThread->start();
    m_pHWThread->start();
}
