#include "capture/preview_convert.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))
#define VISTREL_X86_KERNELS 1
#include <immintrin.h>
#else
#define VISTREL_X86_KERNELS 0
#endif

// ASIMD is part of arm64; on 32-bit ARM the family's baseline has no NEON, so its kernel is
// built for NEON alone and runs where the processor says it has it.
#if defined(__aarch64__) || (defined(__arm__) && defined(__ARM_FP))
#define VISTREL_NEON_KERNEL 1
#include <arm_neon.h>
#if !defined(__aarch64__)
#include <asm/hwcap.h>
#include <sys/auxv.h>
#endif
#else
#define VISTREL_NEON_KERNEL 0
#endif

// The luma plane is copied band by band (a sampled row and the rows up to the next one),
// and each band's sampled row is read while it is still in the first-level cache (the
// camera's buffer is read once); the figures are summed in the same pass as the sampling.
// A single 2 MB copy followed by a second walk over the sampled rows costs about twice the
// copy: the second walk finds nothing in the cache any more. The AVX2 and AVX-512 kernels go
// further and copy the band from the registers they sample from, so that the copy's memory
// traffic overlaps the arithmetic.

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

// One band: where it is in the frame and where its copy goes (its first row is the sampled
// one), the row sampled before it (in the copy), where its pixels go, and upLeft =
// out - outW - 1, the neighbours of its pixels (null when the row adds no figures).
struct RowJob {
    const unsigned char* frame;
    unsigned char* copy;
    size_t rows, w;
    const unsigned char* above;
    unsigned char* out;
    const unsigned char* upLeft;
    size_t outW, step;
};

void copyBand(const RowJob& j) {
    std::memcpy(j.copy, j.frame, j.rows * j.w);
}

void sampleRowScalar(const RowJob& j, Sums& s) {
    copyBand(j);
    // Local copies: stores through out could otherwise change j's fields, and the compiler
    // would reload them for every pixel instead of vectorising the loop.
    const unsigned char* __restrict src = j.copy;
    unsigned char* __restrict out = j.out;
    const size_t outW = j.outW, step = j.step;
    if (step == 2) {
        for (size_t c = 0; c < outW; ++c)
            out[c] = src[2 * c];
    } else {
        for (size_t c = 0; c < outW; ++c)
            out[c] = src[c * step];
    }
    if (j.upLeft)
        addStats(out, j.upLeft, outW, s);
}

// The end of a row of a step-2 kernel, which has made pixels [0, c) and summed their figures:
// the pixels from c on, one by one, and all the row's figures.
void finishStep2Row(const RowJob& j, size_t c, uint64_t sum, uint64_t squares, Sums& s) {
    for (size_t t = c; t < j.outW; ++t)
        j.out[t] = j.copy[2 * t];
    if (!j.upLeft)
        return;
    s.sum += sum;
    s.squares += squares;
    addStats(j.out + c, j.upLeft + c, j.outW - c, s);
}

// The band's bytes from `done` to the end of each of its rows: fewer than one step of a
// kernel's own copy loop, and at the camera's width none (skipping the calls then is
// worth a few per cent of the whole conversion).
void copyBandFrom(const RowJob& j, size_t done) {
    if (done == j.w)
        return;
    for (size_t r = 0; r < j.rows; ++r)
        std::memcpy(j.copy + r * j.w + done, j.frame + r * j.w + done, j.w - done);
}

#if VISTREL_X86_KERNELS
// The step-2 kernels. A pixel's neighbour one row up and one column left is the even byte
// two bytes earlier in the row above, so the even bytes of both rows, masked into 16-bit
// lanes, give the differences without a shuffle; the squares come from multiply-add, the
// sum from SAD against zero. The first pixel's neighbour is really the last pixel two rows
// up: the row's figures are corrected for it at the end.

