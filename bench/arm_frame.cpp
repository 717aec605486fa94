// One camera frame's work on ARM, for the cost estimate of bench/arm_estimate.py:
//   arm_frame neon|portable|copy|fill FRAMES
// runs the conversion of FRAMES 1920 x 1080 frames to the 880 x 330 preview with a kernel,
// FRAMES plain copies of the luma plane, or FRAMES fills of the chroma planes that each
// encoded frame gets (as the encoder wrapper does, with memset), so that an instruction
// count under qemu gives the count of one frame as the difference of two runs. Each converted frame
// is checked against the portable kernel's, bit for bit, so the count is of code that gives the
// right image (the kernel's code here is the release build's, which the suites do not run).
#include "capture/preview_convert.h"

#include <arm_neon.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__arm__) && !defined(__ARM_NEON)
#pragma GCC push_options
#pragma GCC target("fpu=neon")
#endif

// The plain copy loop that the kernel is compared with: 64 bytes a step, in the registers
// that the kernel loads and stores; on arm64 one load and one store of four registers, the
// fastest form of the core model the estimate uses.
extern "C" __attribute__((noinline)) void copyLoop(unsigned char* __restrict dst,
                                                   const unsigned char* __restrict src, size_t n) {
    for (size_t i = 0; i + 64 <= n; i += 64) {
#if defined(__aarch64__)
        vst1q_u8_x4(dst + i, vld1q_u8_x4(src + i));
#else
        const uint8x16_t a = vld1q_u8(src + i), b = vld1q_u8(src + i + 16);
        const uint8x16_t c = vld1q_u8(src + i + 32), d = vld1q_u8(src + i + 48);
        vst1q_u8(dst + i, a);
        vst1q_u8(dst + i + 16, b);
        vst1q_u8(dst + i + 32, c);
        vst1q_u8(dst + i + 48, d);
#endif
    }
}

#if defined(__arm__) && !defined(__ARM_NEON)
#pragma GCC pop_options
#endif

int main(int argc, char** argv) {
    constexpr unsigned kW = 1920, kH = 1080, kOutW = 880, kOutH = 330;
    if (argc != 3) {
        std::fprintf(stderr, "usage: arm_frame neon|portable|copy|fill FRAMES\n");
        return 2;
    }
    const bool copy = std::strcmp(argv[1], "copy") == 0, fill = std::strcmp(argv[1], "fill") == 0;
    const PreviewKernel kernel =
        std::strcmp(argv[1], "neon") == 0 ? PreviewKernel::Neon : PreviewKernel::Portable;
    const int frames = std::atoi(argv[2]);
    std::vector<unsigned char> src(size_t(kW) * kH * 3 / 2), dst(size_t(kW) * kH * 2),
        want(dst.size());
    uint32_t seed = 1;
    for (auto& b : src)
        b = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 24);
    if (!copy && !fill && !previewKernelAvailable(kernel)) {
        std::fprintf(stderr, "arm_frame: this processor lacks the %s kernel\n", argv[1]);
        return 1;
    }
    for (int f = 0; f < frames; ++f) {
        if (copy || fill) {
            if (copy)
                copyLoop(dst.data(), src.data(), size_t(kW) * kH);
            else
                std::memset(src.data() + size_t(kW) * kH, 128, size_t(kW) * kH / 2);
            continue;
        }
        const PreviewStats got =
            convertPreviewWith(kernel, src.data(), dst.data(), kW, kH, kOutW, kOutH);
        if (f > 0)
            continue; // checked once: the count of a second frame is the conversion alone
        const PreviewStats ref = convertPreviewWith(PreviewKernel::Portable, src.data(),
                                                    want.data(), kW, kH, kOutW, kOutH);
        if (got.lumaMean != ref.lumaMean || got.lumaGradient != ref.lumaGradient || dst != want) {
            std::fprintf(stderr, "arm_frame: the %s kernel differs from the portable one\n",
                         argv[1]);
            return 1;
        }
    }
    return 0;
}
