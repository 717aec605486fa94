// Device models of the virtual board.
#pragma once

#include "virtual_board.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vboard {

// Registers every device model under its board node. Called by board::init().
void installModels();

// Threads of the board's models carry this prefix, so that what the application's own
// threads cost can be told apart from what the stand-ins for the hardware cost.
constexpr const char* kModelThreadPrefix = "vb-";

// Names the calling thread for its lifetime; threads it starts inherit the name. The
// previous name comes back when the object goes.
class ThreadNameScope {
public:
    explicit ThreadNameScope(const char* name);
    ~ThreadNameScope();
    ThreadNameScope(const ThreadNameScope&) = delete;
    ThreadNameScope& operator=(const ThreadNameScope&) = delete;

private:
    char m_previous[16] = {};
};

// What the camera model has done since it was registered, for benchmarks and tests.
struct CameraCounters {
    uint64_t produced = 0; // frames handed to the application
    uint64_t lost = 0;     // frames due while the application held every buffer
};
CameraCounters cameraCounters();

// Stops the threads of the models (the camera's frame producer), as the board's power going
// away would. The simulator calls it while the application object is destroyed: a model
// thread still running when the process's statics are destroyed would use them after.
void stopModelThreads();

std::shared_ptr<DeviceModel> makeIonModel();

// The hardware clock's model (rtc_model.cpp).
void installRtcModel();

// The distance sensor's and the IMU's and display's models (sensor_models.cpp).
void installSensorModels();
// How often the firmware read a distance result and an IMU record.
struct SensorCounters {
    uint64_t distanceReads = 0;
    uint64_t imuReads = 0;
};
SensorCounters sensorCounters();

// The distance sensor's register file as the firmware left it.
std::vector<uint8_t> rangeSensorRegisters();

} // namespace vboard
