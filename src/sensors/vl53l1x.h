// The time-of-flight distance sensor's operations, at register level.
#pragma once

#include "sensors/vl53l1_platform.h"

#include <cstdint>

struct VL53L1X_Result_t {
    uint8_t Status;
    uint16_t Distance;
    uint16_t Ambient;
    uint16_t SigPerSPAD;
    uint16_t NumSPADs;
};

extern const uint8_t VL51L1X_DEFAULT_CONFIGURATION[91]; // registers 0x2D to 0x87
extern const uint8_t status_rtn[24];

// Range status as the result block reports it (raw & 0x1F), translated; 0 is good.
uint8_t translateRangeStatus(uint8_t raw);

int VL53L1X_BootState(VL53L1_Dev_t dev, uint8_t* state);
int VL53L1X_SensorInit(VL53L1_Dev_t dev);
int VL53L1X_StartRanging(VL53L1_Dev_t dev);
int VL53L1X_StopRanging(VL53L1_Dev_t dev);
int VL53L1X_ClearInterrupt(VL53L1_Dev_t dev);
int VL53L1X_CheckForDataReady(VL53L1_Dev_t dev, uint8_t* ready);
int VL53L1X_SetDistanceMode(VL53L1_Dev_t dev, uint16_t mode);
int VL53L1X_SetTimingBudgetInMs(VL53L1_Dev_t dev, uint16_t ms);
int VL53L1X_GetTimingBudgetInMs(VL53L1_Dev_t dev, uint16_t* ms);
int VL53L1X_SetInterMeasurementInMs(VL53L1_Dev_t dev, uint32_t ms);
int VL53L1X_SetROI(VL53L1_Dev_t dev, uint16_t x, uint16_t y);
int VL53L1X_SetROICenter(VL53L1_Dev_t dev, uint8_t centre);
int VL53L1X_SetSigmaThreshold(VL53L1_Dev_t dev, uint16_t sigma);
int VL53L1X_SetSignalThreshold(VL53L1_Dev_t dev, uint16_t signal);
int VL53L1X_GetResult(VL53L1_Dev_t dev, VL53L1X_Result_t* result);

// Registers the operations use.
namespace vl53reg {
constexpr uint16_t SOFT_RESET_GO1 = 0x0008, SYSTEM_INTERRUPT_GO = 0x000B;
constexpr uint16_t GPIO_HV_MUX_CTRL = 0x0030, GPIO_TIO_HV_STATUS = 0x0031;
constexpr uint16_t PHASECAL_TIMEOUT = 0x004B, RANGE_TIMEOUT_A = 0x005E, RANGE_TIMEOUT_B = 0x0061;
constexpr uint16_t VCSEL_PERIOD_A = 0x0060, VCSEL_PERIOD_B = 0x0063, VALID_PHASE_HIGH = 0x0069;
constexpr uint16_t SIGMA_THRESH = 0x0064, MIN_COUNT_RATE = 0x0066;
constexpr uint16_t INTERMEASUREMENT = 0x006C, WOI_SD0 = 0x0078, INITIAL_PHASE_SD0 = 0x007A;
constexpr uint16_t ROI_CENTRE = 0x007F, ROI_SIZE = 0x0080;
constexpr uint16_t INTERRUPT_CLEAR = 0x0086, MODE_START = 0x0087, RESULT = 0x0089;
constexpr uint16_t OSC_CALIBRATE = 0x00DE, MODEL_ID = 0x010F, SPAD_CENTRE = 0x013E;
constexpr uint16_t FIRMWARE_STATE = 0x00E5;
} // namespace vl53reg
