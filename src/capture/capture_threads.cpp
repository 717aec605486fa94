#include "capture/capture_threads.h"
#include "core/paths.h"

#include "app/gdata.h"
#include "capture/cedarxutil.h"
#include "capture/sysfile.h"
#include "platform/board.h"

#include <QDebug>

namespace {

qint64 nowSeconds() {
    return board::currentSecsSinceEpoch();
}

} // namespace

CameraThread::CameraThread(GData* data, QObject* parent) : QThread(parent), m_pData(data) {}

void CameraThread::run() {
    while (!isInterruptionRequested()) {
        const int state = m_pData->m_nCameraState;
        if (state == 0 || state == 3) {
            msleep(100);
            continue;
        }
        // A failed pull already waited up to 2 s: look at the state again at once.
        if (!m_pData->V4l2DevicePullFrame())
            continue;
        pumpOneFrame();
        if (m_pData->m_nCameraState == 0)
            msleep(100);
    }
}

void CameraThread::pumpOneFrame() {
    GData* d = m_pData;
    if (d->m_nCameraState == 2 && d->m_nFrameTag > 0 && d->m_nFrameTag % 2 == 1) {
        if (d->RAW2H264() == 1)
            d->H264Enqueue();
    }
    // Conversion and announcement alternate every third frame: one image per six frames,
    // announced three frames after it was made.
    if (m_nFrameCount % 3 == 0) {
        if (m_bFinishFlag) {
            emit camera_thread_signal(0);
            m_bFinishFlag = false;
        } else if (d->m_bPreviewEnable) {
            d->RAW2IMG();
            m_bFinishFlag = true;
        }
    }
    ++m_nFrameCount;
    d->V4l2DevicePushFrame();
}

qint64 recordingFrames(int ledLoop) {
    return 18 * qint64(ledLoop); // the stored value may be anything: no int overflow
}

VideoThread::VideoThread(GData* data, QObject* parent) : QThread(parent), m_pData(data) {}

bool VideoThread::pause(int ms) {
    msleep(static_cast<unsigned long>(ms));
    return !isInterruptionRequested();
}

void VideoThread::run() {
    GData* d = m_pData;
    if (d->V4l2DeviceOpen()) {
        qDebug("Camera open succeed");
    } else {
        d->V4l2DeviceClose();
        qDebug("Camera open failed");
    }
    if (d->m_bFlashOn) {
        d->m_bFlashOn = false;
        d->FlashOff();
    }
    bool startUp = true;
    if (d->AVIFileOpen()) {
        d->m_nAutoStartCount = 0;
        d->H264Emptyqueue();
        d->m_nCameraState = 2;
    } else {
        // Without the start-up recording the sequencer still serves every later one, so a
        // passing fault at start cannot leave the device stuck in the recording state.
        qDebug("AVI File open failed");
        startUp = false;
    }
    while (!isInterruptionRequested()) {
        if (d->m_nCameraState != 2) {
            msleep(100);
            continue;
        }
        record(startUp);
        startUp = false;
        if (!pause(500))
            return;
    }
}

void VideoThread::record(bool startUp) {
    GData* d = m_pData;
    const qint64 t0 = nowSeconds();
    if (d->m_pCedarx)
        d->m_pCedarx->StartH264CedarX();
    sysfileWrite(paths::kLedLoopParameter, QByteArray::number(d->m_nLedLoop).constData());
    sysfileWrite(paths::kLedValueParameter, "2");
    d->m_tRecordStart = nowSeconds();

    if (d->m_nLedLoop > 0) {
        const qint64 target = recordingFrames(d->m_nLedLoop);
        qint64 count = 0;
        while (nowSeconds() - t0 <= 5 && !isInterruptionRequested()) {
            if (!d->H264Dequeue()) {
                msleep(10);
                continue;
            }
            d->AVIFileWrite();
            if (++count >= target)
                break;
        }
    }

    d->AVIFileClose();
    if (d->m_pCedarx)
        d->m_pCedarx->CloseCedarX();
    d->FlashOff();
    d->m_nCameraState = 3;
    msleep(500);
    d->H264Emptyqueue(); // late frames are discarded

    if (startUp)
        d->m_nCameraState = 0;
    else
        emit video_thread_signal(0);
}
