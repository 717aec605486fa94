// The pitch filter: accelerometer angles smoothed by a weighted moving average of 8
// samples, fused with the integrated gyroscope rate by a one-dimensional Kalman step.
#pragma once

#include <cstdint>

// One record of the inertial sensor: accelerations in milli-g, angular rates in raw units,
// milliseconds since the previous record.
struct ImuRecord {
    int16_t ax, ay, az;
    int16_t gx, gy, gz;
    uint16_t elapsedMs;
};

class TiltFilter {
public:
    // One filter step; the filtered pitch in degrees.
    float step(const ImuRecord& r);
    float angle() const { return g_fAngle; }

private:
    static constexpr float pi = 3.1415926f;
    static constexpr uint8_t n_sample = 8;

    float smooth(float window[8], float angle);
    static void push10(float window[10], float value, float& mean);

    float x_fAcc = 0, y_fAcc = 0, z_fAcc = 0;
    float g_timeVal = 0;
    float aax = 0, aay = 0, aaz = 0;
    float aaxs[8] = {}, aays[8] = {}, aazs[8] = {};
    float a_x[10] = {}, a_y[10] = {}, a_z[10] = {};
    float agx = 0, agy = 0, agz = 0;
    float gxo = 0, gyo = 0, gzo = 0;
    float Sx = 0, Sy = 0, Sz = 0;
    float Rx = 0, Px = 1.0f, Kx = 0;
    float g_fAngle = 0;
};
