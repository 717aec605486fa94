#include "sensors/sensor_hub.h"

#include "core/paths.h"

QString SensorHub::sensorCalibrationFile() const {
    return m_appDir + paths::kCalibrationFile;
}

bool SensorHub::getSensorCalibrationData(sensor_calibrate_data_t& data) const {
    return readSensorCalibration(sensorCalibrationFile(), data);
}

bool SensorHub::setSensorCalibrationData(const sensor_calibrate_data_t& data) const {
    return writeSensorCalibration(sensorCalibrationFile(), data);
}

bool SensorHub::backupSensorCalibrationData() const {
    sensor_calibrate_data_t data;
    data.distance_offset = m_distanceOffset;
    data.pitch_offset = m_pitchOffset;
    return setSensorCalibrationData(data);
}
