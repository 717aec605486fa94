#pragma once

#include <cstdint>

struct PreviewStats {
    uint32_t lumaMean = 0;
    uint32_t lumaGradient = 0;
};

// Makes the gray preview of an NV21 frame: copies the w x h luma plane to dst + w*h, then
// samples the copy every (w / outW) rows and columns into the outW x outH image at dst.
// Returns the mean brightness and a sharpness figure (mean squared difference to the pixel
// one row up and one column left). Allocates nothing. An image that does not fit the frame
// at that step (wider than it, or rows past its last one) is not made: only the copy.
PreviewStats convertPreview(const unsigned char* src, unsigned char* dst, unsigned w, unsigned h,
                            unsigned outW, unsigned outH);

// The ways to the same result: the portable loop every processor has, the step-2 kernels on
// x86's SSE2, AVX2 and AVX-512 (BW), and on ARM's NEON (32-bit, where the processor has it)
// and ASIMD (64-bit). convertPreview takes the fastest the processor has; the tests run each
// one it has.
enum class PreviewKernel { Portable, Sse2, Avx2, Avx512, Neon };
constexpr PreviewKernel kPreviewKernels[] = {PreviewKernel::Portable, PreviewKernel::Sse2,
                                             PreviewKernel::Avx2, PreviewKernel::Avx512,
                                             PreviewKernel::Neon};
bool previewKernelAvailable(PreviewKernel k);
// "portable", "sse2", "avx2", "avx512", and "neon" or "asimd" (the same kernel) on ARM.
const char* previewKernelName(PreviewKernel k);
PreviewStats convertPreviewWith(PreviewKernel k, const unsigned char* src, unsigned char* dst,
                                unsigned w, unsigned h, unsigned outW, unsigned outH);
