// The sensor calibration store: "<distance offset>,<pitch offset>\n" in one small file.
#pragma once

#include <QString>

struct sensor_calibrate_data_t {
    int distance_offset = 0;
    int pitch_offset = 0;
};

bool readSensorCalibration(const QString& file, sensor_calibrate_data_t& data);
bool writeSensorCalibration(const QString& file, const sensor_calibrate_data_t& data);
