// Device models of the virtual board.
#pragma once

#include "virtual_board.h"

#include <cstdint>

namespace vboard {

// Registers every device model under its board node. Called by board::init().
void installModels();

// What the camera model has done since it was registered, for benchmarks and tests.
struct CameraCounters {
    uint64_t produced = 0; // frames handed to the application
    uint64_t lost = 0;     // frames due while the application held every buffer
};
CameraCounters cameraCounters();

} // namespace vboard
