// GData's capture operations: camera, preview, encoder, frame queue, recording file and
// infrared light.
#include "app/gdata.h"

#include "capture/avilib.h"
#include "capture/cedarxutil.h"
#include "capture/display_buffer.h"
#include "capture/preview_convert.h"
#include "capture/sysfile.h"
#include "capture/v4l2_device.h"
#include "core/paths.h"
#include "platform/board.h"

#include <QDebug>
#include <QFile>

#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

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

bool GData::V4l2DeviceOpen() {
    if (m_bCameraOpened)
        return true;
    m_pV4l2Device = std::make_unique<V4l2Device>(m_nCameraWidth, m_nCameraHeight);
    if (m_pV4l2Device->open_device() == 0) {
        m_pV4l2Device->set_exposure(m_nExposure);
        m_pV4l2Device->set_gain(m_nGain);
        if (m_pV4l2Device->start_capture() == 0) {
            m_pCedarx = std::make_unique<cedarxutil>(m_nEncodeWidth, m_nEncodeHeight,
                                                     m_nEncodeWidth, m_nEncodeHeight);
            m_pCedarx->setOutputCapacity(static_cast<int>(m_h264Storage.size()));
            m_bCameraOpened = true;
            return true;
        }
    }
    qDebug("m_pV4l2Device open_device Error!");
    return false;
}

void GData::V4l2DeviceClose() {
    if (m_pCedarx)
        m_pCedarx->CloseCedarX();
    if (m_pV4l2Device) {
        m_pV4l2Device->stop_capture();
        m_pV4l2Device->close_device();
        m_pV4l2Device.reset();
    }
}

bool GData::V4l2DevicePullFrame() {
    if (!m_pV4l2Device)
        return false;
    void* vir = nullptr;
    void* phy = nullptr;
    const bool ok = m_pV4l2Device->pull_frame(&vir, &phy, &m_nFrameTag, &m_nFrameLen, true) == 0;
    if (ok) {
        m_pFrameVir = static_cast<unsigned char*>(vir);
        m_pFramePhy = static_cast<unsigned char*>(phy);
    }
    return ok;
}

int GData::V4l2DevicePushFrame() {
    return m_pV4l2Device ? m_pV4l2Device->push_frame() : -1;
}

int GData::getCameraRetryCount() {
    QFile f(board::path(QString::fromLatin1(paths::kCameraRetryFile)));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return 2;
    bool ok = false;
    const int n = QString::fromUtf8(f.readAll()).trimmed().toInt(&ok, 10);
    return ok ? n : 2;
}

void GData::setCameraRetryCount(int count) {
    const QString file = board::path(QString::fromLatin1(paths::kCameraRetryFile));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        qDebug() << "can not open file for write" << file;
        return;
    }
    f.write(QByteArray::number(count));
}

int GData::RAW2IMG() {
    // The GUI copies the image under the same lock; a frame that finds it busy is skipped.
    std::unique_lock<std::mutex> lock(m_previewLock, std::try_to_lock);
    if (!lock.owns_lock())
        return 0;
    m_pPreviewBuf = displayBuffer().disp_buf_vir;
    return convert_raw_to_img_buffer_scale(
        m_pFrameVir, m_pPreviewBuf, static_cast<unsigned>(m_nCameraWidth),
        static_cast<unsigned>(m_nCameraHeight), static_cast<unsigned>(m_nPreviewWidth),
        static_cast<unsigned>(m_nPreviewHeight));
}

int GData::convert_raw_to_img_buffer_scale(unsigned char* src, unsigned char* dst, unsigned w,
                                           unsigned h, unsigned outW, unsigned outH) {
    const PreviewStats stats = convertPreview(src, dst, w, h, outW, outH);
    m_nLumaMean = stats.lumaMean;
    m_nLumaGradient = stats.lumaGradient;
    return 0;
}

int GData::RAW2H264() {
    if (!m_pCedarx)
        return 0;
    return m_pCedarx->H264_proc_frame_phy(m_pFrameVir, m_pFramePhy, m_pH264Buf, &m_bH264Key,
                                          &m_nH264Len);
}

void GData::H264Enqueue() {
    std::unique_ptr<H264Frame> frame = H264Frame::copyOf(m_pH264Buf, m_nH264Len, m_bH264Key);
    if (!frame) {
        qDebug("H264Enqueue malloc %d Failed!", m_nH264Len);
        return;
    }
    // The recording thread drains the queue every 10 ms. Should it stop draining, the
    // recording has ended: the frame is dropped rather than the pump spinning forever.
    while (OSAL_Queue(&m_queueH264, frame.get()) != 0) {
        if (m_nCameraState != 2) {
            qDebug("H264Enqueue: recording over, frame dropped");
            return;
        }
        ::usleep(1000);
    }
    frame.release(); // the queue holds it now
}

bool GData::H264Dequeue() {
    m_pH264Frame.reset(static_cast<H264Frame*>(OSAL_Dequeue(&m_queueH264)));
    return m_pH264Frame != nullptr;
}

void GData::H264Emptyqueue() {
    while (auto* frame = static_cast<H264Frame*>(OSAL_Dequeue(&m_queueH264))) {
        qDebug("H264Dequeue ok!");
        delete frame;
    }
    qDebug("H264Emptyqueue ok!");
}

bool GData::AVIFileOpen() {
    std::lock_guard<std::mutex> g(m_aviLock);
    m_pAVI = AVI_open_output_file(board::path(paths::kRecordingFile).c_str());
    if (!m_pAVI)
        return false;
    AVI_set_video(m_pAVI, 1920, 1080, 15.0, "H264");
    return true;
}

void GData::AVIFileWrite() {
    if (!m_pH264Frame)
        return;
    std::lock_guard<std::mutex> g(m_aviLock);
    if (m_pAVI) {
        AVI_write_frame(m_pAVI, reinterpret_cast<const char*>(m_pH264Frame->data.get()),
                        m_pH264Frame->size, m_pH264Frame->key);
        if (::fdatasync(m_pAVI->fdes) != 0)
            qDebug("fdatasync FAIL");
    }
    m_pH264Frame.reset();
}

int GData::AVIFileClose() {
    std::lock_guard<std::mutex> g(m_aviLock);
    if (!m_pAVI)
        return -1;
    const int r = AVI_close(m_pAVI);
    m_pAVI = nullptr;
    return r;
}

void GData::FlashOn() {
    writeIrLed("022");
}
void GData::FlashOff() {
    writeIrLed("000");
}
