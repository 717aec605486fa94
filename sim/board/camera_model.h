#pragma once

#include "models.h"
#include "virtual_board.h"

#include <atomic>
#include <deque>
#include <linux/videodev2.h>
#include <mutex>
#include <thread>
#include <vector>

namespace vboard {

class CameraModel : public DeviceModel {
public:
    CameraModel();
    ~CameraModel() override;
    int open(int flags) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    ssize_t read(int fd, void* buf, size_t count) override;
    ssize_t write(int fd, const void* buf, size_t count) override;
    void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) override;

    CameraCounters counters() const;
    // Ends the frame producer: on STREAMOFF, on closing the node, and when the board stops.
    void stopStreaming();

private:
    struct Done {
        unsigned index;
        uint32_t tag;
        uint32_t sequence;
    };
    static int fail(int error);
    int requestBuffers(v4l2_requestbuffers& req);
    int dequeue(v4l2_buffer& b);
    void startStreaming();
    void closeFiles();
    void produce();
    uint32_t nextTag();
    bool render(unsigned index, bool infrared);

    std::mutex m_lock;
    int m_eventFd = -1;
    int m_memFd = -1;
    unsigned m_count = 0;
    size_t m_bufferStride = 0;
    std::deque<unsigned> m_queued;
    std::deque<Done> m_done;
    int m_gain = 1, m_exposure = 225;

    std::thread m_producer;
    std::atomic<bool> m_stop{false};
    uint64_t m_sequence = 0;     // producer thread
    int m_ledFramesLeft = 0;     // producer thread
    uint8_t m_lut[256] = {};     // producer thread
    int m_lutLight = -1;         // producer thread
    std::vector<uint8_t> m_band; // producer thread: rows on their way into a buffer
    std::atomic<uint64_t> m_produced{0}, m_lost{0};
};

} // namespace vboard
