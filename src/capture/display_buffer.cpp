#include "capture/display_buffer.h"
#include "core/log.h"
#include "core/paths.h"

#include "platform/board.h"
#include "platform/ion.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const char* message) {
    qCCritical(lcCapture, "%s", message);
    std::exit(1);
}

} // namespace

IonDevice::~IonDevice() {
    if (m_fd >= 0)
        board::close(m_fd);
}

int IonDevice::fd() {
    if (m_fd < 0)
        m_fd = board::open(paths::kIonNode, O_RDONLY | O_DSYNC);
    return m_fd;
}

int IonDevice::flush_dcache(char* addr, int len) {
    if (fd() < 0)
        return -1;
    ion::FlushRange range{reinterpret_cast<unsigned long>(addr),
                          reinterpret_cast<unsigned long>(addr) + static_cast<unsigned long>(len)};
    ion::CustomData custom{ion::CMD_FLUSH_RANGE, reinterpret_cast<unsigned long>(&range)};
    return board::ioctl(m_fd, ion::IOC_CUSTOM, &custom);
}

DisplayBuffer::~DisplayBuffer() {
    if (m_vir)
        board::munmap(m_vir, size_t(m_len));
    if (m_shareFd >= 0)
        board::close(m_shareFd);
}

int DisplayBuffer::hwd_alloc_buffer(int width, int height) {
    const int ionFd = m_ion.fd();
    if (ionFd < 0)
        fail("open /dev/ion error");
    const uint32_t len = (static_cast<uint32_t>(width * height) + 4095u) & ~4095u;

    ion::AllocationData alloc{len, 4096, ion::HEAP_MASK_CONTIG, ion::FLAG_CACHED, 0};
    if (board::ioctl(ionFd, ion::IOC_ALLOC, &alloc) < 0)
        fail("ION_IOC_ALLOC error");
    m_len = static_cast<int32_t>(len);

    ion::FdData share{alloc.handle, -1};
    if (board::ioctl(ionFd, ion::IOC_SHARE, &share) < 0)
        fail("ION_IOC_SHARE error");
    m_shareFd = share.fd;

    void* vir = board::mmap(nullptr, len, PROT_READ | PROT_WRITE, MAP_SHARED, share.fd, 0);
    if (vir == MAP_FAILED)
        fail("mmap error");
    m_vir = static_cast<unsigned char*>(vir);
    std::memset(m_vir, 128, len);

    ion::PhysData phys{alloc.handle, 0, len};
    ion::CustomData custom{ion::CMD_PHYS_ADDR, reinterpret_cast<unsigned long>(&phys)};
    if (board::ioctl(ionFd, ion::IOC_CUSTOM, &custom) < 0)
        fail("ION_IOC_SUNXI_PHYS_ADDR error");
    m_phy = phys.physAddr;
    return 0;
}

void mem_addr_vir2phy(unsigned long vir, unsigned long* phy) {
    const long page = ::sysconf(_SC_PAGESIZE);
    const char* path = "/proc/self/pagemap";
    const int fd = board::open(path, O_RDONLY);
    if (fd < 0) {
        qCWarning(lcCapture, "open %s failed", path);
        return;
    }
    const off_t at = static_cast<off_t>(vir / static_cast<unsigned long>(page)) * 8;
    if (::lseek(fd, at, SEEK_SET) != at) {
        qCWarning(lcCapture, "lseek %s failed", path);
        board::close(fd);
        return;
    }
    uint64_t entry = 0;
    if (board::read(fd, &entry, sizeof entry) != sizeof entry) {
        qCWarning(lcCapture, "read %s failed", path);
        board::close(fd);
        return;
    }
    board::close(fd);
    if (entry & (1ull << 63))
        *phy = static_cast<unsigned long>(entry & 0xFFFFFFFFu) * static_cast<unsigned long>(page) +
               vir % static_cast<unsigned long>(page);
    else
        qCWarning(lcCapture, "page is not present");
}
