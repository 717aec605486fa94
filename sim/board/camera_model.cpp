// The camera on /dev/video0: the V4L2 ioctls the firmware uses, MMAP buffers in a memfd,
// NV21 1920 x 1080 at 30 frames/s in real time from a producer thread.
//
// The picture is a synthetic infrared view of a child's face: skin, two eyes with dark
// pupils and bright corneal reflexes; its brightness follows the "ambient" knob and the
// infrared light (the IR LED node or the recording's LED pattern). Each frame carries the
// driver word in the buffer record's last reserved field: after "2" is written to led_val,
// the next led_loop x 18 frames carry odd words (the frames lit by the LED pattern), all
// others even words.
//
// Knobs: camera_open_fail (1: open fails), camera_buffers (buffers granted),
// camera_dqbuf_fail (1: every dequeue fails), camera_stall (1: no frames arrive),
// camera_tags_even (1: the driver never marks a frame, as a driver without the LED pattern).
#include "camera_model.h"

#include "knobs.h"
#include "virtual_board.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

namespace vboard {
namespace {

constexpr uint32_t kWidth = 1920, kHeight = 1080;
constexpr size_t kFrameBytes = size_t(kWidth) * kHeight * 3 / 2;
constexpr unsigned kMaxBuffers = 32;
constexpr auto kFramePeriod = std::chrono::microseconds(33333);

QByteArray readBoardFile(const QString& boardPath) {
    QFile f(root() + boardPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBoardFile(const QString& boardPath, const QByteArray& data) {
    QFile f(root() + boardPath);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data);
}

// Reflectance of the scene under infrared, 0..255, drawn once: a child's face about a metre
// away, filling the middle of the view, in front of a wall far enough behind to stay dark.
const std::vector<uint8_t>& reflectance() {
    static const std::vector<uint8_t> map = [] {
        std::vector<uint8_t> m(size_t(kWidth) * kHeight);
        const double faceX = 880, faceY = 400, faceRx = 330, faceRy = 420;
        const struct { double x, y; } eyes[2] = {{755, 360}, {1005, 360}};
        for (uint32_t y = 0; y < kHeight; ++y) {
            for (uint32_t x = 0; x < kWidth; ++x) {
                double r = 25; // background wall
                const double fx = (x - faceX) / faceRx, fy = (y - faceY) / faceRy;
                if (fx * fx + fy * fy < 1.0)
                    r = 190 - 50 * (fx * fx + fy * fy); // skin, darker towards the edge
                for (const auto& e : eyes) {
                    const double dx = x - e.x, dy = y - e.y;
                    const double ex = dx / 80, ey = dy / 40;
                    if (ex * ex + ey * ey < 1.0)
                        r = 225; // sclera
                    const double d = std::sqrt(dx * dx + dy * dy);
                    if (d < 36)
                        r = 110; // iris
                    if (d < 17)
                        r = 10; // pupil
                    const double gx = dx - 5, gy = dy + 5;
                    if (gx * gx + gy * gy < 20)
                        r = 255; // corneal reflex
                }
                m[size_t(y) * kWidth + x] = static_cast<uint8_t>(r);
            }
        }
        return m;
    }();
    return map;
}

} // namespace

CameraModel::CameraModel() = default;

CameraModel::~CameraModel() {
    stopStreaming();
    closeFiles();
}

int CameraModel::open(int) {
    if (knobInt(knobs::kCameraOpenFail, 0) == 1) {
        errno = ENODEV;
        return -1;
    }
    std::lock_guard<std::mutex> g(m_lock);
    if (m_eventFd >= 0) {
        errno = EBUSY;
        return -1;
    }
    m_eventFd = ::eventfd(0, EFD_SEMAPHORE | EFD_NONBLOCK | EFD_CLOEXEC);
    return m_eventFd;
}

int CameraModel::close(int fd) {
    stopStreaming();
    closeFiles();
    (void)fd;
    return 0;
}

void CameraModel::closeFiles() {
    std::lock_guard<std::mutex> g(m_lock);
    if (m_memFd >= 0)
        ::close(m_memFd);
    if (m_eventFd >= 0)
        ::close(m_eventFd);
    m_memFd = m_eventFd = -1;
    m_count = 0;
}

void* CameraModel::mmap(void* addr, size_t length, int prot, int flags, int, off_t offset) {
    std::lock_guard<std::mutex> g(m_lock);
    if (m_memFd < 0) {
        errno = EINVAL;
        return MAP_FAILED;
    }
    // Populated at once, as driver buffers are: their pages have physical addresses.
    return ::mmap(addr, length, prot, flags | MAP_POPULATE, m_memFd, offset);
}

ssize_t CameraModel::read(int, void*, size_t) {
    errno = EINVAL;
    return -1;
}

ssize_t CameraModel::write(int, const void*, size_t) {
    errno = EINVAL;
    return -1;
}

int CameraModel::fail(int error) {
    errno = error;
    return -1;
}

int CameraModel::ioctl(int, unsigned long request, void* arg) {
    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto* cap = static_cast<v4l2_capability*>(arg);
        *cap = v4l2_capability{};
        std::strcpy(reinterpret_cast<char*>(cap->driver), "vcam");
        std::strcpy(reinterpret_cast<char*>(cap->card), "virtual infrared camera");
        std::strcpy(reinterpret_cast<char*>(cap->bus_info), "platform:vcam");
        cap->version = 0x00050A00;
        cap->capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING | V4L2_CAP_DEVICE_CAPS;
        cap->device_caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
        return 0;
    }
    case VIDIOC_ENUM_FMT: {
        auto* d = static_cast<v4l2_fmtdesc*>(arg);
        if (d->index != 0 || d->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        std::strcpy(reinterpret_cast<char*>(d->description), "YUV 4:2:0 (NV21)");
        d->pixelformat = V4L2_PIX_FMT_NV21;
        return 0;
    }
    case VIDIOC_S_INPUT:
        return *static_cast<int*>(arg) == 0 ? 0 : fail(EINVAL);
    case VIDIOC_S_FMT:
    case VIDIOC_G_FMT: {
        auto* f = static_cast<v4l2_format*>(arg);
        if (f->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        f->fmt.pix.width = kWidth;
        f->fmt.pix.height = kHeight;
        f->fmt.pix.pixelformat = V4L2_PIX_FMT_NV21;
        f->fmt.pix.field = V4L2_FIELD_NONE;
        f->fmt.pix.bytesperline = kWidth;
        f->fmt.pix.sizeimage = kFrameBytes;
        return 0;
    }
    case VIDIOC_S_PARM:
    case VIDIOC_G_PARM: {
        auto* p = static_cast<v4l2_streamparm*>(arg);
        p->parm.capture.timeperframe.numerator = 1;
        p->parm.capture.timeperframe.denominator = 30;
        return 0;
    }
    case VIDIOC_G_CTRL:
    case VIDIOC_S_CTRL: {
        auto* c = static_cast<v4l2_control*>(arg);
        int* target = c->id == V4L2_CID_GAIN       ? &m_gain
                      : c->id == V4L2_CID_EXPOSURE ? &m_exposure
                                                   : nullptr;
        if (!target)
            return fail(EINVAL);
        if (request == VIDIOC_S_CTRL)
            *target = c->value;
        else
            c->value = *target;
        return 0;
    }
    case VIDIOC_REQBUFS:
        return requestBuffers(*static_cast<v4l2_requestbuffers*>(arg));
    case VIDIOC_QUERYBUF: {
        auto* b = static_cast<v4l2_buffer*>(arg);
        std::lock_guard<std::mutex> g(m_lock);
        if (b->index >= m_count)
            return fail(EINVAL);
        b->length = kFrameBytes;
        b->m.offset = static_cast<uint32_t>(b->index * m_bufferStride);
        return 0;
    }
    case VIDIOC_QBUF: {
        auto* b = static_cast<v4l2_buffer*>(arg);
        std::lock_guard<std::mutex> g(m_lock);
        if (b->index >= m_count)
            return fail(EINVAL);
        m_queued.push_back(b->index);
        return 0;
    }
    case VIDIOC_DQBUF:
        return dequeue(*static_cast<v4l2_buffer*>(arg));
    case VIDIOC_STREAMON:
        startStreaming();
        return 0;
    case VIDIOC_STREAMOFF:
        stopStreaming();
        return 0;
    default:
        return fail(ENOTTY);
    }
}

int CameraModel::requestBuffers(v4l2_requestbuffers& req) {
    std::lock_guard<std::mutex> g(m_lock);
    if (req.memory != V4L2_MEMORY_MMAP || m_memFd >= 0)
        return fail(EINVAL);
    unsigned granted = req.count;
    const int knob = knobInt(knobs::kCameraBuffers, -1);
    if (knob >= 0)
        granted = static_cast<unsigned>(knob);
    if (granted > kMaxBuffers)
        granted = kMaxBuffers;
    req.count = granted;
    if (granted == 0)
        return 0;
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    m_bufferStride = (kFrameBytes + page - 1) / page * page;
    m_memFd = ::memfd_create("vcam-buffers", MFD_CLOEXEC);
    if (m_memFd < 0 || ::ftruncate(m_memFd, off_t(granted * m_bufferStride)) != 0)
        return fail(ENOMEM);
    m_count = granted;
    return 0;
}

int CameraModel::dequeue(v4l2_buffer& b) {
    if (knobInt(knobs::kCameraDqbufFail, 0) == 1)
        return fail(EIO);
    std::lock_guard<std::mutex> g(m_lock);
    if (m_done.empty())
        return fail(EAGAIN);
    const Done d = m_done.front();
    m_done.pop_front();
    uint64_t one = 0;
    (void)!::read(m_eventFd, &one, sizeof one);
    b.index = d.index;
    b.bytesused = kFrameBytes;
    b.sequence = d.sequence;
    b.field = V4L2_FIELD_NONE;
    b.reserved = d.tag;
    return 0;
}

void CameraModel::startStreaming() {
    if (m_producer.joinable())
        return;
    m_stop = false;
    m_producer = std::thread([this] {
        pthread_setname_np(pthread_self(), "vb-camera");
        produce();
    });
}

void CameraModel::stopStreaming() {
    m_stop = true;
    if (m_producer.joinable())
        m_producer.join();
    std::lock_guard<std::mutex> g(m_lock);
    m_queued.clear();
    m_done.clear();
    uint64_t n = 0;
    if (m_eventFd >= 0)
        while (::read(m_eventFd, &n, sizeof n) > 0) {
        }
}

CameraCounters CameraModel::counters() const {
    return {m_produced.load(), m_lost.load()};
}

// The light that reaches the sensor: the room (the sensor's gain makes the default dim room,
// ambient 12, a dark but recognisable picture whose mean stays below the brightness limit
// of 20; from about 15 on it is too bright), plus the infrared LEDs when lit.
//
// The frame goes into its buffer through the buffer's file, a band of rows at a time: the
// model keeps no mapping of its own, so the buffers are resident once, in the
// application's mapping, as a driver's are.
bool CameraModel::render(unsigned index, bool infrared) {
    const int ambient = knobInt(knobs::kAmbient, 12);
    const int light = 5 * ambient + (infrared ? 110 : 0);
    if (light != m_lutLight) {
        for (int r = 0; r < 256; ++r) {
            const int v = r * light / 255;
            m_lut[r] = static_cast<uint8_t>(v > 255 ? 255 : v);
        }
        m_lutLight = light;
    }
    const std::vector<uint8_t>& refl = reflectance();
    const size_t n = size_t(kWidth) * kHeight, band = size_t(kWidth) * 64;
    m_band.resize(band);
    const off_t base = off_t(index * m_bufferStride);
    const auto put = [&](size_t at, size_t len) {
        return ::pwrite(m_memFd, m_band.data(), len, base + off_t(at)) == ssize_t(len);
    };
    for (size_t at = 0; at < n; at += band) {
        const size_t len = std::min(band, n - at);
        for (size_t i = 0; i < len; ++i)
            m_band[i] = m_lut[refl[at + i]];
        if (!put(at, len))
            return false;
    }
    std::fill(m_band.begin(), m_band.end(), uint8_t(128));
    for (size_t at = n; at < n + n / 2; at += band)
        if (!put(at, std::min(band, n + n / 2 - at)))
            return false;
    return true;
}

uint32_t CameraModel::nextTag() {
    // The driver starts the LED pattern when "2" is written to led_val, and takes it.
    const QString ledVal = QStringLiteral("/sys/module/vfe_v4l2/parameters/led_val");
    if (readBoardFile(ledVal).trimmed() == "2") {
        const int loops =
            readBoardFile("/sys/module/vfe_v4l2/parameters/led_loop").trimmed().toInt();
        const bool evenOnly = knobInt(knobs::kCameraTagsEven, 0) == 1;
        m_ledFramesLeft = loops > 0 && !evenOnly ? loops * 18 : 0;
        writeBoardFile(ledVal, "0");
    }
    const uint32_t even = static_cast<uint32_t>(m_sequence * 2) & 0x7FFFFFFE;
    if (m_ledFramesLeft > 0) {
        --m_ledFramesLeft;
        return even + 1;
    }
    return even;
}

void CameraModel::produce() {
    auto next = std::chrono::steady_clock::now();
    while (!m_stop) {
        next += kFramePeriod;
        std::this_thread::sleep_until(next);
        if (knobInt(knobs::kCameraStall, 0) == 1)
            continue;
        const uint32_t tag = nextTag();
        const bool irLed = readBoardFile("/dev/irled").startsWith("022");
        const bool lit = irLed || (tag & 1);
        unsigned index;
        {
            std::lock_guard<std::mutex> g(m_lock);
            if (m_queued.empty()) {
                ++m_lost;
                ++m_sequence;
                continue;
            }
            index = m_queued.front();
            m_queued.pop_front();
        }
        const bool rendered = render(index, lit);
        std::lock_guard<std::mutex> g(m_lock);
        if (!rendered) { // the buffer goes back as it was: a lost frame
            m_queued.push_front(index);
            ++m_lost;
            ++m_sequence;
            continue;
        }
        m_done.push_back({index, tag, static_cast<uint32_t>(m_sequence++)});
        const uint64_t one = 1;
        (void)!::write(m_eventFd, &one, sizeof one);
        ++m_produced;
    }
}

} // namespace vboard
