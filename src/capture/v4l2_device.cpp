#include "capture/v4l2_device.h"
#include "core/log.h"
#include "core/paths.h"

#include "capture/camera_retry.h"
#include "capture/display_buffer.h"
#include "platform/board.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/mman.h>

namespace {

constexpr unsigned kMinBuffers = 2, kMaxBuffers = 5;

// Called from the frame-pump thread: the exit is the main thread's, which then stops the
// workers before anything they use goes away.
void exitEventLoop(int code) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app)
        QMetaObject::invokeMethod(
            app, [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
}
void (*g_restartAction)(int) = exitEventLoop;

// A buffer record of the capture queue with memory-mapped buffers.
v4l2_buffer mmapBuffer(unsigned index = 0) {
    v4l2_buffer buf{};
    buf.index = index;
    buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    buf.memory = V4L2_MEMORY_MMAP;
    return buf;
}

void logFormat(const v4l2_format& fmt) {
    const unsigned pf = fmt.fmt.pix.pixelformat;
    qCDebug(lcCapture, "fmt.type:\t\t%d", fmt.type);
    qCDebug(lcCapture, "pix.pixelformat:\t%c%c%c%c", pf & 0xFF, (pf >> 8) & 0xFF, (pf >> 16) & 0xFF,
            (pf >> 24) & 0xFF);
    qCDebug(lcCapture, "pix.height:\t\t%d", fmt.fmt.pix.height);
    qCDebug(lcCapture, "pix.width:\t\t%d", fmt.fmt.pix.width);
    qCDebug(lcCapture, "pix.field:\t\t%d", fmt.fmt.pix.field);
}

} // namespace

void setCameraRestartAction(void (*action)(int)) {
    g_restartAction = action ? action : exitEventLoop;
}

V4l2Device::V4l2Device(int width, int height)
    : m_nWidth(static_cast<unsigned>(width)), m_nHeight(static_cast<unsigned>(height)) {}

int V4l2Device::control(unsigned long request, unsigned id, int* value) {
    v4l2_control ctrl{};
    ctrl.id = id;
    ctrl.value = *value;
    const int r = board::ioctl(m_nFd, request, &ctrl);
    *value = ctrl.value;
    return r;
}

