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

// Every sensor operation passes the low 16 bits of a field holding -1; the platform layer
// always talks to the one open bus.
constexpr VL53L1_Dev_t kDev = static_cast<VL53L1_Dev_t>(-1);

constexpr unsigned long kImuReadRecord = 0x800E500A;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

int SensorHub::initRangingSensor(int bus, unsigned char address) {
    // The kernel driver must let go of the sensor and stay away at the next boot.
    board::shell(QString("sed -i '/modprobe vl53l1/d' %1").arg(paths::kStartScript));
    board::shell("rmmod vl53l1");

    std::printf("Reset VL53Lx via shutdown\n");
    board::shell("echo PG3 1 > /sys/kernel/debug/sunxi_pinctrl/function");
    board::shell("echo PG3 0 > /sys/kernel/debug/sunxi_pinctrl/data");
    sleepMs(200);
    board::shell("echo PG3 1 > /sys/kernel/debug/sunxi_pinctrl/data");
    sleepMs(500);

    std::printf("I2C Bus number is %d\n", bus);
    if (VL53L1X_UltraLite_Linux_I2C_Init(kDev, bus, address) != 0)
        return -1;
    uint16_t modelId = 0;
    if (VL53L1_RdWord(kDev, vl53reg::MODEL_ID, &modelId) != 0)
        return -2;
    std::printf("VL53L1X: %X\n", modelId);

    uint8_t booted = 0;
    for (int i = 0; i < 20 && !booted; ++i) {
        VL53L1X_BootState(kDev, &booted);
        sleepMs(200);
    }
    std::printf("Chip booted: %d\n", booted);
    if (!booted)
        return -3;

    int sum = VL53L1X_SensorInit(kDev);
    sum += VL53L1X_SetDistanceMode(kDev, 2);
    sum += VL53L1X_SetTimingBudgetInMs(kDev, 100);
    sum += VL53L1X_SetInterMeasurementInMs(kDev, 105);
    sum += VL53L1X_SetROI(kDev, 4, 4);
    sum += VL53L1X_SetROICenter(kDev, 199);
    sum += VL53L1X_SetSigmaThreshold(kDev, 15);
    sum += VL53L1X_SetSignalThreshold(kDev, 10);
    sum += VL53L1X_StartRanging(kDev);
    std::fflush(stdout);
    return sum;
}

int SensorHub::getDistance() {
    if (!m_rangingReady) {
        const int ret = initRangingSensor(0, 41);
        std::printf("RangingSensor init ret: %d\n", ret);
        if (ret != 0)
            return -1;
        m_rangingReady = true;
    }

    uint8_t ready = 0;
    for (int i = 0; i < 4; ++i) {
        VL53L1X_CheckForDataReady(kDev, &ready);
        if (ready)
            break;
        sleepMs(50);
    }
    if (!ready) {
        const bool reinit = m_distanceFilter.notReady();
        std::printf("VL53L1X data not ready: %d\r\n", m_distanceFilter.missCount());
        if (reinit) {
            VL53L1X_UltraLite_Linux_I2C_Deinit();
            m_rangingReady = false;
            std::printf("Reinit I2C...\r");
        }
        return -2;
    }
    m_distanceFilter.ready();

    VL53L1X_Result_t r{};
    VL53L1X_GetResult(kDev, &r);
    std::printf("Status = %2d, dist = %5d, Ambient = %02d, Signal = %02d, #ofSpads = %5d\n",
                r.Status, r.Distance, r.Ambient, r.SigPerSPAD, r.NumSPADs);
    const DistanceFilter::Reading reading =
        m_distanceFilter.result(r.Status, r.Distance, m_distanceOffset);
    if (reading.reinit) {
        VL53L1X_UltraLite_Linux_I2C_Deinit();
        m_rangingReady = false;
        std::printf("Reinit I2C...\r");
    }
    if (!reading.clearIrq)
        return reading.value;
    std::printf("result: %d\n", reading.value);
    VL53L1X_ClearInterrupt(kDev);
    return reading.value;
}

int SensorHub::getDOF() {
    const int fd = board::open(paths::kImuNode, O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        qCDebug(lcSensors, "qmi8658 open_device FAIL");
        return kNoPitch;
    }
    int16_t record[7] = {};
    const int read = board::ioctl(fd, kImuReadRecord, record);
    board::close(fd);
    if (read < 0) {
        qCDebug(lcSensors, "qmi8658 read FAIL");
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
