// Child process for the board's exit test: streams from the virtual camera through the
// firmware's driver and returns from main with the camera still streaming, as the
// application does when it ends. Once the application object is gone the camera must have
// stopped: a model thread still running while the process's statics are destroyed reads
// them after their end (a crash at exit, which the supervisor takes for a fault instead of
// a restart). Exit code 0 when no frame came after the application object, 3 when frames
// kept coming, 2 when the camera never streamed.
#include "capture/v4l2_device.h"
#include "models.h"
#include "platform/board.h"

#include <QCoreApplication>

#include <chrono>
#include <thread>

namespace {

// Left open for the life of the process, and reachable, as the application's camera is.
V4l2Device* g_camera = nullptr;

uint64_t framesDue() {
    const vboard::CameraCounters c = vboard::cameraCounters();
    return c.produced + c.lost;
}

bool waitForFrames(uint64_t count) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (framesDue() < count)
        if (std::chrono::steady_clock::now() > end)
            return false;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    {
        QCoreApplication app(argc, argv);
        board::init(); // the board of VISTREL_SIM_BOARD_ROOT
        g_camera = new V4l2Device(1920, 1080);
        if (g_camera->open_device() != 0 || g_camera->start_capture() != 0 || !waitForFrames(3))
            return 2;
    }
    const uint64_t before = framesDue();
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // six frame periods
    return framesDue() == before ? 0 : 3;
}