int V4l2Device::open_device() {
    m_nFd = board::open(paths::kCameraNode, O_RDWR | O_NONBLOCK);
    if (m_nFd < 0) {
        qCWarning(lcCapture, "open_device FAIL");
        return -1;
    }
    qCDebug(lcCapture, "open_device OK [%d]", m_nFd);

    v4l2_capability cap{};
    if (board::ioctl(m_nFd, VIDIOC_QUERYCAP, &cap) < 0) {
        qCWarning(lcCapture, "Error opening device %s: unable to query device.",
                  paths::kCameraNodePrefix);
        return -1;
    }
    qCDebug(lcCapture, "driver:\t\t%s", reinterpret_cast<const char*>(cap.driver));
    qCDebug(lcCapture, "card:\t\t%s", reinterpret_cast<const char*>(cap.card));
    qCDebug(lcCapture, "bus_info:\t\t%s", reinterpret_cast<const char*>(cap.bus_info));
    qCDebug(lcCapture, "version:\t\t%d", cap.version);
    qCDebug(lcCapture, "capabilities:\t\t%x", cap.capabilities);
    if (!(cap.capabilities & V4L2_CAP_VIDEO_CAPTURE)) {
        qCWarning(lcCapture, "Device %s: NOT supports capture.", paths::kCameraNodePrefix);
        return -1;
    }
    qCDebug(lcCapture, "Device %s: supports capture.", paths::kCameraNodePrefix);
    if (!(cap.capabilities & V4L2_CAP_STREAMING)) {
        qCWarning(lcCapture, "Device %s: NOT supports streaming.", paths::kCameraNodePrefix);
        return -1;
    }
    qCDebug(lcCapture, "Device %s: supports streaming.", paths::kCameraNodePrefix);

    qCDebug(lcCapture, "Support format:");
    v4l2_fmtdesc desc{};
    desc.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    for (desc.index = 0; board::ioctl(m_nFd, VIDIOC_ENUM_FMT, &desc) == 0; ++desc.index)
        qCDebug(lcCapture, "\t%d.%s", desc.index + 1,
                reinterpret_cast<const char*>(desc.description));

    int input = 0;
    if (board::ioctl(m_nFd, VIDIOC_S_INPUT, &input) < 0) {
        qCWarning(lcCapture, "Unable to set input");
        return -1;
    }

    qCDebug(lcCapture, "set format...");
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    fmt.fmt.pix.width = m_nWidth;
    fmt.fmt.pix.height = m_nHeight;
    fmt.fmt.pix.pixelformat = V4L2_PIX_FMT_NV21;
    fmt.fmt.pix.field = V4L2_FIELD_ANY;
    logFormat(fmt);
    if (board::ioctl(m_nFd, VIDIOC_S_FMT, &fmt) < 0) {
        qCWarning(lcCapture, "Unable to set format");
        return -1;
    }
    qCDebug(lcCapture, "\nget format...");
    if (board::ioctl(m_nFd, VIDIOC_G_FMT, &fmt) < 0) {
        qCWarning(lcCapture, "Unable to get format");
        return -1;
    }
    logFormat(fmt);

    v4l2_streamparm parm{};
    parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    parm.parm.capture.timeperframe.numerator = 1;
    parm.parm.capture.timeperframe.denominator = 30;
    if (board::ioctl(m_nFd, VIDIOC_S_PARM, &parm) < 0) {
        qCWarning(lcCapture, "Unable to set frame rate");
        return -1;
    }
    if (board::ioctl(m_nFd, VIDIOC_G_PARM, &parm) < 0) {
        qCWarning(lcCapture, "Unable to get frame rate");
        return -1;
    }
    qCDebug(lcCapture, "numerator:%d\ndenominator:%d", parm.parm.capture.timeperframe.numerator,
            parm.parm.capture.timeperframe.denominator);

    int value = 0;
    if (control(VIDIOC_G_CTRL, V4L2_CID_GAIN, &value) < 0) {
        qCWarning(lcCapture, "Unable to get gain control");
        return -1;
    }
    qCDebug(lcCapture, "get gain_ctrl:%d\n", value);
    if (control(VIDIOC_G_CTRL, V4L2_CID_EXPOSURE, &value) < 0) {
        qCWarning(lcCapture, "Unable to get exposure control");
        return -1;
    }
    qCDebug(lcCapture, "get exposure_ctrl:%d\n", value);

    v4l2_requestbuffers req{};
    req.count = m_nBufferCount;
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    if (board::ioctl(m_nFd, VIDIOC_REQBUFS, &req) < 0) {
        qCWarning(lcCapture, "ioctl VIDIOC_REQBUFS fail");
        return -1;
    }
    if (req.count < kMinBuffers || req.count > kMaxBuffers) {
        qCWarning(lcCapture, "ioctl VIDIOC_REQBUFS error");
        return -1;
    }
    m_nBufferCount = req.count;

    m_pBuffers =
        static_cast<FrameBufferEntry*>(std::calloc(m_nBufferCount, sizeof(FrameBufferEntry)));
    if (!m_pBuffers) {
        qCWarning(lcCapture, "calloc error");
        return -1;
    }
    for (unsigned i = 0; i < m_nBufferCount; ++i) {
        v4l2_buffer buf = mmapBuffer(i);
        if (board::ioctl(m_nFd, VIDIOC_QUERYBUF, &buf) < 0) {
            qCWarning(lcCapture, "ioctl VIDIOC_QUERYBUF error");
            return -1;
        }
        m_pBuffers[i].length = buf.length;
        void* start = board::mmap(nullptr, buf.length, PROT_READ | PROT_WRITE, MAP_SHARED, m_nFd,
                                  buf.m.offset);
        if (start == MAP_FAILED) {
            qCWarning(lcCapture, "mmap error");
            return -1;
        }
        m_pBuffers[i].start = start;
        mem_addr_vir2phy(reinterpret_cast<unsigned long>(start), &m_pBuffers[i].phy);
    }
    qCDebug(lcCapture, "Open device success");
    return 0;
}

int V4l2Device::close_device() {
    if (m_pBuffers) {
        for (unsigned i = 0; i < m_nBufferCount; ++i)
            if (m_pBuffers[i].start && board::munmap(m_pBuffers[i].start, m_pBuffers[i].length) < 0)
                qCWarning(lcCapture, "munmap error");
        std::free(m_pBuffers);
        m_pBuffers = nullptr;
    }
    if (board::close(m_nFd) < 0) {
        qCWarning(lcCapture, "Close device FAIL");
        return -1;
    }
    m_nFd = -1;
    qCDebug(lcCapture, "Close device success");
    return 0;
}

