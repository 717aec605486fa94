// The sensor calibration store: "<distance offset>,<pitch offset>\n" in one small file.
#pragma once

#include <QString>

struct sensor_calibrate_data_t {
    int distance_offset = 0;
    int pitch_offset = 0;
};

// The store's text: two comma-separated numbers (one that is not a number reads as 0).
bool parseSensorCalibration(const QString& text, sensor_calibrate_data_t& data);
bool readSensorCalibration(const QString& file, sensor_calibrate_data_t& data);
bool writeSensorCalibration(const QString& file, const sensor_calibrate_data_t& data);