inline void block16(const RowJob& j, size_t c, bool stats, __m128i& sum, __m128i& squares) {
    const __m128i even = _mm_set1_epi16(0x00ff);
    const auto load = [](const unsigned char* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    };
    const __m128i a = _mm_and_si128(load(j.copy + 2 * c), even);
    const __m128i b = _mm_and_si128(load(j.copy + 2 * c + 16), even);
    const __m128i p = _mm_packus_epi16(a, b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(j.out + c), p);
    if (!stats)
        return;
    const __m128i da = _mm_sub_epi16(a, _mm_and_si128(load(j.above + 2 * c - 2), even));
    const __m128i db = _mm_sub_epi16(b, _mm_and_si128(load(j.above + 2 * c + 14), even));
    sum = _mm_add_epi64(sum, _mm_sad_epu8(p, _mm_setzero_si128()));
    squares = _mm_add_epi32(squares, _mm_add_epi32(_mm_madd_epi16(da, da), _mm_madd_epi16(db, db)));
}

// The row's lane sums, added up, and put right for the first pixel's neighbour (the last
// pixel two rows up, not the byte before the row above).
void finishRow(const RowJob& j, size_t c, __m128i sum, __m128i squares, Sums& s) {
    alignas(16) uint64_t sums[2];
    alignas(16) uint32_t sq[4]; // a row adds at most 2 x 65025 per lane and block: fits
    _mm_store_si128(reinterpret_cast<__m128i*>(sums), sum);
    _mm_store_si128(reinterpret_cast<__m128i*>(sq), squares);
    uint64_t rowSquares = uint64_t(sq[0]) + sq[1] + sq[2] + sq[3];
    if (c > 0 && j.upLeft) {
        const int p0 = j.copy[0], wrong = p0 - j.above[-2], right = p0 - j.upLeft[0];
        rowSquares = rowSquares - uint64_t(wrong * wrong) + uint64_t(right * right);
    }
    finishStep2Row(j, c, sums[0] + sums[1], rowSquares, s);
}

void sampleStep2Sse2(const RowJob& j, Sums& s) {
    copyBand(j);
    __m128i sum = _mm_setzero_si128(), squares = _mm_setzero_si128();
    size_t c = 0;
    for (; c + 16 <= j.outW; c += 16)
        block16(j, c, j.upLeft != nullptr, sum, squares);
    finishRow(j, c, sum, squares, s);
}

__attribute__((target("avx2"))) inline __m256i load32(const unsigned char* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

__attribute__((target("avx2"))) inline void store32(unsigned char* p, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

// The wide kernels below keep j's fields in locals (a store through out could otherwise
// change j, and every field would be read again in each step), fold their accumulators
// into the SSE2 ones before any call (so that they stay in registers through the loop),
// and clear the upper halves of the vector registers before the SSE2 code that finishes
// the row (which would otherwise pay for the state change at every instruction).

// Thirty-two pixels at a time; the lanes of the pack are put back in order by a permute.
// The band (one or two rows) is copied from the same loads, 64 bytes of each row per step.
__attribute__((target("avx2"))) void sampleStep2Avx2(const RowJob& j, Sums& s) {
    const __m256i even = _mm256_set1_epi16(0x00ff), zero = _mm256_setzero_si256();
    const unsigned char* const in = j.frame;
    const unsigned char* const above = j.above;
    unsigned char* const copy = j.copy;
    unsigned char* const out = j.out;
    const size_t w = j.w, outW = j.outW;
    const bool stats = j.upLeft != nullptr, second = j.rows == 2;
    __m256i sum = zero, squares = zero;
    size_t c = 0;
    for (; c + 32 <= outW; c += 32) {
        const __m256i ra = load32(in + 2 * c), rb = load32(in + 2 * c + 32);
        store32(copy + 2 * c, ra);
        store32(copy + 2 * c + 32, rb);
        if (second) {
            store32(copy + w + 2 * c, load32(in + w + 2 * c));
            store32(copy + w + 2 * c + 32, load32(in + w + 2 * c + 32));
        }
        const __m256i a = _mm256_and_si256(ra, even), b = _mm256_and_si256(rb, even);
        const __m256i p = _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xd8);
        store32(out + c, p);
        if (!stats)
            continue;
        const __m256i da = _mm256_sub_epi16(a, _mm256_and_si256(load32(above + 2 * c - 2), even));
        const __m256i db = _mm256_sub_epi16(b, _mm256_and_si256(load32(above + 2 * c + 30), even));
        sum = _mm256_add_epi64(sum, _mm256_sad_epu8(p, zero));
        squares = _mm256_add_epi32(
            squares, _mm256_add_epi32(_mm256_madd_epi16(da, da), _mm256_madd_epi16(db, db)));
    }
    // The rest of the band's rows: here rather than by memcpy, whose call costs as much as
    // the copy for the 192 bytes left of a 1920-byte row.
    size_t done = 2 * c;
    for (; done + 64 <= w; done += 64) {
        store32(copy + done, load32(in + done));
        store32(copy + done + 32, load32(in + done + 32));
        if (second) {
            store32(copy + w + done, load32(in + w + done));
            store32(copy + w + done + 32, load32(in + w + done + 32));
        }
    }
    __m128i sum16 = _mm_add_epi64(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1));
    __m128i squares16 =
        _mm_add_epi32(_mm256_castsi256_si128(squares), _mm256_extracti128_si256(squares, 1));
    _mm256_zeroupper();
    copyBandFrom(j, done); // the pixels left are sampled from the copy
    for (; c + 16 <= outW; c += 16)
        block16(j, c, stats, sum16, squares16);
    finishRow(j, c, sum16, squares16, s);
}