int V4l2Device::start_capture() {
    for (unsigned i = 0; i < m_nBufferCount; ++i) {
        v4l2_buffer buf = mmapBuffer(i);
        if (board::ioctl(m_nFd, VIDIOC_QBUF, &buf) < 0) {
            qCWarning(lcCapture, "ioctl VIDIOC_QBUF error");
            return -1;
        }
    }
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (board::ioctl(m_nFd, VIDIOC_STREAMON, &type) < 0) {
        qCWarning(lcCapture, "ioctl VIDIOC_STREAMON error");
        return -1;
    }
    qCDebug(lcCapture, "Start capture......");
    return 0;
}

void V4l2Device::stop_capture() {
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (board::ioctl(m_nFd, VIDIOC_STREAMOFF, &type) < 0)
        qCWarning(lcCapture, "ioctl VIDIOC_STREAMOFF error");
}

int V4l2Device::pull_frame(void** start, void** phys, int* tag, int* length, bool fill) {
    if (board::waitReadable(m_nFd, 2000) < 0) {
        qCWarning(lcCapture, "ioctl select error");
        return -1;
    }
    v4l2_buffer buf = mmapBuffer();
    if (board::ioctl(m_nFd, VIDIOC_DQBUF, &buf) < 0) {
        if (!m_bRestartAsked && !m_bGaveUp)
            qCWarning(lcCapture, "ioctl VIDIOC_DQBUF error");
        return dequeueFailed();
    }
    if (buf.index >= m_nBufferCount) {
        qCDebug(lcCapture, "VIDIOC_DQBUF: buffer index %u out of range (%u buffers)", buf.index,
                m_nBufferCount);
        return dequeueFailed();
    }
    *tag = static_cast<int>(buf.reserved);
    m_nDqbufErrors = 0;
    m_bGaveUp = false;
    if (fill) {
        *start = m_pBuffers[buf.index].start;
        *phys = reinterpret_cast<void*>(m_pBuffers[buf.index].phy);
        *length = static_cast<int>(m_pBuffers[buf.index].length);
    }
    m_nCurrentIndex = static_cast<int>(buf.index);
    return 0;
}

// One restart per device: the application is ending, so further failures only wait. The
// restarts left are counted per boot in the board's /tmp.
int V4l2Device::dequeueFailed() {
    if (m_bRestartAsked || m_bGaveUp) {
        QThread::msleep(100);
        return -1;
    }
    if (++m_nDqbufErrors < 2)
        return -1;
    qCWarning(lcCapture, "too much VIDIOC_DQBUF error, restart device");
    const int retries = getCameraRetryCount();
    qCDebug(lcCapture, "RetryCount: %d", retries);
    m_nDqbufErrors = 0;
    if (retries > 0) {
        setCameraRetryCount(retries - 1);
        m_bRestartAsked = true;
        g_restartAction(kCameraRestartExit);
    } else {
        qCWarning(lcCapture, "camera: no restart left since the board started; it stays off");
        m_bGaveUp = true;
    }
    return -1;
}

int V4l2Device::push_frame() {
    if (m_nCurrentIndex == -1) {
        qCWarning(lcCapture, "push_frame error");
        return -1;
    }
    v4l2_buffer buf = mmapBuffer(static_cast<unsigned>(m_nCurrentIndex));
    if (board::ioctl(m_nFd, VIDIOC_QBUF, &buf) < 0) {
        qCWarning(lcCapture, "ioctl VIDIOC_QBUF error");
        return -1;
    }
    return 0;
}

void V4l2Device::setControl(unsigned id, const char* name, int value) {
    if (control(VIDIOC_S_CTRL, id, &value) < 0)
        qCWarning(lcCapture, "Unable to set %s control", name);
    else
        qCDebug(lcCapture, "set %s control : %d\n", name, value);
}

int V4l2Device::getControl(unsigned id, const char* name) {
    int value = 0;
    if (control(VIDIOC_G_CTRL, id, &value) < 0) {
        qCWarning(lcCapture, "Unable to get %s control", name);
        return -1;
    }
    qCDebug(lcCapture, "get %s control : %d\n", name, value);
    return value;
}

void V4l2Device::set_gain(int value) {
    setControl(V4L2_CID_GAIN, "gain", value);
}
void V4l2Device::set_exposure(int value) {
    setControl(V4L2_CID_EXPOSURE, "exposure", value);
}
int V4l2Device::get_gain() {
    return getControl(V4L2_CID_GAIN, "gain");
}
int V4l2Device::get_exposure() {
    return getControl(V4L2_CID_EXPOSURE, "exposure");
}
