// The SoC's video encoder library as the firmware uses it. Device build: the vendor's
// libraries implement these functions. Simulator build: the virtual board implements them
// on libx264 with the same behaviour the firmware relies on: H.264 Annex B output, the
// stream header (SPS and PPS) only through parameter 23 on key frames, and a frame's
// bitstream possibly handed out in two parts.
#pragma once

#include <cstdint>

extern "C" {

struct VideoEncoder;

enum VencCodec { VENC_CODEC_H264 = 0 };

// Parameter indices the firmware sets or reads.
enum VencParameter {
    VENC_PARAM_FRAME_RATE_CONTROL = 3,
    VENC_PARAM_VBV_SIZE = 15,
    VENC_PARAM_INPUT_FORMAT_OPTIONS = 18,
    VENC_PARAM_H264 = 22,
    VENC_PARAM_HEADER = 23,
    VENC_PARAM_QP_RANGE = 260,
    VENC_PARAM_NO_INPUT_THREAD = 263,
    VENC_PARAM_MOTION_SEARCH = 264,
    VENC_PARAM_BUFFER_SIZE = 517,
};

struct VencQpRange {
    int32_t enable, minQp, maxQp;
};

struct VencH264Param {
    int32_t profile, level, entropyCabac, maxQp, minQp, qpStep;
    int32_t bitRate, keyFrameInterval;
    VencQpRange qpRange;
};

struct VencHeader {
    uint8_t* data;
    uint32_t length;
};

struct VencBufferSizes {
    uint32_t count, lumaSize, chromaSize;
};

struct ScMemOps;

struct VencBaseConfig {
    uint32_t inputWidth, inputHeight, outputWidth, outputHeight, stride;
    uint32_t inputFormat; // 0: YUV 4:2:0 semi-planar
    ScMemOps* memOps;
    VencBufferSizes bufferSizes;
};

// One input frame: luma and chroma planes by physical and virtual address.
struct VencInputBuffer {
    uint64_t lumaPhy, chromaPhy;
    uint8_t* lumaVir;
    uint8_t* chromaVir;
};

// One encoded frame, possibly in two parts (the second may be empty).
struct VencOutputBuffer {
    uint8_t* data0;
    uint32_t size0;
    uint8_t* data1;
    uint32_t size1;
};

struct ScMemOps {
    int (*open)();
    void (*close)();
};

ScMemOps* MemAdapterGetOpsS();

VideoEncoder* VideoEncCreate(int codec);
void VideoEncDestroy(VideoEncoder* encoder);
int VideoEncSetParameter(VideoEncoder* encoder, int index, void* param);
int VideoEncGetParameter(VideoEncoder* encoder, int index, void* param);
int VideoEncInit(VideoEncoder* encoder, VencBaseConfig* config);
int FlushCacheAllocInputBuffer(VideoEncoder* encoder, VencInputBuffer* input);
int AddOneInputBuffer(VideoEncoder* encoder, VencInputBuffer* input);
int VideoEncodeOneFrame(VideoEncoder* encoder);
int AlreadyUsedInputBuffer(VideoEncoder* encoder, VencInputBuffer* input);
// 0 and one frame in `output`, or -1 when there is none.
int GetOneBitstreamFrame(VideoEncoder* encoder, VencOutputBuffer* output);
int FreeOneBitStreamFrame(VideoEncoder* encoder, VencOutputBuffer* output);
}
