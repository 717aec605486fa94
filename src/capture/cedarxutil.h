// The hardware H.264 encoder as the recording uses it: configured at the start of each
// recording, fed one NV21 frame at a time from the camera's own buffer, closed at the end.
#pragma once

#include "core/paths.h"
#include "platform/vencoder.h"

class cedarxutil {
public:
    cedarxutil(int srcW, int srcH, int dstW, int dstH);

    void StartH264CedarX();
    // Encodes one frame lying at vir (physical address phy). Writes the stream header
    // (key frames only) and the bitstream to out. 1 on success, 0 on failure.
    int H264_proc_frame_phy(unsigned char* vir, unsigned char* phy, unsigned char* out,
                            unsigned char* keyFlag, int* len);
    void CloseCedarX();

    bool isOpen() const { return m_pEncoder != nullptr; }
    // Largest frame that fits the output buffer.
    void setOutputCapacity(int bytes) { m_nOutCapacity = bytes; }

private:
    int m_nSrcWidth, m_nSrcHeight, m_nDstWidth, m_nDstHeight;
    VencBaseConfig m_baseConfig{};
    ScMemOps* m_pMemOps = nullptr;
    VideoEncoder* m_pEncoder = nullptr;
    VencH264Param m_h264Param{};
    VencInputBuffer m_inputBuffer{};
    VencOutputBuffer m_outputBuffer{};
    const char* m_pName = paths::kRecordingFile;
    int m_nOutCapacity = 0;
};
