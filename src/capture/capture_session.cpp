#include "capture/capture_session.h"

#include "capture/avilib.h"
#include "capture/cedarxutil.h"
#include "capture/display_buffer.h"
#include "capture/preview_convert.h"
#include "capture/sysfile.h"
#include "capture/v4l2_device.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/board.h"

#include <QDebug>
#include <QFile>

#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

CaptureSession::CaptureSession() {
    OSAL_QueueCreate(&m_queueH264, 30);
}

CaptureSession::~CaptureSession() {
    // The process may end mid-recording: the file and the camera are given back first.
    AVIFileClose();
    V4l2DeviceClose();
    // Frames still queued when a recording never finished.
    while (auto* frame = static_cast<H264Frame*>(OSAL_Dequeue(&m_queueH264)))
        delete frame;
    OSAL_QueueTerminate(&m_queueH264);
}

void CaptureSession::allocateBuffers() {
    // One display buffer for the life of the session.
    if (!m_display.data())
        m_display.hwd_alloc_buffer(kCameraWidth, 2 * kCameraHeight);
    m_h264Storage.assign(size_t(kEncodeWidth) * size_t(kEncodeHeight) / 2, 0);
}

void CaptureSession::setCameraSettings(const CameraSettings& settings) {
    m_exposure = settings.exposure;
    m_gain = settings.gain;
    m_ledLoop = settings.ledLoop;
}

std::unique_ptr<H264Frame> H264Frame::copyOf(const unsigned char* bytes, int size, int key) {
    std::unique_ptr<H264Frame> frame(new (std::nothrow) H264Frame);
    if (!frame || size < 0)
        return nullptr;
    frame->data.reset(new (std::nothrow) unsigned char[size_t(size)]);
    if (!frame->data)
        return nullptr;
    std::memcpy(frame->data.get(), bytes, size_t(size));
    frame->size = size;
    frame->key = key;
    return frame;
}

bool CaptureSession::V4l2DeviceOpen() {
    if (m_cameraOpened)
        return true;
    m_device = std::make_unique<V4l2Device>(kCameraWidth, kCameraHeight);
    if (m_device->open_device() == 0) {
        m_device->set_exposure(m_exposure);
        m_device->set_gain(m_gain);
        if (m_device->start_capture() == 0) {
            m_encoder = std::make_unique<cedarxutil>(kEncodeWidth, kEncodeHeight, kEncodeWidth,
                                                     kEncodeHeight);
            m_encoder->setOutputCapacity(static_cast<int>(m_h264Storage.size()));
            m_cameraOpened = true;
            return true;
        }
    }
    qCWarning(lcCapture, "m_pV4l2Device open_device Error!");
    return false;
}

void CaptureSession::V4l2DeviceClose() {
    if (m_encoder)
        m_encoder->CloseCedarX();
    if (m_device) {
        m_device->stop_capture();
        m_device->close_device();
        m_device.reset();
    }
}

bool CaptureSession::V4l2DevicePullFrame() {
    if (!m_device)
        return false;
    void* vir = nullptr;
    void* phy = nullptr;
    const bool ok = m_device->pull_frame(&vir, &phy, &m_frameTag, &m_frameLen, true) == 0;
    if (ok) {
        m_frameVir = static_cast<unsigned char*>(vir);
        m_framePhy = static_cast<unsigned char*>(phy);
    } else if (m_device->gaveUp()) {
        m_cameraUnavailable = true;
    }
    return ok;
}

int CaptureSession::V4l2DevicePushFrame() {
    return m_device ? m_device->push_frame() : -1;
}

int CaptureSession::RAW2IMG() {
    // The GUI copies the image under the same lock; a frame that finds it busy is skipped.
    std::unique_lock<std::mutex> lock(m_previewLock, std::try_to_lock);
    if (!lock.owns_lock())
        return 0;
    m_previewBuf = m_display.data();
    return convert_raw_to_img_buffer_scale(
        m_frameVir, m_previewBuf, static_cast<unsigned>(kCameraWidth),
        static_cast<unsigned>(kCameraHeight), static_cast<unsigned>(kPreviewWidth),
        static_cast<unsigned>(kPreviewHeight));
}

int CaptureSession::convert_raw_to_img_buffer_scale(unsigned char* src, unsigned char* dst,
                                                    unsigned w, unsigned h, unsigned outW,
                                                    unsigned outH) {
    const PreviewStats stats = convertPreview(src, dst, w, h, outW, outH);
    m_lumaMean = stats.lumaMean;
    m_lumaGradient = stats.lumaGradient;
    return 0;
}

int CaptureSession::RAW2H264() {
    if (!m_encoder)
        return 0;
    return m_encoder->H264_proc_frame_phy(m_frameVir, m_framePhy, m_h264Storage.data(), &m_h264Key,
                                          &m_h264Len);
}

void CaptureSession::H264Enqueue() {
    std::unique_ptr<H264Frame> frame =
        H264Frame::copyOf(m_h264Storage.data(), m_h264Len, m_h264Key);
    if (!frame) {
        qCWarning(lcCapture, "H264Enqueue malloc %d Failed!", m_h264Len);
        return;
    }
    // The recording thread drains the queue every 10 ms. Should it stop draining, the
    // recording has ended: the frame is dropped rather than the pump spinning forever.
    while (OSAL_Queue(&m_queueH264, frame.get()) != 0) {
        if (m_state != CameraState::Recording) {
            qCDebug(lcCapture, "H264Enqueue: recording over, frame dropped");
            return;
        }
        ::usleep(1000);
    }
    frame.release(); // the queue holds it now
}

bool CaptureSession::H264Dequeue() {
    m_h264Frame.reset(static_cast<H264Frame*>(OSAL_Dequeue(&m_queueH264)));
    return m_h264Frame != nullptr;
}

void CaptureSession::H264Emptyqueue() {
    while (auto* frame = static_cast<H264Frame*>(OSAL_Dequeue(&m_queueH264))) {
        qCDebug(lcCapture, "H264Dequeue ok!");
        delete frame;
    }
    qCDebug(lcCapture, "H264Emptyqueue ok!");
}

bool CaptureSession::AVIFileOpen() {
    std::lock_guard<std::mutex> g(m_aviLock);
    m_avi = AVI_open_output_file(board::path(paths::kRecordingFile).c_str());
    if (!m_avi)
        return false;
    AVI_set_video(m_avi, 1920, 1080, 15.0, "H264");
    return true;
}

void CaptureSession::AVIFileWrite() {
    if (!m_h264Frame)
        return;
    std::lock_guard<std::mutex> g(m_aviLock);
    if (m_avi) {
        AVI_write_frame(m_avi, reinterpret_cast<const char*>(m_h264Frame->data.get()),
                        m_h264Frame->size, m_h264Frame->key);
        if (::fdatasync(m_avi->fdes) != 0)
            qCWarning(lcCapture, "fdatasync FAIL");
    }
    m_h264Frame.reset();
}

int CaptureSession::AVIFileClose() {
    std::lock_guard<std::mutex> g(m_aviLock);
    if (!m_avi)
        return -1;
    const int r = AVI_close(m_avi);
    m_avi = nullptr;
    return r;
}

void CaptureSession::FlashOn() {
    writeIrLed("022");
}
void CaptureSession::FlashOff() {
    writeIrLed("000");
}
