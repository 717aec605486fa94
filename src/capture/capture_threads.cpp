#include "capture/capture_threads.h"
#include "core/log.h"
#include "core/paths.h"

#include "capture/capture_session.h"
#include "capture/cedarxutil.h"
#include "capture/sysfile.h"
#include "platform/board.h"

#include <QDebug>

namespace {

qint64 nowSeconds() {
    return board::currentSecsSinceEpoch();
}

} // namespace

CameraThread::CameraThread(CaptureSession& capture, QObject* parent)
    : QThread(parent), m_capture(capture) {}

void CameraThread::run() {
    while (!isInterruptionRequested()) {
        const CameraState state = m_capture.state();
        if (state == CameraState::Idle || state == CameraState::Recorded) {
            msleep(100);
            continue;
        }
        // A failed pull already waited up to 2 s: look at the state again at once.
        if (!m_capture.V4l2DevicePullFrame())
            continue;
        pumpOneFrame();
        if (m_capture.state() == CameraState::Idle)
            msleep(100);
    }
}

void CameraThread::pumpOneFrame() {
    CaptureSession* d = &m_capture;
    if (d->state() == CameraState::Recording && d->frameTag() > 0 && d->frameTag() % 2 == 1) {
        if (d->RAW2H264() == 1)
            d->H264Enqueue();
    }
    // Conversion and announcement alternate every third frame: one image per six frames,
    // announced three frames after it was made.
    if (m_nFrameCount % 3 == 0) {
        if (m_bFinishFlag) {
            emit camera_thread_signal(0);
            m_bFinishFlag = false;
        } else if (d->previewEnabled()) {
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

VideoThread::VideoThread(CaptureSession& capture, QObject* parent)
    : QThread(parent), m_capture(capture) {}

bool VideoThread::pause(int ms) {
    msleep(static_cast<unsigned long>(ms));
    return !isInterruptionRequested();
}

void VideoThread::run() {
    CaptureSession* d = &m_capture;
    if (d->V4l2DeviceOpen()) {
        qCDebug(lcCapture, "Camera open succeed");
    } else {
        d->V4l2DeviceClose();
        qCWarning(lcCapture, "Camera open failed");
    }
    if (d->flashOn()) {
        d->setFlashOn(false);
        d->FlashOff();
    }
    bool startUp = true;
    if (d->AVIFileOpen()) {
        d->H264Emptyqueue();
        d->setState(CameraState::Recording);
    } else {
        // Without the start-up recording the sequencer still serves every later one, so a
        // passing fault at start cannot leave the device stuck in the recording state.
        qCWarning(lcCapture, "AVI File open failed");
        startUp = false;
    }
    while (!isInterruptionRequested()) {
        if (d->state() != CameraState::Recording) {
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
    CaptureSession* d = &m_capture;
    const qint64 t0 = nowSeconds();
    const int ledLoop = d->ledLoop();
    if (d->encoder())
        d->encoder()->StartH264CedarX();
    sysfileWrite(paths::kLedLoopParameter, QByteArray::number(ledLoop).constData());
    sysfileWrite(paths::kLedValueParameter, "2");
    d->markRecordStart(nowSeconds());

    if (ledLoop > 0) {
        const qint64 target = recordingFrames(ledLoop);
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
    if (d->encoder())
        d->encoder()->CloseCedarX();
    d->FlashOff();
    d->setState(CameraState::Recorded);
    msleep(500);
    d->H264Emptyqueue(); // late frames are discarded

    if (startUp)
        d->setState(CameraState::Idle);
    else
        emit video_thread_signal(0);
}
