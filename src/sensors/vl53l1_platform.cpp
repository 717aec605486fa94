#include "sensors/vl53l1_platform.h"

#include "platform/board.h"

#include "core/log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <thread>

namespace {

// The register index and the data must fit the transfer buffer.
bool fits(uint32_t count) {
    return count + 1 < VL53L1_MAX_I2C_XFER - 1;
}

} // namespace

int VL53L1X_UltraLite_Linux_I2C_Init(VL53L1_Dev_t dev, int bus, int address) {
    qCInfo(lcSensors, "I2C Bus number is %d", bus);
    char name[32];
    std::snprintf(name, sizeof name, "/dev/i2c-%d", bus);
    dev->handle = board::open(name, O_RDWR);
    if (dev->handle < 0) {
        qCWarning(lcSensors, " Open failed, returned value = %d, dev->handle_name = %s: %s",
                  dev->handle, name, std::strerror(errno));
        return -1;
    }
    if (board::ioctl(dev->handle, I2C_SLAVE,
                     reinterpret_cast<void*>(static_cast<intptr_t>(address))) < 0) {
        qCWarning(lcSensors, "Failed to acquire bus access and/or talk to slave.");
        return -1;
    }
    return 0;
}

void VL53L1X_UltraLite_Linux_I2C_Deinit(VL53L1_Dev_t dev) {
    if (dev->handle >= 0)
        board::close(dev->handle);
    dev->handle = -1;
}

int VL53L1_WriteMulti(VL53L1_Dev_t dev, uint16_t index, const uint8_t* data, uint32_t count) {
    if (!fits(count))
        return -1;
    dev->buffer[0] = static_cast<uint8_t>(index >> 8);
    dev->buffer[1] = static_cast<uint8_t>(index & 0xFF);
    std::memcpy(dev->buffer + 2, data, count);
    const ssize_t n = board::write(dev->handle, dev->buffer, count + 2);
    if (n != ssize_t(count + 2)) {
        qCWarning(lcSensors, "Write failed with %d", int(n));
        return -1;
    }
    return 0;
}

int VL53L1_ReadMulti(VL53L1_Dev_t dev, uint16_t index, uint8_t* data, uint32_t count) {
    if (!fits(count))
        return -1;
    dev->buffer[0] = static_cast<uint8_t>(index >> 8);
    dev->buffer[1] = static_cast<uint8_t>(index & 0xFF);
    ssize_t n = board::write(dev->handle, dev->buffer, 2);
    if (n != 2) {
        qCWarning(lcSensors, "Write failed with %d", int(n));
        return -1;
    }
    n = board::read(dev->handle, data, count);
    if (n != ssize_t(count)) {
        qCWarning(lcSensors, "Read failed with %d", int(n));
        return -1;
    }
    return 0;
}

int VL53L1_WrByte(VL53L1_Dev_t dev, uint16_t index, uint8_t data) {
    return VL53L1_WriteMulti(dev, index, &data, 1);
}

int VL53L1_WrWord(VL53L1_Dev_t dev, uint16_t index, uint16_t data) {
    const uint8_t b[2] = {static_cast<uint8_t>(data >> 8), static_cast<uint8_t>(data)};
    return VL53L1_WriteMulti(dev, index, b, 2);
}

int VL53L1_WrDWord(VL53L1_Dev_t dev, uint16_t index, uint32_t data) {
    const uint8_t b[4] = {static_cast<uint8_t>(data >> 24), static_cast<uint8_t>(data >> 16),
                          static_cast<uint8_t>(data >> 8), static_cast<uint8_t>(data)};
    return VL53L1_WriteMulti(dev, index, b, 4);
}

int VL53L1_RdByte(VL53L1_Dev_t dev, uint16_t index, uint8_t* data) {
    return VL53L1_ReadMulti(dev, index, data, 1);
}

int VL53L1_RdWord(VL53L1_Dev_t dev, uint16_t index, uint16_t* data) {
    uint8_t b[2];
    const int r = VL53L1_ReadMulti(dev, index, b, 2);
    if (r == 0)
        *data = static_cast<uint16_t>((b[0] << 8) | b[1]);
    return r;
}

int VL53L1_RdDWord(VL53L1_Dev_t dev, uint16_t index, uint32_t* data) {
    uint8_t b[4];
    const int r = VL53L1_ReadMulti(dev, index, b, 4);
    if (r == 0)
        *data = (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
    return r;
}

int VL53L1_WaitMs(VL53L1_Dev_t, int32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 0;
}
