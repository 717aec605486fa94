// GData's sensor operations.
#include "app/gdata.h"
#include "core/paths.h"

QString GData::sensorCalibrationFile() const {
    return appDir() + paths::kCalibrationFile;
}

bool GData::getSensorCalibrationData(sensor_calibrate_data_t& data) {
    return readSensorCalibration(sensorCalibrationFile(), data);
}

bool GData::setSensorCalibrationData(const sensor_calibrate_data_t& data) {
    return writeSensorCalibration(sensorCalibrationFile(), data);
}

bool GData::backupSensorCalibrationData() {
    sensor_calibrate_data_t data;
    data.distance_offset = m_nDistanceOffset;
    data.pitch_offset = m_nPitchOffset;
    return setSensorCalibrationData(data);
}
