// Every device model of the virtual board, registered under its node.
#include "models.h"

#include "camera_model.h"

#include <mutex>

namespace vboard {
namespace {

std::mutex g_modelsLock;
std::shared_ptr<CameraModel> g_camera;

} // namespace

void installModels() {
    auto camera = std::make_shared<CameraModel>();
    {
        std::lock_guard<std::mutex> g(g_modelsLock);
        g_camera = camera;
    }
    registerModel("/dev/video0", camera);
    registerModel("/dev/ion", makeIonModel());
    installSensorModels();
}

CameraCounters cameraCounters() {
    std::lock_guard<std::mutex> g(g_modelsLock);
    return g_camera ? g_camera->counters() : CameraCounters{};
}

} // namespace vboard
