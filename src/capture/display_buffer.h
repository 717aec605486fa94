// The display buffer: one physically contiguous ION buffer holding the 880 x 330 gray
// preview image at its start and a copy of the frame's luma plane from offset
// width x height on. Allocated once at start-up, never freed.
#pragma once

#include <cstdint>

struct DisplayBuffer {
    int32_t video_w = 1920, video_h = 1080;
    int32_t disp_ionfd = -1;
    int32_t disp_buf_len = 0;
    unsigned char* disp_buf_vir = nullptr;
    uint32_t disp_buf_phy = 0;
};

DisplayBuffer& displayBuffer();

// Allocates the buffer; any failure prints its message and ends the process with code 1.
int hwd_alloc_buffer(int width, int height);
// Flushes the data cache for [addr, addr + len); the driver's result, 0 on success.
int flush_dcache(char* addr, int len);
// Physical address of a user-space address through /proc/self/pagemap; `phy` is written
// only on success.
void mem_addr_vir2phy(unsigned long vir, unsigned long* phy);
