// The sensors subsystem's state: the distance sensor and the IMU, their filters, the
// latest readings, the calibration offsets and the calibration store.
//
// Threads: the sensor thread (HWThread) reads the sensors and publishes the readings; the
// GUI reads them and hands in new offsets when the operator calibrates. Readings and
// offsets are atomics; the drivers and filters belong to the sensor thread alone.
#pragma once

#include <QString>

#include <atomic>
#include <limits>

#include "sensors/calibration_store.h"
#include "sensors/distance_filter.h"
#include "sensors/tilt_filter.h"
#include "sensors/vl53l1_platform.h"

class SensorHub {
public:
    // The calibration store lives under the application folder.
    void setAppDir(const QString& appDir) { m_appDir = appDir; }

    // ---- readings (sensor thread writes, GUI reads) -------------------------------------
    int distance() const { return m_distance; } // cm, or a negative code of getDistance
    // getDOF's answer when the IMU cannot be read: below every pitch a reading can give, so
    // that no failure reads as a level device.
    static constexpr int kNoPitch = std::numeric_limits<int>::min();
    int pitch() const { return m_pitch; } // degrees with the offset, or kNoPitch
    void setDistance(int cm) { m_distance = cm; }
    void setPitch(int degrees) { m_pitch = degrees; }

    // ---- calibration offsets (GUI writes, sensor thread reads) ------------------------
    int pitchOffset() const { return m_pitchOffset; }
    int distanceOffset() const { return m_distanceOffset; }
    void setOffsets(int pitchOffset, int distanceOffset) {
        m_pitchOffset = pitchOffset;
        m_distanceOffset = distanceOffset;
    }

    // ---- drivers (sensor thread) --------------------------------------------------------
    int initRangingSensor(int bus, unsigned char address);
    int getDistance();
    int getDOF(); // kNoPitch when the IMU cannot be opened or read
    ~SensorHub();
    bool rangingReady() const { return m_rangingReady; }
    // The distance sensor's bus is open (it is let go after repeated bad readings).
    bool rangingBusOpen() const { return m_bus.handle >= 0; }
    void setRangingReady(bool ready) { m_rangingReady = ready; }
    DistanceFilter& distanceFilter() { return m_distanceFilter; }

    // ---- calibration store ----------------------------------------------------------------
    QString sensorCalibrationFile() const;
    bool getSensorCalibrationData(sensor_calibrate_data_t& data) const;
    bool setSensorCalibrationData(const sensor_calibrate_data_t& data) const;
    // Writes the offsets in force.
    bool backupSensorCalibrationData() const;

private:
    QString m_appDir;
    std::atomic<int> m_distance{0};
    std::atomic<int> m_pitch{0};
    std::atomic<int> m_pitchOffset{0};
    std::atomic<int> m_distanceOffset{0};
    std::atomic<bool> m_rangingReady{false};
    RangingBus m_bus;                // sensor thread only
    DistanceFilter m_distanceFilter; // sensor thread only
    TiltFilter m_tiltFilter;         // sensor thread only
};
