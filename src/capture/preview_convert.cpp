#include "capture/preview_convert.h"

#include <cstddef>
#include <cstring>

// The loops below are written so that the compiler vectorises them (this file is built
// with -O3; a sampled row never overlaps the luma copy it is read from, hence __restrict)
// : a plain gather of every step-th byte, then one pass per row for the
// statistics against the row above, shifted one column.

namespace {

void sampleRow(const unsigned char* __restrict src, unsigned char* __restrict out, unsigned outW,
               unsigned step) {
    if (step == 2) {
        for (size_t c = 0; c < outW; ++c) // size_t: an unsigned int index would block it
            out[c] = src[2 * c];
    } else {
        for (unsigned c = 0; c < outW; ++c)
            out[c] = src[static_cast<size_t>(c) * step];
    }
}

// Sum of out[from..outW) and of the squared differences to above[c - 1].
void rowStats(const unsigned char* above, const unsigned char* out, unsigned from, unsigned outW,
              uint64_t& sum, uint64_t& squares) {
    uint32_t s = 0, q = 0; // at most 880 x 65025 per row: fits
    for (unsigned c = from; c < outW; ++c) {
        const int d = int(above[c - 1]) - int(out[c]);
        s += out[c];
        q += static_cast<uint32_t>(d * d);
    }
    sum += s;
    squares += q;
}

} // namespace

PreviewStats convertPreview(const unsigned char* src, unsigned char* dst, unsigned w, unsigned h,
                            unsigned outW, unsigned outH) {
    const size_t n = static_cast<size_t>(w) * h;
    unsigned char* luma = dst + n;
    std::memcpy(luma, src, n);
    PreviewStats stats;
    if (outW == 0 || outH == 0 || outW > w)
        return stats;
    const unsigned step = w / outW;
    // Rows are sampled with the columns' step: an image taller than that reaches past the
    // frame, and is not made.
    if (static_cast<uint64_t>(outH - 1) * step >= h)
        return stats;
    uint64_t count = 0, sum = 0, squares = 0;
    for (unsigned r = 0; r < outH; ++r) {
        unsigned char* out = dst + static_cast<size_t>(r) * outW;
        sampleRow(luma + static_cast<size_t>(r) * step * w, out, outW, step);
        if (r == 0)
            continue; // no pixel of the first row has a neighbour one row up
        const unsigned char* above = out - outW;
        // Pixel i is counted when i > outW; its neighbour is pixel i - outW - 1, which for
        // the first column is the last pixel two rows up.
        unsigned from = 1;
        if (r >= 2) {
            const int d = int(above[-1]) - int(out[0]);
            sum += out[0];
            squares += static_cast<uint64_t>(d * d);
            ++count;
        }
        rowStats(above, out, from, outW, sum, squares);
        count += outW - from;
    }
    if (count == 0) // one row, or one column and two rows: no pixel has its neighbour
        return stats;
    stats.lumaMean = static_cast<uint32_t>(sum / count);
    stats.lumaGradient = static_cast<uint32_t>(squares / count);
    return stats;
}
