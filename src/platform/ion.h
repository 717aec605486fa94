// The SoC's ION allocator interface as the firmware uses it: request numbers and records.
#pragma once

#include <cstdint>

namespace ion {

constexpr unsigned long IOC_ALLOC = 0xC0144900;  // AllocationData
constexpr unsigned long IOC_SHARE = 0xC0084904;  // FdData
constexpr unsigned long IOC_CUSTOM = 0xC0084906; // CustomData

constexpr unsigned CMD_FLUSH_RANGE = 5; // arg: FlushRange*
constexpr unsigned CMD_PHYS_ADDR = 7;   // arg: PhysData*

constexpr uint32_t HEAP_MASK_CONTIG = (1u << 2) | (1u << 4);
constexpr uint32_t FLAG_CACHED = 3;

struct AllocationData {
    uint32_t len;
    uint32_t align;
    uint32_t heapMask;
    uint32_t flags;
    int32_t handle; // out
};

struct FdData {
    int32_t handle;
    int32_t fd; // out
};

struct CustomData {
    unsigned int cmd;
    unsigned long arg;
};

struct PhysData {
    int32_t handle;
    uint32_t physAddr; // out
    uint32_t size;
};

struct FlushRange {
    unsigned long start;
    unsigned long end;
};

} // namespace ion
