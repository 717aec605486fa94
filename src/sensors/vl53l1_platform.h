// The distance sensor's I2C platform layer: register reads and writes with a 16-bit
// big-endian register index, on the bus a device context holds.
#pragma once

#include <cstdint>

constexpr int VL53L1_MAX_I2C_XFER = 514; // bytes of the transfer buffer

// The sensor's bus: its handle (-1 until opened) and the transfer buffer. One thread at a
// time (the sensor thread).
struct RangingBus {
    int handle = -1;
    uint8_t buffer[VL53L1_MAX_I2C_XFER] = {};
};
using VL53L1_Dev_t = RangingBus*;

int VL53L1X_UltraLite_Linux_I2C_Init(VL53L1_Dev_t dev, int bus, int address);
void VL53L1X_UltraLite_Linux_I2C_Deinit(VL53L1_Dev_t dev);

int VL53L1_WriteMulti(VL53L1_Dev_t dev, uint16_t index, const uint8_t* data, uint32_t count);
int VL53L1_ReadMulti(VL53L1_Dev_t dev, uint16_t index, uint8_t* data, uint32_t count);
int VL53L1_WrByte(VL53L1_Dev_t dev, uint16_t index, uint8_t data);
int VL53L1_WrWord(VL53L1_Dev_t dev, uint16_t index, uint16_t data);
int VL53L1_WrDWord(VL53L1_Dev_t dev, uint16_t index, uint32_t data);
int VL53L1_RdByte(VL53L1_Dev_t dev, uint16_t index, uint8_t* data);
int VL53L1_RdWord(VL53L1_Dev_t dev, uint16_t index, uint16_t* data);
int VL53L1_RdDWord(VL53L1_Dev_t dev, uint16_t index, uint32_t* data);
int VL53L1_WaitMs(VL53L1_Dev_t dev, int32_t ms);
