// The ION allocator on /dev/ion: allocations are memfd buffers with stable synthetic
// physical addresses; cache flushes succeed. A buffer is mapped whole when its share
// descriptor is mapped, as the SoC's contiguous memory is: no page faults on first use.
#include "models.h"
#include "platform/ion.h"

#include <cerrno>
#include <map>
#include <mutex>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

namespace vboard {
namespace {

class IonModel : public DeviceModel, public std::enable_shared_from_this<IonModel> {
public:
    int open(int) override { return ::eventfd(0, EFD_CLOEXEC); }

    int ioctl(int, unsigned long request, void* arg) override {
        std::lock_guard<std::mutex> g(m_lock);
        switch (request) {
        case ion::IOC_ALLOC: {
            auto* a = static_cast<ion::AllocationData*>(arg);
            const int fd = ::memfd_create("ion-buffer", MFD_CLOEXEC);
            if (fd < 0 || a->len == 0 || ::ftruncate(fd, a->len) != 0) {
                if (fd >= 0)
                    ::close(fd);
                errno = ENOMEM;
                return -1;
            }
            a->handle = m_nextHandle++;
            m_buffers[a->handle] = {fd, a->len, m_nextPhys};
            m_nextPhys += (a->len + 0xFFFFFu) & ~0xFFFFFu; // 1 MiB apart
            return 0;
        }
        case ion::IOC_SHARE: {
            auto* s = static_cast<ion::FdData*>(arg);
            auto it = m_buffers.find(s->handle);
            if (it == m_buffers.end()) {
                errno = EINVAL;
                return -1;
            }
            s->fd = ::dup(it->second.fd);
            if (s->fd < 0)
                return -1;
            adoptDescriptor(s->fd, shared_from_this());
            return 0;
        }
        case ion::IOC_CUSTOM: {
            auto* c = static_cast<ion::CustomData*>(arg);
            if (c->cmd == ion::CMD_FLUSH_RANGE)
                return 0;
            if (c->cmd == ion::CMD_PHYS_ADDR) {
                auto* p = reinterpret_cast<ion::PhysData*>(c->arg);
                auto it = m_buffers.find(p->handle);
                if (it == m_buffers.end()) {
                    errno = EINVAL;
                    return -1;
                }
                p->physAddr = it->second.phys;
                p->size = it->second.len;
                return 0;
            }
            errno = EINVAL;
            return -1;
        }
        default:
            errno = ENOTTY;
            return -1;
        }
    }

    void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) override {
        return ::mmap(addr, length, prot, flags | MAP_POPULATE, fd, offset);
    }

private:
    struct Buffer {
        int fd;
        uint32_t len;
        uint32_t phys;
    };
    std::mutex m_lock;
    std::map<int, Buffer> m_buffers;
    int m_nextHandle = 1;
    uint32_t m_nextPhys = 0x48000000u;
};

} // namespace

std::shared_ptr<DeviceModel> makeIonModel() {
    // One allocator for the life of the process, like the SoC's: buffers handed out stay
    // valid when the board is laid anew.
    static const auto model = std::make_shared<IonModel>();
    return model;
}

} // namespace vboard
