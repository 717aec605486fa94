#include "capture/display_buffer.h"
#include "core/paths.h"

#include "platform/board.h"
#include "platform/ion.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

DisplayBuffer& displayBuffer() {
    static DisplayBuffer b;
    return b;
}

namespace {

[[noreturn]] void fail(const char* message) {
    std::printf("%s\n", message);
    std::fflush(stdout);
    std::exit(1);
}

bool openIon() {
    DisplayBuffer& b = displayBuffer();
    if (b.disp_ionfd < 0)
        b.disp_ionfd = board::open(paths::kIonNode, O_RDONLY | O_DSYNC);
    return b.disp_ionfd >= 0;
}

} // namespace

int hwd_alloc_buffer(int width, int height) {
    DisplayBuffer& b = displayBuffer();
    b.video_w = width;
    b.video_h = height;
    if (!openIon())
        fail("open /dev/ion error");
    const uint32_t len = (static_cast<uint32_t>(width * height) + 4095u) & ~4095u;

    ion::AllocationData alloc{len, 4096, ion::HEAP_MASK_CONTIG, ion::FLAG_CACHED, 0};
    if (board::ioctl(b.disp_ionfd, ion::IOC_ALLOC, &alloc) < 0)
        fail("ION_IOC_ALLOC error");
    b.disp_buf_len = static_cast<int32_t>(len);

    ion::FdData share{alloc.handle, -1};
    if (board::ioctl(b.disp_ionfd, ion::IOC_SHARE, &share) < 0)
        fail("ION_IOC_SHARE error");

    void* vir = board::mmap(nullptr, len, PROT_READ | PROT_WRITE, MAP_SHARED, share.fd, 0);
    if (vir == MAP_FAILED)
        fail("mmap error");
    b.disp_buf_vir = static_cast<unsigned char*>(vir);
    std::memset(b.disp_buf_vir, 128, len);

    ion::PhysData phys{alloc.handle, 0, len};
    ion::CustomData custom{ion::CMD_PHYS_ADDR, reinterpret_cast<unsigned long>(&phys)};
    if (board::ioctl(b.disp_ionfd, ion::IOC_CUSTOM, &custom) < 0)
        fail("ION_IOC_SUNXI_PHYS_ADDR error");
    b.disp_buf_phy = phys.physAddr;
    return 0;
}

int flush_dcache(char* addr, int len) {
    DisplayBuffer& b = displayBuffer();
    if (!openIon())
        return -1;
    ion::FlushRange range{reinterpret_cast<unsigned long>(addr),
                          reinterpret_cast<unsigned long>(addr) + static_cast<unsigned long>(len)};
    ion::CustomData custom{ion::CMD_FLUSH_RANGE, reinterpret_cast<unsigned long>(&range)};
    return board::ioctl(b.disp_ionfd, ion::IOC_CUSTOM, &custom);
}

void mem_addr_vir2phy(unsigned long vir, unsigned long* phy) {
    const long page = ::sysconf(_SC_PAGESIZE);
    const char* path = "/proc/self/pagemap";
    const int fd = board::open(path, O_RDONLY);
    if (fd < 0) {
        std::printf("open %s failed\n", path);
        return;
    }
    const off_t at = static_cast<off_t>(vir / static_cast<unsigned long>(page)) * 8;
    if (::lseek(fd, at, SEEK_SET) != at) {
        std::printf("lseek %s failed\n", path);
        board::close(fd);
        return;
    }
    uint64_t entry = 0;
    if (board::read(fd, &entry, sizeof entry) != sizeof entry) {
        std::printf("read %s failed\n", path);
        board::close(fd);
        return;
    }
    board::close(fd);
    if (entry & (1ull << 63))
        *phy = static_cast<unsigned long>(entry & 0xFFFFFFFFu) * static_cast<unsigned long>(page) +
               vir % static_cast<unsigned long>(page);
    else
        std::printf("page is not present\n");
}
