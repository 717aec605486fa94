// Every device model of the virtual board, registered under its node.
#include "models.h"

#include "camera_model.h"

#include <mutex>
#include <pthread.h>

namespace vboard {
namespace {

std::mutex g_modelsLock;
std::shared_ptr<CameraModel> g_camera;

} // namespace

ThreadNameScope::ThreadNameScope(const char* name) {
    pthread_getname_np(pthread_self(), m_previous, sizeof m_previous);
    pthread_setname_np(pthread_self(), name);
}

ThreadNameScope::~ThreadNameScope() {
    pthread_setname_np(pthread_self(), m_previous);
}

void installModels() {
    auto camera = std::make_shared<CameraModel>();
    {
        std::lock_guard<std::mutex> g(g_modelsLock);
        g_camera = camera;
    }
    registerModel("/dev/video0", camera);
    registerModel("/dev/ion", makeIonModel());
    installSensorModels();
    installRtcModel();
}

void stopModelThreads() {
    std::shared_ptr<CameraModel> camera;
    {
        std::lock_guard<std::mutex> g(g_modelsLock);
        camera = g_camera;
    }
    if (camera)
        camera->stopStreaming();
}

CameraCounters cameraCounters() {
    std::lock_guard<std::mutex> g(g_modelsLock);
    return g_camera ? g_camera->counters() : CameraCounters{};
}

} // namespace vboard