#define VISTREL_AVX512 __attribute__((target("avx512f,avx512bw")))

// Every lane: the masked forms of the permute and of the halves, because GCC 12's plain ones
// (and its 512-to-256 cast) pass an "undefined" vector that its own -Wuninitialized reports.
constexpr __mmask8 kAll = 0xff;

VISTREL_AVX512 inline __m512i load64(const unsigned char* p) {
    return _mm512_loadu_si512(p);
}

VISTREL_AVX512 inline void store64(unsigned char* p, __m512i v) {
    _mm512_storeu_si512(p, v);
}

// The AVX2 kernel's steps on 64 pixels at a time: twice the bytes per load and store, which
// is what the band needs (its figures cost little next to its memory traffic).
VISTREL_AVX512 void sampleStep2Avx512(const RowJob& j, Sums& s) {
    const __m512i even = _mm512_set1_epi16(0x00ff), zero = _mm512_setzero_si512();
    const __m512i inOrder = _mm512_set_epi64(7, 5, 3, 1, 6, 4, 2, 0); // undoes the pack's lanes
    const unsigned char* const in = j.frame;
    const unsigned char* const above = j.above;
    unsigned char* const copy = j.copy;
    unsigned char* const out = j.out;
    const size_t w = j.w, outW = j.outW;
    const bool stats = j.upLeft != nullptr, second = j.rows == 2;
    __m512i sum = zero, squares = zero;
    size_t c = 0;
    for (; c + 64 <= outW; c += 64) {
        const __m512i ra = load64(in + 2 * c), rb = load64(in + 2 * c + 64);
        store64(copy + 2 * c, ra);
        store64(copy + 2 * c + 64, rb);
        if (second) {
            store64(copy + w + 2 * c, load64(in + w + 2 * c));
            store64(copy + w + 2 * c + 64, load64(in + w + 2 * c + 64));
        }
        const __m512i a = _mm512_and_si512(ra, even), b = _mm512_and_si512(rb, even);
        const __m512i p = _mm512_maskz_permutexvar_epi64(kAll, inOrder, _mm512_packus_epi16(a, b));
        store64(out + c, p);
        if (!stats)
            continue;
        const __m512i da = _mm512_sub_epi16(a, _mm512_and_si512(load64(above + 2 * c - 2), even));
        const __m512i db = _mm512_sub_epi16(b, _mm512_and_si512(load64(above + 2 * c + 62), even));
        sum = _mm512_add_epi64(sum, _mm512_sad_epu8(p, zero));
        squares = _mm512_add_epi32(
            squares, _mm512_add_epi32(_mm512_madd_epi16(da, da), _mm512_madd_epi16(db, db)));
    }
    size_t done = 2 * c;
    for (; done + 128 <= w; done += 128) {
        store64(copy + done, load64(in + done));
        store64(copy + done + 64, load64(in + done + 64));
        if (second) {
            store64(copy + w + done, load64(in + w + done));
            store64(copy + w + done + 64, load64(in + w + done + 64));
        }
    }
    const __m256i sum8 = _mm256_add_epi64(_mm512_maskz_extracti64x4_epi64(kAll, sum, 0),
                                          _mm512_maskz_extracti64x4_epi64(kAll, sum, 1));
    const __m256i squares8 = _mm256_add_epi32(_mm512_maskz_extracti64x4_epi64(kAll, squares, 0),
                                              _mm512_maskz_extracti64x4_epi64(kAll, squares, 1));
    __m128i sum16 = _mm_add_epi64(_mm256_castsi256_si128(sum8), _mm256_extracti128_si256(sum8, 1));
    __m128i squares16 =
        _mm_add_epi32(_mm256_castsi256_si128(squares8), _mm256_extracti128_si256(squares8, 1));
    _mm256_zeroupper();
    copyBandFrom(j, done); // the pixels left are sampled from the copy
    for (; c + 16 <= outW; c += 16)
        block16(j, c, stats, sum16, squares16);
    finishRow(j, c, sum16, squares16, s);
}
#endif

