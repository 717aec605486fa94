#include "sensors/calibration_store.h"

#include "core/log.h"

#include "core/files.h"

#include <QDebug>
#include <QFile>
#include <QStringList>

bool parseSensorCalibration(const QString& text, sensor_calibrate_data_t& data) {
    const QString stored = text.trimmed();
    const QStringList parts = stored.split(',');
    if (parts.size() != 2) {
        qCWarning(lcSensors) << "Invalid calibration file format:" << stored;
        return false;
    }
    data.distance_offset = parts[0].toInt();
    data.pitch_offset = parts[1].toInt();
    return true;
}

bool readSensorCalibration(const QString& file, sensor_calibrate_data_t& data) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCWarning(lcSensors) << "Unable to open calibration file for reading:" << file;
        return false;
    }
    return parseSensorCalibration(QString::fromUtf8(f.readAll()), data);
}

bool writeSensorCalibration(const QString& file, const sensor_calibrate_data_t& data) {
    const QByteArray line = QByteArray::number(data.distance_offset) + ',' +
                            QByteArray::number(data.pitch_offset) + '\n';
    // Replaced as a whole so that a power loss cannot leave the store empty.
    if (!writeFileAtomically(file, line)) {
        qCWarning(lcSensors) << "Unable to open calibration file for writing:" << file;
        return false;
    }
    return true;
}
