// The board's sensors and display:
//  - /dev/i2c-0: the time-of-flight distance sensor at 0x29, at register level: model id at
//    0x010F, boot state 0xE5 (0 while the reset line PG3 is low), data ready through
//    0x30/0x31, ranging on 0x87, interrupt clear 0x86, the result block at 0x89; while
//    ranging a new result completes every inter-measurement period.
//    Knobs: distance_cm (distance the device should show; the sensor sits 120 mm behind
//    the reference), sensor_status (raw range status, 9 = good), sensor_never_ready,
//    sensor_not_booted, i2c_fail (the bus cannot be opened), sensor_period_ms (forces the
//    measurement period, for tests that need many results quickly).
//  - /dev/qmi8658: the inertial sensor's 14-byte record; accelerations from the pitch_deg
//    knob (y = -sin, z = cos, milli-g), no rotation, milliseconds since the previous read.
//    Knob imu_missing.
//  - /dev/disp: display command 15 switches the panel (recorded in record/panel); the
//    application's windows show it (panel_view.cpp).
//    Knob disp_missing.
#include "knobs.h"
#include "models.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <linux/i2c-dev.h>
#include <mutex>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vboard {
namespace {

using Clock = std::chrono::steady_clock;

int fakeDescriptor() {
    return ::eventfd(0, EFD_CLOEXEC);
}

int fail(int error) {
    errno = error;
    return -1;
}

class RangeSensorModel : public DeviceModel {
public:
    RangeSensorModel() : m_regs(0x10000, 0) {
        m_regs[0x010F] = 0xEA; // model id
        m_regs[0x0110] = 0xCC;
        m_regs[0x00DE] = 0x01; // oscillator calibration: 480
        m_regs[0x00DF] = 0xE0;
        m_regs[0x013E] = 199; // optical centre of the SPAD array
        m_regs[0x0030] = 0x01;
    }

    int open(int) override {
        if (knobInt(knobs::kI2cFail, 0) == 1)
            return fail(ENXIO);
        return fakeDescriptor();
    }

    int ioctl(int, unsigned long request, void* arg) override {
        if (request != I2C_SLAVE)
            return fail(ENOTTY);
        std::lock_guard<std::mutex> g(m_lock);
        m_slave = static_cast<int>(reinterpret_cast<intptr_t>(arg));
        return 0;
    }

    ssize_t write(int, const void* buf, size_t count) override {
        std::lock_guard<std::mutex> g(m_lock);
        if (!answering())
            return fail(EREMOTEIO);
        if (count < 2)
            return fail(EINVAL);
        const auto* b = static_cast<const uint8_t*>(buf);
        m_pointer = static_cast<uint16_t>(b[0] << 8 | b[1]);
        for (size_t i = 2; i < count; ++i)
            writeRegister(static_cast<uint16_t>(m_pointer + i - 2), b[i]);
        return static_cast<ssize_t>(count);
    }

    ssize_t read(int, void* buf, size_t count) override {
        std::lock_guard<std::mutex> g(m_lock);
        if (!answering())
            return fail(EREMOTEIO);
        auto* out = static_cast<uint8_t*>(buf);
        for (size_t i = 0; i < count; ++i)
            out[i] = readRegister(static_cast<uint16_t>(m_pointer + i));
        return static_cast<ssize_t>(count);
    }

    uint64_t resultReads() const { return m_resultReads; }

    std::vector<uint8_t> registers() {
        std::lock_guard<std::mutex> g(m_lock);
        return m_regs;
    }

private:
    // The sensor answers at its address while its reset line is high.
    bool answering() const {
        if (m_slave != 0x29)
            return false;
        QFile data(root() + "/sys/kernel/debug/sunxi_pinctrl/data");
        return !(data.open(QIODevice::ReadOnly) && data.readAll().startsWith("PG3 0"));
    }

    double periodMs() const {
        const int forced =
            knobInt(knobs::kSensorPeriodMs, 0); // tests: faster than the firmware asks
        if (forced > 0)
            return forced;
        const uint32_t clock = (uint32_t(m_regs[0xDE]) << 8 | m_regs[0xDF]) & 0x3FF;
        const uint32_t raw = uint32_t(m_regs[0x6C]) << 24 | uint32_t(m_regs[0x6D]) << 16 |
                             uint32_t(m_regs[0x6E]) << 8 | m_regs[0x6F];
        const double ms = clock ? raw / (clock * 1.075) : 0;
        return ms < 5 ? 5 : ms;
    }

    // Index of the last measurement completed since ranging started.
    long completed() const {
        if (!m_ranging)
            return 0;
        const double elapsed =
            std::chrono::duration<double, std::milli>(Clock::now() - m_rangingStart).count();
        return static_cast<long>(elapsed / periodMs());
    }

    bool dataReady() const {
        return m_ranging && knobInt(knobs::kSensorNeverReady, 0) != 1 && completed() > m_cleared;
    }