#if VISTREL_NEON_KERNEL
#if defined(__arm__) && !defined(__ARM_NEON)
#pragma GCC push_options
#pragma GCC target("fpu=neon")
#endif

// 32 bytes of a row, and their even bytes: the sampled pixels. On 32-bit ARM one instruction
// each way, the load that parts the even bytes from the odd and the store that puts them
// together again; on arm64 that pair costs more than plain loads and one unzip.
struct Bytes32 {
    uint8x16x2_t v;
#if defined(__aarch64__)
    static Bytes32 load(const unsigned char* p) {
        return {vld1q_u8_x2(p)};
    }
    void store(unsigned char* p) const {
        vst1q_u8_x2(p, v);
    }
    uint8x16_t even() const {
        return vuzp1q_u8(v.val[0], v.val[1]);
    }
#else
    static Bytes32 load(const unsigned char* p) {
        return {vld2q_u8(p)};
    }
    void store(unsigned char* p) const {
        vst2q_u8(p, v);
    }
    uint8x16_t even() const {
        return v.val[0];
    }
#endif
};

inline uint64_t laneTotal(uint32x4_t v) {
    return uint64_t(vgetq_lane_u32(v, 0)) + vgetq_lane_u32(v, 1) + vgetq_lane_u32(v, 2) +
           vgetq_lane_u32(v, 3);
}

// The figures of a run of steps, in lanes. Each step adds at most 2 x 255 a lane to the
// 16-bit sum, which is folded into the 32-bit one every 128 steps, and 2 x 65025 to each of
// the squares: a row's lanes overflow only past 33 000 steps, half a million pixels.
struct NeonSums {
    uint32x4_t sum, squaresLow, squaresHigh;
    uint16x8_t sum16;

    // Written out: the one the compiler would make is not built for NEON.
    NeonSums() : sum(vdupq_n_u32(0)), squaresLow(sum), squaresHigh(sum), sum16(vdupq_n_u16(0)) {}

    void add(uint8x16_t p, uint8x16_t neighbours) {
        const uint8x16_t d = vabdq_u8(p, neighbours); // |d| fits a byte, d * d 16 bits
        sum16 = vpadalq_u8(sum16, p);
        squaresLow = vpadalq_u16(squaresLow, vmull_u8(vget_low_u8(d), vget_low_u8(d)));
        squaresHigh = vpadalq_u16(squaresHigh, vmull_u8(vget_high_u8(d), vget_high_u8(d)));
    }
    void fold() {
        sum = vpadalq_u16(sum, sum16);
        sum16 = vdupq_n_u16(0);
    }
};

