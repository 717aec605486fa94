// The hardware H.264 encoder as the recording uses it: configured at the start of each
// recording, fed one NV21 frame at a time from the camera's own buffer, closed at the end.
// The recording thread starts and closes it while the camera thread feeds it: each of the
// three holds the encoder's lock, so a frame is never encoded by an encoder being closed.
#pragma once

#include "capture/display_buffer.h"

#include "core/paths.h"
#include "platform/vencoder.h"

#include <mutex>

class cedarxutil {
public:
    cedarxutil(int srcW, int srcH, int dstW, int dstH);

    void StartH264CedarX();
    // Encodes one frame lying at vir (physical address phy). Writes the stream header
    // (key frames only) and the bitstream to out. 1 on success, 0 on failure.
    int H264_proc_frame_phy(unsigned char* vir, unsigned char* phy, unsigned char* out,
                            unsigned char* keyFlag, int* len);
    void CloseCedarX();

    bool isOpen() const {
        std::lock_guard<std::mutex> g(m_lock);
        return m_pEncoder != nullptr;
    }
    // Largest frame that fits the output buffer.
    void setOutputCapacity(int bytes) {
        std::lock_guard<std::mutex> g(m_lock);
        m_nOutCapacity = bytes;
    }

private:
    int encodeLocked(unsigned char* vir, unsigned char* phy, unsigned char* out,
                     unsigned char* keyFlag, int* len);

    mutable std::mutex m_lock;
    int m_nSrcWidth, m_nSrcHeight, m_nDstWidth, m_nDstHeight;
    VencBaseConfig m_baseConfig{};
    ScMemOps* m_pMemOps = nullptr;
    VideoEncoder* m_pEncoder = nullptr;
    VencH264Param m_h264Param{};
    VencInputBuffer m_inputBuffer{};
    VencOutputBuffer m_outputBuffer{};
    const char* m_pName = paths::kRecordingFile;
    int m_nOutCapacity = 0;
    IonDevice m_ion; // the encoder thread's cache flushes
};
