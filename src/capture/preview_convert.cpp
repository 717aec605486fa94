#include "capture/preview_convert.h"

#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The luma plane is copied band by band, and each sampled row is read back from the copy
// while it is still in the first-level cache (the camera's buffer is read once); the
// figures are summed in the same pass as the sampling. A single 2 MB copy followed by a
// second walk over the sampled rows costs about twice the copy: the second walk finds
// nothing in the cache any more.

namespace {

struct Sums {
    uint64_t sum = 0, squares = 0;
};

// Adds px[0..n) to the sum and the squared differences px[c] - nb[c] to the squares.
void addStats(const unsigned char* px, const unsigned char* nb, size_t n, Sums& s) {
    uint32_t sum = 0, squares = 0; // at most 65025 per pixel: callers pass one row
    for (size_t c = 0; c < n; ++c) {
        const int d = int(nb[c]) - int(px[c]);
        sum += px[c];
        squares += static_cast<uint32_t>(d * d);
    }
    s.sum += sum;
    s.squares += squares;
}

// Samples every step-th byte of src into out[0..outW); with nb, also adds the row's figures
// against nb (the pixels one row up and one column left).
void sampleRowScalar(const unsigned char* __restrict src, unsigned char* __restrict out,
                     size_t outW, size_t step, const unsigned char* nb, Sums& s) {
    for (size_t c = 0; c < outW; ++c)
        out[c] = src[c * step];
    if (nb)
        addStats(out, nb, outW, s);
}

#if defined(__SSE2__)
// Step 2, sixteen pixels at a time: the even bytes of 32 source bytes, their sum by SAD
// against zero and the squared differences by multiply-add of the widened differences.
void sampleRowStep2(const unsigned char* __restrict src, unsigned char* __restrict out, size_t outW,
                    const unsigned char* nb, Sums& s) {
    const __m128i even = _mm_set1_epi16(0x00ff), zero = _mm_setzero_si128();
    __m128i sum = zero, squares = zero; // 2 x 65025 per lane and block: fits a row
    size_t c = 0;
    for (; c + 16 <= outW; c += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * c));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * c + 16));
        const __m128i p = _mm_packus_epi16(_mm_and_si128(a, even), _mm_and_si128(b, even));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + c), p);
        if (!nb)
            continue;
        const __m128i n = _mm_loadu_si128(reinterpret_cast<const __m128i*>(nb + c));
        const __m128i d = _mm_or_si128(_mm_subs_epu8(p, n), _mm_subs_epu8(n, p));
        const __m128i lo = _mm_unpacklo_epi8(d, zero), hi = _mm_unpackhi_epi8(d, zero);
        sum = _mm_add_epi64(sum, _mm_sad_epu8(p, zero));
        squares =
            _mm_add_epi32(squares, _mm_add_epi32(_mm_madd_epi16(lo, lo), _mm_madd_epi16(hi, hi)));
    }
    for (size_t t = c; t < outW; ++t)
        out[t] = src[2 * t];
    if (!nb)
        return;
    alignas(16) uint64_t sums[2];
    alignas(16) uint32_t sq[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(sums), sum);
    _mm_store_si128(reinterpret_cast<__m128i*>(sq), squares);
    s.sum += sums[0] + sums[1];
    s.squares += uint64_t(sq[0]) + sq[1] + sq[2] + sq[3];
    addStats(out + c, nb + c, outW - c, s);
}
#endif

using SampleRow = void (*)(const unsigned char*, unsigned char*, size_t, size_t,
                           const unsigned char*, Sums&);

PreviewStats convert(const unsigned char* src, unsigned char* dst, unsigned w, unsigned h,
                     unsigned outW, unsigned outH, SampleRow sampleRow) {
    const size_t n = static_cast<size_t>(w) * h;
    unsigned char* luma = dst + n;
    PreviewStats stats;
    const unsigned step = outW == 0 ? 0 : w / outW;
    // Rows are sampled with the columns' step: an image taller than that reaches past the
    // frame, and is not made (nor one wider than the frame).
    if (outW == 0 || outH == 0 || outW > w || static_cast<uint64_t>(outH - 1) * step >= h) {
        std::memcpy(luma, src, n);
        return stats;
    }
    Sums sums;
    size_t copied = 0;
    for (unsigned r = 0; r < outH; ++r) {
        const size_t row = static_cast<size_t>(r) * step * w;
        std::memcpy(luma + copied, src + copied, row + w - copied);
        copied = row + w;
        unsigned char* out = dst + static_cast<size_t>(r) * outW;
        // Pixel i of the image counts when i > outW; its neighbour is pixel i - outW - 1,
        // which for the first column is the last pixel two rows up.
        const unsigned char* upLeft = out - outW - 1;
        sampleRow(luma + row, out, outW, step, r >= 2 ? upLeft : nullptr, sums);
        if (r == 1)
            addStats(out + 1, upLeft + 1, outW - 1, sums);
    }
    std::memcpy(luma + copied, src + copied, n - copied);
    const uint64_t pixels = static_cast<uint64_t>(outW) * outH;
    if (pixels <= uint64_t(outW) + 1) // one row, or one column and two rows: no neighbours
        return stats;
    const uint64_t count = pixels - outW - 1;
    stats.lumaMean = static_cast<uint32_t>(sums.sum / count);
    stats.lumaGradient = static_cast<uint32_t>(sums.squares / count);
    return stats;
}

void sampleRowFast(const unsigned char* src, unsigned char* out, size_t outW, size_t step,
                   const unsigned char* nb, Sums& s) {
#if defined(__SSE2__)
    if (step == 2)
        return sampleRowStep2(src, out, outW, nb, s);
#endif
    sampleRowScalar(src, out, outW, step, nb, s);
}

} // namespace

PreviewStats convertPreview(const unsigned char* src, unsigned char* dst, unsigned w, unsigned h,
                            unsigned outW, unsigned outH) {
    return convert(src, dst, w, h, outW, outH, sampleRowFast);
}

PreviewStats convertPreviewPortable(const unsigned char* src, unsigned char* dst, unsigned w,
                                    unsigned h, unsigned outW, unsigned outH) {
    return convert(src, dst, w, h, outW, outH, sampleRowScalar);
}