// The step-2 kernel on NEON and ASIMD, sixteen pixels a step, sampled from the loads that
// copy 32 bytes of each of the band's rows and counted against their neighbours in the image
// already made (one load, where the x86 kernels take them from the copy's row above). Each
// pointer moves past what it read or wrote.
template <bool Second, bool Stats> struct NeonBand {
    const unsigned char *in, *upLeft;
    unsigned char *copy, *out;
    size_t w;

    void step(NeonSums& sums) {
        const Bytes32 row = Bytes32::load(in);
        row.store(copy);
        if (Second)
            Bytes32::load(in + w).store(copy + w);
        const uint8x16_t p = row.even();
        vst1q_u8(out, p);
        in += 32, copy += 32, out += 16;
        if (Stats) { // the first two rows have no neighbours, nor upLeft
            sums.add(p, vld1q_u8(upLeft));
            upLeft += 16;
        }
    }
};

// Steps made at a time, each on its own sums: an in-order core then has the others' work to
// issue while one waits for its results. The 32-bit core has half the vector registers.
#if defined(__aarch64__)
constexpr size_t kNeonWays = 4;
#else
constexpr size_t kNeonWays = 2;
#endif

// The kernel for one kind of band, so that a step tests nothing but the loop's end (the
// 32-bit compiler keeps the tests in the loop, and runs out of registers for them).
template <bool Second, bool Stats> void neonBand(const RowJob& j, Sums& s) {
    const size_t w = j.w, steps = j.outW / 16, whole = steps - steps % kNeonWays;
    NeonBand<Second, Stats> band{j.frame, j.upLeft, j.copy, j.out, w};
    NeonSums a, b, c, d; // c and d only where four are made at a time
    for (size_t i = 0; i < whole;) {
        // 128 steps of each: the most that the 16-bit sums hold
        for (const size_t end = whole - i > 128 * kNeonWays ? i + 128 * kNeonWays : whole; i < end;
             i += kNeonWays) {
            band.step(a);
            band.step(b);
            if (kNeonWays == 4) {
                band.step(c);
                band.step(d);
            }
        }
        a.fold(), b.fold(), c.fold(), d.fold();
    }
    for (size_t i = whole; i < steps; ++i) { // fewer than kNeonWays
        band.step(a);
        a.fold();
    }
    const uint32x4_t sum = vaddq_u32(vaddq_u32(a.sum, b.sum), vaddq_u32(c.sum, d.sum));
    const uint32x4_t low =
        vaddq_u32(vaddq_u32(a.squaresLow, b.squaresLow), vaddq_u32(c.squaresLow, d.squaresLow));
    const uint32x4_t high =
        vaddq_u32(vaddq_u32(a.squaresHigh, b.squaresHigh), vaddq_u32(c.squaresHigh, d.squaresHigh));
    // Summed before the calls below, which would otherwise have the 32-bit compiler keep
    // the sums in the registers that calls preserve, moved there at every step.
    const uint64_t rowSum = laneTotal(sum), rowSquares = laneTotal(low) + laneTotal(high);
    // The rest of the band's rows, 32 bytes at a time.
    size_t done = 32 * steps;
    for (; done + 32 <= w; done += 32) {
        vst1q_u8(j.copy + done, vld1q_u8(j.frame + done));
        vst1q_u8(j.copy + done + 16, vld1q_u8(j.frame + done + 16));
        if (Second) {
            vst1q_u8(j.copy + w + done, vld1q_u8(j.frame + w + done));
            vst1q_u8(j.copy + w + done + 16, vld1q_u8(j.frame + w + done + 16));
        }
    }
    copyBandFrom(j, done); // the pixels left are sampled from the copy
    finishStep2Row(j, 16 * steps, rowSum, rowSquares, s);
}

void sampleStep2Neon(const RowJob& j, Sums& s) {
    if (j.rows == 2)
        (j.upLeft ? neonBand<true, true> : neonBand<true, false>)(j, s);
    else
        (j.upLeft ? neonBand<false, true> : neonBand<false, false>)(j, s);
}

#if defined(__arm__) && !defined(__ARM_NEON)
#pragma GCC pop_options
#endif
#endif