    void writeRegister(uint16_t reg, uint8_t value) {
        m_regs[reg] = value;
        if (reg == 0x87) {
            m_ranging = value == 0x40;
            m_rangingStart = Clock::now();
            m_cleared = 0;
        } else if (reg == 0x86 && (value & 1)) {
            m_cleared = completed();
        }
    }

    uint8_t readRegister(uint16_t reg) const {
        if (reg == 0xE5)
            return knobInt(knobs::kSensorNotBooted, 0) == 1 ? 0 : 1;
        if (reg == 0x31) {
            const uint8_t polarity = static_cast<uint8_t>(1 - ((m_regs[0x30] & 0x10) >> 4));
            return static_cast<uint8_t>((m_regs[0x31] & 0xFE) |
                                        (dataReady() ? polarity : !polarity));
        }
        if (reg >= 0x89 && reg < 0x89 + 17) {
            if (reg == 0x89)
                ++m_resultReads;
            return resultByte(reg - 0x89);
        }
        return m_regs[reg];
    }

    uint8_t resultByte(int i) const {
        const int mm =
            static_cast<int>(std::lround(knob(knobs::kDistanceCm, "97").toDouble() * 10)) + 120;
        const int ambient = knobInt(knobs::kAmbient, 12) * 4 / 8;
        const int signal = 2400 / 8;
        switch (i) {
        case 0:
            return static_cast<uint8_t>(knobInt(knobs::kSensorStatus, 9));
        case 3:
            return 64; // SPADs
        case 7:
            return static_cast<uint8_t>(ambient >> 8);
        case 8:
            return static_cast<uint8_t>(ambient);
        case 13:
            return static_cast<uint8_t>(mm >> 8);
        case 14:
            return static_cast<uint8_t>(mm);
        case 15:
            return static_cast<uint8_t>(signal >> 8);
        case 16:
            return static_cast<uint8_t>(signal);
        default:
            return 0;
        }
    }

    std::mutex m_lock;
    std::vector<uint8_t> m_regs;
    int m_slave = -1;
    uint16_t m_pointer = 0;
    bool m_ranging = false;
    Clock::time_point m_rangingStart;
    long m_cleared = 0;
    mutable std::atomic<uint64_t> m_resultReads{0};
};

class ImuModel : public DeviceModel {
public:
    int open(int) override {
        if (knobInt(knobs::kImuMissing, 0) == 1)
            return fail(ENODEV);
        return fakeDescriptor();
    }

    int ioctl(int, unsigned long request, void* arg) override {
        if (request != 0x800E500A)
            return fail(ENOTTY);
        const double pitch = knob(knobs::kPitchDeg, "0").toDouble() * M_PI / 180.0;
        auto* rec = static_cast<int16_t*>(arg);
        rec[0] = 0;
        rec[1] = static_cast<int16_t>(std::lround(-std::sin(pitch) * 1000));
        rec[2] = static_cast<int16_t>(std::lround(std::cos(pitch) * 1000));
        rec[3] = rec[4] = rec[5] = 0;
        ++m_reads;
        std::lock_guard<std::mutex> g(m_lock);
        const auto now = Clock::now();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_last).count();
        m_last = now;
        rec[6] = static_cast<int16_t>(static_cast<uint16_t>(ms > 65535 ? 65535 : ms));
        return 0;
    }

    std::atomic<uint64_t> m_reads{0};

private:
    std::mutex m_lock;
    Clock::time_point m_last = Clock::now();
};

class DisplayModel : public DeviceModel {
public:
    int open(int) override {
        if (knobInt(knobs::kDispMissing, 0) == 1)
            return fail(ENODEV);
        return fakeDescriptor();
    }

    int ioctl(int, unsigned long request, void* arg) override {
        if (request != 15)
            return fail(ENOTTY);
        const auto* args = static_cast<const unsigned long*>(arg);
        QFile f(recordPath("panel"));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(args[1] ? "on" : "off");
        showPanel(args[1] != 0);
        return 0;
    }
};

std::mutex g_sensorLock;
std::shared_ptr<RangeSensorModel> g_rangeSensor;
std::shared_ptr<ImuModel> g_imu;

} // namespace

void installSensorModels() {
    auto sensor = std::make_shared<RangeSensorModel>();
    auto imu = std::make_shared<ImuModel>();
    {
        std::lock_guard<std::mutex> g(g_sensorLock);
        g_rangeSensor = sensor;
        g_imu = imu;
    }
    registerModel("/dev/i2c-0", sensor);
    registerModel("/dev/qmi8658", imu);
    registerModel("/dev/disp", std::make_shared<DisplayModel>());
}

SensorCounters sensorCounters() {
    std::lock_guard<std::mutex> g(g_sensorLock);
    return {g_rangeSensor ? g_rangeSensor->resultReads() : 0, g_imu ? g_imu->m_reads.load() : 0};
}

std::vector<uint8_t> rangeSensorRegisters() {
    std::lock_guard<std::mutex> g(g_sensorLock);
    return g_rangeSensor ? g_rangeSensor->registers() : std::vector<uint8_t>();
}

} // namespace vboard
