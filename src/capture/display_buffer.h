// The display buffer: one physically contiguous ION buffer holding the 880 x 330 gray
// preview image at its start and a copy of the frame's luma plane from offset
// width x height on. The capture session allocates it once at start-up and gives it back
// when it goes.
#pragma once

#include <cstdint>

// The ION device, opened on first use and closed with the object: allocations and the
// encoder's cache flushes go through it.
class IonDevice {
public:
    IonDevice() = default;
    IonDevice(const IonDevice&) = delete;
    IonDevice& operator=(const IonDevice&) = delete;
    ~IonDevice();

    // The open device, or -1 when it cannot be opened.
    int fd();
    // Flushes the data cache for [addr, addr + len); the driver's result, 0 on success.
    int flush_dcache(char* addr, int len);

private:
    int m_fd = -1;
};

class DisplayBuffer {
public:
    DisplayBuffer() = default;
    DisplayBuffer(const DisplayBuffer&) = delete;
    DisplayBuffer& operator=(const DisplayBuffer&) = delete;
    ~DisplayBuffer();

    // Allocates the buffer; any failure logs its message and ends the process with code 1.
    int hwd_alloc_buffer(int width, int height);
    unsigned char* data() const { return m_vir; }
    uint32_t physical() const { return m_phy; }

private:
    IonDevice m_ion;
    int32_t m_len = 0;
    int m_shareFd = -1;
    unsigned char* m_vir = nullptr;
    uint32_t m_phy = 0;
};

// Physical address of a user-space address through /proc/self/pagemap; `phy` is written
// only on success.
void mem_addr_vir2phy(unsigned long vir, unsigned long* phy);