using SampleRow = void (*)(const RowJob&, Sums&);

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
    size_t copied = 0; // rows
    for (unsigned r = 0; r < outH; ++r) {
        const size_t first = static_cast<size_t>(r) * step;
        const size_t rows = std::min<size_t>(step, h - first);
        unsigned char* out = dst + static_cast<size_t>(r) * outW;
        // Pixel i of the image counts when i > outW; its neighbour is pixel i - outW - 1,
        // which for the first column is the last pixel two rows up.
        const unsigned char* upLeft = out - outW - 1;
        const RowJob job{src + first * w,
                         luma + first * w,
                         rows,
                         w,
                         r > 0 ? luma + (first - step) * w : nullptr,
                         out,
                         r >= 2 ? upLeft : nullptr,
                         outW,
                         step};
        sampleRow(job, sums);
        if (r == 1)
            addStats(out + 1, upLeft + 1, outW - 1, sums);
        copied = first + rows;
    }
    std::memcpy(luma + copied * w, src + copied * w, n - copied * w);
    const uint64_t pixels = static_cast<uint64_t>(outW) * outH;
    if (pixels <= uint64_t(outW) + 1) // one row, or one column and two rows: no neighbours
        return stats;
    const uint64_t count = pixels - outW - 1;
    stats.lumaMean = static_cast<uint32_t>(sums.sum / count);
    stats.lumaGradient = static_cast<uint32_t>(sums.squares / count);
    return stats;
}

#if VISTREL_X86_KERNELS || VISTREL_NEON_KERNEL
template <void (*Step2)(const RowJob&, Sums&)> void step2Or(const RowJob& j, Sums& s) {
    if (j.step == 2)
        Step2(j, s);
    else
        sampleRowScalar(j, s);
}
#endif

SampleRow kernel(PreviewKernel k) {
    switch (k) {
#if VISTREL_X86_KERNELS
    case PreviewKernel::Sse2:
        return step2Or<sampleStep2Sse2>;
    case PreviewKernel::Avx2:
        return step2Or<sampleStep2Avx2>;
    case PreviewKernel::Avx512:
        return step2Or<sampleStep2Avx512>;
#endif
#if VISTREL_NEON_KERNEL
    case PreviewKernel::Neon:
        return step2Or<sampleStep2Neon>;
#endif
    default:
        return sampleRowScalar;
    }
}

PreviewKernel bestKernel() {
#if VISTREL_X86_KERNELS
    for (const PreviewKernel k : {PreviewKernel::Avx512, PreviewKernel::Avx2})
        if (previewKernelAvailable(k))
            return k;
    return PreviewKernel::Sse2;
#else
    return previewKernelAvailable(PreviewKernel::Neon) ? PreviewKernel::Neon
                                                       : PreviewKernel::Portable;
#endif
}

} // namespace

bool previewKernelAvailable(PreviewKernel k) {
    switch (k) {
    case PreviewKernel::Portable:
        return true;
#if VISTREL_X86_KERNELS
    case PreviewKernel::Sse2:
        return true;
    case PreviewKernel::Avx2:
        return __builtin_cpu_supports("avx2");
    case PreviewKernel::Avx512:
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
#endif
#if VISTREL_NEON_KERNEL
    case PreviewKernel::Neon:
#if defined(__aarch64__) || defined(__ARM_NEON)
        return true;
#else
        return (getauxval(AT_HWCAP) & HWCAP_NEON) != 0;
#endif
#endif
    default:
        return false;
    }
}

PreviewStats convertPreview(const unsigned char* src, unsigned char* dst, unsigned w, unsigned h,
                            unsigned outW, unsigned outH) {
    static const SampleRow best = kernel(bestKernel());
    return convert(src, dst, w, h, outW, outH, best);
}

PreviewStats convertPreviewWith(PreviewKernel k, const unsigned char* src, unsigned char* dst,
                                unsigned w, unsigned h, unsigned outW, unsigned outH) {
    return convert(src, dst, w, h, outW, outH, kernel(k));
}

const char* previewKernelName(PreviewKernel k) {
    switch (k) {
    case PreviewKernel::Sse2:
        return "sse2";
    case PreviewKernel::Avx2:
        return "avx2";
    case PreviewKernel::Avx512:
        return "avx512";
    case PreviewKernel::Neon:
#if defined(__aarch64__)
        return "asimd";
#else
        return "neon";
#endif
    default:
        return "portable";
    }
}
