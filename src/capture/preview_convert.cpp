#include "capture/preview_convert.h"

#include <cstddef>
#include <cstring>

PreviewStats convertPreview(const unsigned char* src, unsigned char* dst, unsigned w, unsigned h,
                            unsigned outW, unsigned outH) {
    const size_t n = static_cast<size_t>(w) * h;
    unsigned char* luma = dst + n;
    std::memcpy(luma, src, n);
    PreviewStats stats;
    if (outW == 0 || outH == 0)
        return stats;
    const unsigned step = w / outW;
    uint64_t count = 0, sum = 0, squares = 0;
    for (unsigned r = 0; r < outH; ++r) {
        const unsigned char* row = luma + static_cast<size_t>(r) * step * w;
        unsigned char* out = dst + static_cast<size_t>(r) * outW;
        // Pixels past index outW have a written neighbour one row up and one column left.
        const unsigned firstCounted = r == 0 ? outW : (r == 1 ? 1 : 0);
        for (unsigned c = 0; c < outW; ++c) {
            const unsigned char v = row[static_cast<size_t>(c) * step];
            out[c] = v;
            if (r > 0 && c >= firstCounted) {
                const ptrdiff_t back = static_cast<ptrdiff_t>(outW) + 1;
                const int d = int(out[static_cast<ptrdiff_t>(c) - back]) - int(v);
                ++count;
                sum += v;
                squares += static_cast<uint64_t>(d * d);
            }
        }
    }
    if (count) {
        stats.lumaMean = static_cast<uint32_t>(sum / count);
        stats.lumaGradient = static_cast<uint32_t>(squares / count);
    }
    return stats;
}
