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

// The same result without the vector instructions convertPreview uses where the processor
// has them: the path every other processor takes, callable anywhere so that both are tested.
PreviewStats convertPreviewPortable(const unsigned char* src, unsigned char* dst, unsigned w,
                                    unsigned h, unsigned outW, unsigned outH);
