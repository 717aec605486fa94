// The capture subsystem's state, owned in one place: the camera device and the frame last
// pulled, the preview image and its statistics, the encoder and its output, the queue of
// encoded frames, the recording file, the infrared light and the camera state that the
// window and the threads share.
//
// Threads: the frame pump (CameraThread) pulls, converts and encodes; the recording thread
// (VideoThread) opens the camera, starts and closes the encoder and writes the file; the
// GUI reads the preview under previewLock() and moves the state. What two of them share
// is an atomic or sits behind one of this class's locks.
#pragma once

#include "capture/display_buffer.h"

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "capture/osal_queue.h"

class V4l2Device;
class cedarxutil;
struct AviFile;

// Where the camera is: the window moves it (preview, a recording asked for, back to idle),
// the recording thread marks a recording running and over.
enum class CameraState { Idle = 0, Preview = 1, Recording = 2, Recorded = 3 };

// One encoded frame on its way from the encoder to the recording file; it owns its bytes.
struct H264Frame {
    int key = 0;
    int size = 0;
    std::unique_ptr<unsigned char[]> data;

    // A copy of `size` bytes, or null when the memory cannot be had.
    static std::unique_ptr<H264Frame> copyOf(const unsigned char* bytes, int size, int key);
};

// The camera settings a recording uses, handed over when they change.
struct CameraSettings {
    int exposure = 0;
    int gain = 0;
    int ledLoop = 0;
};

class CaptureSession {
public:
    static constexpr int kCameraWidth = 1920, kCameraHeight = 1080;
    static constexpr int kEncodeWidth = 1920, kEncodeHeight = 1080;
    static constexpr int kPreviewWidth = 880, kPreviewHeight = 330;

    CaptureSession();
    ~CaptureSession();
    CaptureSession(const CaptureSession&) = delete;
    CaptureSession& operator=(const CaptureSession&) = delete;

    // The display buffer (once per process) and the encoder's output buffer.
    void allocateBuffers();
    void setCameraSettings(const CameraSettings& settings);
    // The preview's statistics until the next image (at start: the camera's settings).
    void setPreviewStats(unsigned mean, unsigned gradient) {
        m_lumaMean = mean;
        m_lumaGradient = gradient;
    }
    int ledLoop() const { return m_ledLoop; }

    // ---- state shared with the window --------------------------------------------------
    CameraState state() const { return m_state; }
    void setState(CameraState state) { m_state = state; }
    bool previewEnabled() const { return m_previewEnable; }
    void setPreviewEnabled(bool on) { m_previewEnable = on; }
    bool flashOn() const { return m_flashOn; }
    void setFlashOn(bool on) { m_flashOn = on; }
    qint64 recordStart() const { return m_recordStart; }
    unsigned lumaMean() const { return m_lumaMean; }
    unsigned lumaGradient() const { return m_lumaGradient; }
    bool cameraOpened() const { return m_cameraOpened; }
    // The camera failed and has no restart left since the board started: no frame comes.
    bool cameraUnavailable() const { return m_cameraUnavailable; }
    V4l2Device* device() const { return m_device.get(); }
    cedarxutil* encoder() const { return m_encoder.get(); }

    // The preview image (kPreviewWidth x kPreviewHeight gray) while previewLock() is held.
    std::mutex& previewLock() { return m_previewLock; }
    const unsigned char* previewImage() const { return m_previewBuf; }

    // ---- camera (recording thread opens, frame pump pulls) --------------------------------
    bool V4l2DeviceOpen();
    void V4l2DeviceClose();
    bool V4l2DevicePullFrame();
    int V4l2DevicePushFrame();
    int frameTag() const { return m_frameTag; }
    int frameLength() const { return m_frameLen; }
    const unsigned char* frame() const { return m_frameVir; }

    // ---- preview and encoder (frame pump) -----------------------------------------------
    int RAW2IMG();
    int convert_raw_to_img_buffer_scale(unsigned char* src, unsigned char* dst, unsigned w,
                                        unsigned h, unsigned outW, unsigned outH);
    int RAW2H264();
    int encodedLength() const { return m_h264Len; }
    bool encodedKey() const { return m_h264Key != 0; }
    // What the encoder wrote last: RAW2H264 sets it; a test may set it to enqueue a frame.
    void setEncoded(int length, bool key) {
        m_h264Len = length;
        m_h264Key = key ? 1 : 0;
    }
    void H264Enqueue();

    // ---- recording (recording thread) ----------------------------------------------------
    bool H264Dequeue();
    const H264Frame* dequeuedFrame() const { return m_h264Frame.get(); }
    void dropDequeued() { m_h264Frame.reset(); }
    void H264Emptyqueue();
    OSAL_QUEUETYPE& queue() { return m_queueH264; }
    bool AVIFileOpen();
    void AVIFileWrite();
    int AVIFileClose();
    void markRecordStart(qint64 seconds) { m_recordStart = seconds; }

    void FlashOn();
    void FlashOff();

private:
    std::atomic<CameraState> m_state{CameraState::Idle};
    std::atomic<bool> m_previewEnable{false};
    std::atomic<bool> m_flashOn{false};
    std::atomic<qint64> m_recordStart{0};
    std::atomic<bool> m_cameraOpened{false};
    std::atomic<bool> m_cameraUnavailable{false};
    std::atomic<int> m_exposure{0}, m_gain{0}, m_ledLoop{0};

    // Frame pump only.
    std::unique_ptr<V4l2Device> m_device;
    unsigned char* m_frameVir = nullptr;
    unsigned char* m_framePhy = nullptr;
    int m_frameLen = 0;
    int m_frameTag = 0;

    std::mutex m_previewLock;
    DisplayBuffer m_display;
    unsigned char* m_previewBuf = nullptr;
    std::atomic<unsigned> m_lumaMean{0};
    std::atomic<unsigned> m_lumaGradient{0};

    std::unique_ptr<cedarxutil> m_encoder;
    std::vector<unsigned char> m_h264Storage; // encoder output, width x height / 2 bytes
    int m_h264Len = 0;
    unsigned char m_h264Key = 0;
    OSAL_QUEUETYPE m_queueH264;
    std::unique_ptr<H264Frame> m_h264Frame; // dequeued, not yet written

    // The file is opened on the GUI thread (or the recording thread at start-up) and
    // written and closed on the recording thread: the lock hands it over.
    std::mutex m_aviLock;
    AviFile* m_avi = nullptr;
};
