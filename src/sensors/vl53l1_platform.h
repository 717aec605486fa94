// The distance sensor's I2C platform layer: one bus handle, register reads and writes
// with a 16-bit big-endian register index.
#pragma once

#include <cstdint>

using VL53L1_Dev_t = uint16_t;

extern int i2c_hdl; // -1 until the bus is opened

constexpr int VL53L1_MAX_I2C_XFER = 514; // bytes of the transfer buffer

int VL53L1X_UltraLite_Linux_I2C_Init(VL53L1_Dev_t dev, int bus, int address);
void VL53L1X_UltraLite_Linux_I2C_Deinit();

int VL53L1_WriteMulti(VL53L1_Dev_t dev, uint16_t index, const uint8_t* data, uint32_t count);
int VL53L1_ReadMulti(VL53L1_Dev_t dev, uint16_t index, uint8_t* data, uint32_t count);
int VL53L1_WrByte(VL53L1_Dev_t dev, uint16_t index, uint8_t data);
int VL53L1_WrWord(VL53L1_Dev_t dev, uint16_t index, uint16_t data);
int VL53L1_WrDWord(VL53L1_Dev_t dev, uint16_t index, uint32_t data);
int VL53L1_RdByte(VL53L1_Dev_t dev, uint16_t index, uint8_t* data);
int VL53L1_RdWord(VL53L1_Dev_t dev, uint16_t index, uint16_t* data);
int VL53L1_RdDWord(VL53L1_Dev_t dev, uint16_t index, uint32_t* data);
int VL53L1_WaitMs(VL53L1_Dev_t dev, int32_t ms);
