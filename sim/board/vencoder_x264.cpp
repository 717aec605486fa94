// The SoC encoder library on the virtual board, built on libx264. It behaves as the
// firmware expects of the real one: Annex B output without access unit delimiters or SEI,
// the SPS and PPS only through parameter 23, a key frame every `keyFrameInterval` frames,
// and each frame handed out from a ring buffer, so that a frame that reaches the ring's
// end comes in two parts.
#include "models.h"
#include "platform/vencoder.h"
#include "knobs.h"
#include "virtual_board.h"

#include <cstring>
#include <deque>
#include <sys/prctl.h>
#include <vector>

#include <x264.h>

namespace {

constexpr size_t kDefaultRingBytes = 4 * 1024 * 1024;
constexpr size_t kMinTail = 16; // a frame never starts closer than this to the ring's end

int memOpen() {
    return 0;
}
void memClose() {}
ScMemOps g_memOps{memOpen, memClose};

size_t ringSize() {
    const int kib = vboard::knobInt(knobs::kEncoderRingKib, 0);
    return kib > 0 ? size_t(kib) * 1024 : kDefaultRingBytes;
}

bool isHeaderNal(int type) {
    return type == NAL_SPS || type == NAL_PPS;
}
bool isDroppedNal(int type) {
    return type == NAL_SEI || type == NAL_AUD || type == NAL_FILLER;
}

} // namespace

struct VideoEncoder {
    VencH264Param h264{100, 40, 1, 51, 10, 0, 3145728, 30, {0, 0, 0}};
    x264_t* x264 = nullptr;
    int width = 0, height = 0;
    int64_t pts = 0;
    std::vector<uint8_t> header;
    std::deque<VencInputBuffer> inputs;
    // The knob encoder_ring_kib makes the ring small enough that frames wrap often.
    size_t ringBytes = ringSize();
    std::vector<uint8_t> ring = std::vector<uint8_t>(ringBytes);
    size_t ringPos = 0;
    std::deque<VencOutputBuffer> frames;
    std::vector<uint8_t> scratch; // one frame's NAL units, reused
};

extern "C" {

ScMemOps* MemAdapterGetOpsS() {
    return &g_memOps;
}

VideoEncoder* VideoEncCreate(int codec) {
    if (codec != VENC_CODEC_H264)
        return nullptr;
    return new VideoEncoder;
}

void VideoEncDestroy(VideoEncoder* e) {
    if (!e)
        return;
    if (e->x264)
        x264_encoder_close(e->x264);
    delete e;
}

int VideoEncSetParameter(VideoEncoder* e, int index, void* param) {
    if (!e || !param)
        return -1;
    if (index == VENC_PARAM_H264)
        e->h264 = *static_cast<VencH264Param*>(param);
    return 0; // the other indices tune the SoC's engine and mean nothing to x264
}

int VideoEncGetParameter(VideoEncoder* e, int index, void* param) {
    if (!e || !param || index != VENC_PARAM_HEADER || e->header.empty())
        return -1;
    auto* h = static_cast<VencHeader*>(param);
    h->data = e->header.data();
    h->length = static_cast<uint32_t>(e->header.size());
    return 0;
}

int VideoEncInit(VideoEncoder* e, VencBaseConfig* config) {
    if (!e || !config || e->x264)
        return -1;
    // The SoC's engine works in memory of its own. libx264 asks for huge pages for its frame
    // buffers, which counts whole 2 MB pages for buffers it writes in part: some 5 MB of
    // the process's resident size that the board never spends. Under the usual "madvise"
    // setting nothing else in the process asks for them, so declining them (for the
    // process: the kernel has no finer switch) changes nothing else.
    ::prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0);
    x264_param_t p;
    // Fast enough for 30 frames/s at 1920 x 1080 on two cores, with no frame delay.
    if (x264_param_default_preset(&p, "ultrafast", "zerolatency") < 0)
        return -1;
    e->width = static_cast<int>(config->outputWidth);
    e->height = static_cast<int>(config->outputHeight);
    p.i_width = e->width;
    p.i_height = e->height;
    p.i_csp = X264_CSP_NV21;
    // The firmware encodes the frames lit by the LED pattern, every other camera frame: the
    // recording runs at 15 frames/s, as its AVI header says, and the stream's timing says so
    // too.
    p.i_fps_num = 15;
    p.i_fps_den = 1;
    p.b_vfr_input = 0;
    p.i_threads = 2;
    p.i_keyint_max = e->h264.keyFrameInterval > 0 ? e->h264.keyFrameInterval : 30;
    p.i_keyint_min = p.i_keyint_max;
    p.b_repeat_headers = 0;
    p.b_annexb = 1;
    p.b_aud = 0;
    p.b_cabac = e->h264.entropyCabac != 0;
    p.rc.i_rc_method = X264_RC_ABR;
    p.rc.i_bitrate = e->h264.bitRate / 1024;
    p.rc.i_qp_min = e->h264.minQp;
    p.rc.i_qp_max = e->h264.maxQp;
    // 1920 x 1080 at 30 frames/s needs level 4.0; a lower configured level is raised.
    p.i_level_idc = e->h264.level < 40 ? 40 : e->h264.level;
    p.i_log_level = X264_LOG_ERROR;
    x264_param_apply_profile(&p, e->h264.profile == 66   ? "baseline"
                                 : e->h264.profile == 77 ? "main"
                                                         : "high");
    {
        // libx264's worker and look-ahead threads are started here and take this name.
        const vboard::ThreadNameScope name("vb-encoder");
        e->x264 = x264_encoder_open(&p);
    }
    if (!e->x264)
        return -1;
    x264_nal_t* nals = nullptr;
    int count = 0;
    if (x264_encoder_headers(e->x264, &nals, &count) < 0)
        return -1;
    for (int i = 0; i < count; ++i)
        if (isHeaderNal(nals[i].i_type))
            e->header.insert(e->header.end(), nals[i].p_payload,
                             nals[i].p_payload + nals[i].i_payload);
    return 0;
}

