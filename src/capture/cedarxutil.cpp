#include "capture/cedarxutil.h"
#include "core/log.h"

#include "capture/display_buffer.h"

#include <QDateTime>
#include <QDebug>

#include <cstring>

namespace {

uint32_t align16(uint32_t v) {
    return (v + 15u) & ~15u;
}

} // namespace

cedarxutil::cedarxutil(int srcW, int srcH, int dstW, int dstH)
    : m_nSrcWidth(srcW), m_nSrcHeight(srcH), m_nDstWidth(dstW), m_nDstHeight(dstH),
      m_nOutCapacity(srcW * srcH / 2) {}

void cedarxutil::StartH264CedarX() {
    std::lock_guard<std::mutex> g(m_lock);
    m_pMemOps = nullptr;
    m_inputBuffer = VencInputBuffer{};
    m_outputBuffer = VencOutputBuffer{};
    m_baseConfig = VencBaseConfig{};

    m_pMemOps = MemAdapterGetOpsS();
    if (!m_pMemOps) {
        qCWarning(lcCapture, "MemAdapterGetOpsS failed\n");
        return;
    }
    m_pMemOps->open();
    qCDebug(lcCapture, "CdcMemOpened\n");

    m_pEncoder = VideoEncCreate(VENC_CODEC_H264);
    qCDebug(lcCapture, "VideoEncCreate\n");
    if (!m_pEncoder)
        return;

    VencQpRange qpRange{0, 50, 55};
    m_h264Param = VencH264Param{100, 31, 1, 45, 15, 10, 3145728, 30, qpRange};
    int32_t frameRateControl = 0;
    int32_t motionSearch[4] = {5, 0, 8, 5};
    int32_t inputOptions = 0;
    int32_t noInputThread = 0;
    int32_t vbvSize = 6963200;
    int32_t bufferSize = 3686400;
    VideoEncSetParameter(m_pEncoder, VENC_PARAM_QP_RANGE, &qpRange);
    VideoEncSetParameter(m_pEncoder, VENC_PARAM_H264, &m_h264Param);
    VideoEncSetParameter(m_pEncoder, VENC_PARAM_FRAME_RATE_CONTROL, &frameRateControl);
    VideoEncSetParameter(m_pEncoder, VENC_PARAM_MOTION_SEARCH, motionSearch);
    VideoEncSetParameter(m_pEncoder, VENC_PARAM_INPUT_FORMAT_OPTIONS, &inputOptions);
    VideoEncSetParameter(m_pEncoder, VENC_PARAM_NO_INPUT_THREAD, &noInputThread);
    VideoEncSetParameter(m_pEncoder, VENC_PARAM_VBV_SIZE, &vbvSize);
    VideoEncSetParameter(m_pEncoder, VENC_PARAM_BUFFER_SIZE, &bufferSize);

    const uint32_t pixels = static_cast<uint32_t>(m_nSrcWidth * m_nSrcHeight);
    m_baseConfig.inputWidth = static_cast<uint32_t>(m_nSrcWidth);
    m_baseConfig.inputHeight = static_cast<uint32_t>(m_nSrcHeight);
    m_baseConfig.outputWidth = static_cast<uint32_t>(m_nDstWidth);
    m_baseConfig.outputHeight = static_cast<uint32_t>(m_nDstHeight);
    m_baseConfig.stride = static_cast<uint32_t>(m_nSrcWidth);
    m_baseConfig.inputFormat = 0;
    m_baseConfig.memOps = m_pMemOps;
    m_baseConfig.bufferSizes = VencBufferSizes{4, align16(pixels), align16(pixels / 2)};
    if (VideoEncInit(m_pEncoder, &m_baseConfig) != 0) {
        qCWarning(lcCapture, "VideoEncInit failed");
        VideoEncDestroy(m_pEncoder);
        m_pEncoder = nullptr;
    }
}

int cedarxutil::H264_proc_frame_phy(unsigned char* vir, unsigned char* phy, unsigned char* out,
                                    unsigned char* keyFlag, int* len) {
    std::lock_guard<std::mutex> g(m_lock);
    return encodeLocked(vir, phy, out, keyFlag, len);
}

int cedarxutil::encodeLocked(unsigned char* vir, unsigned char* phy, unsigned char* out,
                             unsigned char* keyFlag, int* len) {
    if (!m_pEncoder)
        return 0;
    const size_t n = static_cast<size_t>(m_nSrcWidth) * m_nSrcHeight;
    m_inputBuffer = VencInputBuffer{};
    m_inputBuffer.lumaPhy = reinterpret_cast<uintptr_t>(phy);
    m_inputBuffer.chromaPhy = reinterpret_cast<uintptr_t>(phy) + n;
    m_inputBuffer.lumaVir = vir;
    m_inputBuffer.chromaVir = vir + n;

    // The analysis needs only the luma: the recording is a gray picture.
    std::memset(vir + n, 128, n / 2);
    m_ion.flush_dcache(reinterpret_cast<char*>(vir + n), static_cast<int>(n / 2));

    FlushCacheAllocInputBuffer(m_pEncoder, &m_inputBuffer);
    AddOneInputBuffer(m_pEncoder, &m_inputBuffer);
    VideoEncodeOneFrame(m_pEncoder);
    AlreadyUsedInputBuffer(m_pEncoder, &m_inputBuffer);

    if (GetOneBitstreamFrame(m_pEncoder, &m_outputBuffer) == -1) {
        qCWarning(lcCapture, "GetOneBitstreamFrame error \n");
        return 0;
    }
    VencHeader header{nullptr, 0};
    const bool key = m_outputBuffer.size0 > 4 && (m_outputBuffer.data0[4] & 0x1F) == 5;
    if (key)
        VideoEncGetParameter(m_pEncoder, VENC_PARAM_HEADER, &header);
    *keyFlag = key ? 1 : 0;

    const size_t total = size_t(header.length) + m_outputBuffer.size0 + m_outputBuffer.size1;
    // A frame larger than the output buffer is dropped rather than written past its end.
    if (total > static_cast<size_t>(m_nOutCapacity)) {
        qCWarning(lcCapture, "H264 frame of %zu bytes does not fit the output buffer", total);
        FreeOneBitStreamFrame(m_pEncoder, &m_outputBuffer);
        return 0;
    }
    unsigned char* p = out;
    if (header.length)
        p = static_cast<unsigned char*>(std::memcpy(p, header.data, header.length)) + header.length;
    std::memcpy(p, m_outputBuffer.data0, m_outputBuffer.size0);
    p += m_outputBuffer.size0;
    if (m_outputBuffer.size1)
        std::memcpy(p, m_outputBuffer.data1, m_outputBuffer.size1);
    *len = static_cast<int>(total);
    FreeOneBitStreamFrame(m_pEncoder, &m_outputBuffer);
    return 1;
}

void cedarxutil::CloseCedarX() {
    std::lock_guard<std::mutex> g(m_lock);
    if (m_pEncoder) {
        VideoEncDestroy(m_pEncoder);
        m_pEncoder = nullptr;
    }
    qCDebug(lcCapture, "output file is saved:%s\n", m_pName);
    if (m_pMemOps)
        m_pMemOps->close();
    qCDebug(lcCapture, "%lld", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}
