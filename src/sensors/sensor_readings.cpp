#include "sensors/sensor_hub.h"

#include "core/log.h"
#include "core/paths.h"

#include "platform/board.h"
#include "sensors/vl53l1x.h"

#include <QDebug>

#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <thread>

namespace {

constexpr unsigned long kImuReadRecord = 0x800E500A;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

SensorHub::~SensorHub() {
    VL53L1X_UltraLite_Linux_I2C_Deinit(&m_bus);
}

int SensorHub::initRangingSensor(int bus, unsigned char address) {
    // The kernel driver must let go of the sensor and stay away at the next boot.
    board::shell(QString("sed -i '/modprobe vl53l1/d' %1").arg(paths::kStartScript));
    board::shell("rmmod vl53l1");

    qCInfo(lcSensors, "Reset VL53Lx via shutdown");
    board::shell("echo PG3 1 > /sys/kernel/debug/sunxi_pinctrl/function");
    board::shell("echo PG3 0 > /sys/kernel/debug/sunxi_pinctrl/data");
    sleepMs(200);
    board::shell("echo PG3 1 > /sys/kernel/debug/sunxi_pinctrl/data");
    sleepMs(500);

    qCInfo(lcSensors, "I2C Bus number is %d", bus);
    if (VL53L1X_UltraLite_Linux_I2C_Init(&m_bus, bus, address) != 0)
        return -1;
    uint16_t modelId = 0;
    if (VL53L1_RdWord(&m_bus, vl53reg::MODEL_ID, &modelId) != 0)
        return -2;
    qCInfo(lcSensors, "VL53L1X: %X", modelId);

    uint8_t booted = 0;
    for (int i = 0; i < 20 && !booted; ++i) {
        VL53L1X_BootState(&m_bus, &booted);
        sleepMs(200);
    }
    qCInfo(lcSensors, "Chip booted: %d", booted);
    if (!booted)
        return -3;

    int sum = VL53L1X_SensorInit(&m_bus);
    sum += VL53L1X_SetDistanceMode(&m_bus, 2);
    sum += VL53L1X_SetTimingBudgetInMs(&m_bus, 100);
    sum += VL53L1X_SetInterMeasurementInMs(&m_bus, 105);
    sum += VL53L1X_SetROI(&m_bus, 4, 4);
    sum += VL53L1X_SetROICenter(&m_bus, 199);
    sum += VL53L1X_SetSigmaThreshold(&m_bus, 15);
    sum += VL53L1X_SetSignalThreshold(&m_bus, 10);
    sum += VL53L1X_StartRanging(&m_bus);
    return sum;
}

int SensorHub::getDistance() {
    if (!m_rangingReady) {
        const int ret = initRangingSensor(0, 41);
        if (ret != 0) {
            qCWarning(lcSensors, "RangingSensor init ret: %d", ret);
            return -1;
        }
        qCInfo(lcSensors, "RangingSensor init ret: %d", ret);
        m_rangingReady = true;
    }

    uint8_t ready = 0;
    for (int i = 0; i < 4; ++i) {
        VL53L1X_CheckForDataReady(&m_bus, &ready);
        if (ready)
            break;
        sleepMs(50);
    }
    if (!ready) {
        const bool reinit = m_distanceFilter.notReady();
        qCInfo(lcSensors, "VL53L1X data not ready: %d", m_distanceFilter.missCount());
        if (reinit) {
            VL53L1X_UltraLite_Linux_I2C_Deinit(&m_bus);
            m_rangingReady = false;
            qCWarning(lcSensors, "Reinit I2C...");
        }
        return -2;
    }
    m_distanceFilter.ready();

    VL53L1X_Result_t r{};
    VL53L1X_GetResult(&m_bus, &r);
    qCDebug(lcSensors, "Status = %2d, dist = %5d, Ambient = %02d, Signal = %02d, #ofSpads = %5d",
            r.Status, r.Distance, r.Ambient, r.SigPerSPAD, r.NumSPADs);
    const DistanceFilter::Reading reading =
        m_distanceFilter.result(r.Status, r.Distance, m_distanceOffset);
    if (reading.reinit) {
        VL53L1X_UltraLite_Linux_I2C_Deinit(&m_bus);
        m_rangingReady = false;
        qCWarning(lcSensors, "Reinit I2C...");
    }
    if (!reading.clearIrq)
        return reading.value;
    qCDebug(lcSensors, "result: %d", reading.value);
    VL53L1X_ClearInterrupt(&m_bus);
    return reading.value;
}

int SensorHub::getDOF() {
    const int fd = board::open(paths::kImuNode, O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        qCWarning(lcSensors, "qmi8658 open_device FAIL");
        return kNoPitch;
    }
    int16_t record[7] = {};
    const int read = board::ioctl(fd, kImuReadRecord, record);
    board::close(fd);
    if (read < 0) {
        qCWarning(lcSensors, "qmi8658 read FAIL");
        return kNoPitch;
    }
    const ImuRecord r{record[0],
                      record[1],
                      record[2],
                      record[3],
                      record[4],
                      record[5],
                      static_cast<uint16_t>(record[6])};
    // The offset comes from the calibration store and may be anything: the sum saturates.
    const qint64 pitch = qint64(m_tiltFilter.step(r)) + m_pitchOffset;
    const qint64 lowest = qint64(kNoPitch) + 1, highest = std::numeric_limits<int>::max();
    return int(qBound(lowest, pitch, highest));
}