int FlushCacheAllocInputBuffer(VideoEncoder* e, VencInputBuffer* input) {
    return e && input ? 0 : -1;
}

int AddOneInputBuffer(VideoEncoder* e, VencInputBuffer* input) {
    if (!e || !input)
        return -1;
    e->inputs.push_back(*input);
    return 0;
}

int VideoEncodeOneFrame(VideoEncoder* e) {
    if (!e || !e->x264 || e->inputs.empty())
        return -1;
    const VencInputBuffer in = e->inputs.front();
    e->inputs.pop_front();
    x264_picture_t pic;
    x264_picture_init(&pic);
    pic.img.i_csp = X264_CSP_NV21;
    pic.img.i_plane = 2;
    pic.img.plane[0] = in.lumaVir;
    pic.img.plane[1] = in.chromaVir;
    pic.img.i_stride[0] = pic.img.i_stride[1] = e->width;
    pic.i_pts = e->pts++;
    x264_picture_t out;
    x264_nal_t* nals = nullptr;
    int count = 0;
    if (x264_encoder_encode(e->x264, &nals, &count, &pic, &out) < 0)
        return -1;
    // The frame's NAL units, the first with a four-byte start code as a frame begins.
    std::vector<uint8_t>& bytes = e->scratch;
    bytes.clear();
    for (int i = 0; i < count; ++i) {
        if (isDroppedNal(nals[i].i_type) || isHeaderNal(nals[i].i_type))
            continue;
        const uint8_t* p = nals[i].p_payload;
        if (bytes.empty() && nals[i].i_payload > 3 && p[0] == 0 && p[1] == 0 && p[2] == 1)
            bytes.push_back(0);
        bytes.insert(bytes.end(), p, p + nals[i].i_payload);
    }
    if (bytes.empty() || bytes.size() > e->ringBytes / 2)
        return -1;
    if (e->ringBytes - e->ringPos < kMinTail)
        e->ringPos = 0;
    VencOutputBuffer frame{e->ring.data() + e->ringPos, 0, nullptr, 0};
    {
        const uint8_t* src = bytes.data();
        size_t left = bytes.size();
        while (left) {
            const size_t room = e->ringBytes - e->ringPos;
            const size_t n = left < room ? left : room;
            std::memcpy(e->ring.data() + e->ringPos, src, n);
            if (frame.data1)
                frame.size1 += static_cast<uint32_t>(n);
            else
                frame.size0 += static_cast<uint32_t>(n);
            e->ringPos += n;
            src += n;
            left -= n;
            if (e->ringPos == e->ringBytes) {
                e->ringPos = 0;
                if (left && !frame.data1)
                    frame.data1 = e->ring.data();
            }
        }
    }
    e->frames.push_back(frame);
    return 0;
}

int AlreadyUsedInputBuffer(VideoEncoder* e, VencInputBuffer* input) {
    return e && input ? 0 : -1;
}

int GetOneBitstreamFrame(VideoEncoder* e, VencOutputBuffer* output) {
    if (!e || !output || e->frames.empty())
        return -1;
    *output = e->frames.front();
    return 0;
}

int FreeOneBitStreamFrame(VideoEncoder* e, VencOutputBuffer* output) {
    if (!e || !output || e->frames.empty())
        return -1;
    e->frames.pop_front();
    return 0;
}
}
