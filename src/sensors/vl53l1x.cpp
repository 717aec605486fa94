#include "sensors/vl53l1x.h"

#include <iterator>

using namespace vl53reg;

const uint8_t VL51L1X_DEFAULT_CONFIGURATION[91] = {
    0x00, 0x00, 0x00, 0x01, 0x02, 0x00, 0x02, 0x08, 0x00, 0x08, 0x10, 0x01, 0x01, 0x00, 0x00, 0x00,
    0x00, 0xFF, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x0B, 0x00, 0x00, 0x02, 0x0A, 0x21,
    0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x38, 0xFF, 0x01, 0x00, 0x08, 0x00,
    0x00, 0x01, 0xCC, 0x0F, 0x01, 0xF1, 0x0D, 0x01, 0x68, 0x00, 0x80, 0x08, 0xB8, 0x00, 0x00, 0x00,
    0x00, 0x0F, 0x89, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x0F, 0x0D, 0x0E, 0x0E, 0x00,
    0x00, 0x02, 0xC7, 0xFF, 0x9B, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00};

const uint8_t status_rtn[24] = {255, 255, 255, 5,   2,   4,   1,  7, 3,   0,   255, 255,
                                9,   13,  255, 255, 255, 255, 10, 6, 255, 255, 11,  12};

namespace {

// Timing budgets and their two timeout words, per distance mode.
struct Budget {
    uint16_t ms, a, b;
};
const Budget kShortBudgets[] = {{15, 29, 39},    {20, 81, 110},    {33, 214, 110},   {50, 430, 488},
                                {100, 737, 904}, {200, 993, 1174}, {500, 1425, 1473}};
const Budget kLongBudgets[] = {{20, 30, 34},    {33, 96, 110},   {50, 173, 198},
                               {100, 460, 490}, {200, 729, 760}, {500, 1167, 1188}};

} // namespace

uint8_t translateRangeStatus(uint8_t raw) {
    return raw < 24 ? status_rtn[raw] : raw;
}

int VL53L1X_BootState(VL53L1_Dev_t dev, uint8_t* state) {
    return VL53L1_RdByte(dev, FIRMWARE_STATE, state);
}

int VL53L1X_SensorInit(VL53L1_Dev_t dev) {
    int status = 0;
    for (uint16_t addr = 0x2D; addr <= 0x87; ++addr)
        status |= VL53L1_WrByte(dev, addr, VL51L1X_DEFAULT_CONFIGURATION[addr - 0x2D]);
    status |= VL53L1X_StartRanging(dev);
    uint8_t ready = 0;
    int polls = 0;
    while (!ready) {
        status |= VL53L1X_CheckForDataReady(dev, &ready);
        if (ready)
            break;
        if (++polls >= 300)
            return -1;
        VL53L1_WaitMs(dev, 10);
    }
    status |= VL53L1X_ClearInterrupt(dev);
    status |= VL53L1X_StopRanging(dev);
    status |= VL53L1_WrByte(dev, SOFT_RESET_GO1, 0x09);
    status |= VL53L1_WrByte(dev, SYSTEM_INTERRUPT_GO, 0x00);
    return status;
}

int VL53L1X_StartRanging(VL53L1_Dev_t dev) {
    return VL53L1_WrByte(dev, MODE_START, 0x40);
}
int VL53L1X_StopRanging(VL53L1_Dev_t dev) {
    return VL53L1_WrByte(dev, MODE_START, 0x00);
}
int VL53L1X_ClearInterrupt(VL53L1_Dev_t dev) {
    return VL53L1_WrByte(dev, INTERRUPT_CLEAR, 0x01);
}

int VL53L1X_CheckForDataReady(VL53L1_Dev_t dev, uint8_t* ready) {
    uint8_t mux = 0, status = 0;
    int r = VL53L1_RdByte(dev, GPIO_HV_MUX_CTRL, &mux);
    const uint8_t polarity = static_cast<uint8_t>(1 - ((mux & 0x10) >> 4));
    r |= VL53L1_RdByte(dev, GPIO_TIO_HV_STATUS, &status);
    if (r == 0)
        *ready = (status & 0x01) == polarity ? 1 : 0;
    return r;
}

int VL53L1X_SetDistanceMode(VL53L1_Dev_t dev, uint16_t mode) {
    uint16_t budget = 0;
    if (VL53L1X_GetTimingBudgetInMs(dev, &budget) != 0)
        return 1;
    int status = 0;
    switch (mode) {
    case 1:
        status |= VL53L1_WrByte(dev, PHASECAL_TIMEOUT, 20);
        status |= VL53L1_WrByte(dev, VCSEL_PERIOD_A, 7);
        status |= VL53L1_WrByte(dev, VCSEL_PERIOD_B, 5);
        status |= VL53L1_WrByte(dev, VALID_PHASE_HIGH, 56);
        status |= VL53L1_WrWord(dev, WOI_SD0, 1797);
        status |= VL53L1_WrWord(dev, INITIAL_PHASE_SD0, 1542);
        break;
    case 2:
        status |= VL53L1_WrByte(dev, PHASECAL_TIMEOUT, 10);
        status |= VL53L1_WrByte(dev, VCSEL_PERIOD_A, 15);
        status |= VL53L1_WrByte(dev, VCSEL_PERIOD_B, 13);
        status |= VL53L1_WrByte(dev, VALID_PHASE_HIGH, 184);
        status |= VL53L1_WrWord(dev, WOI_SD0, 3853);
        status |= VL53L1_WrWord(dev, INITIAL_PHASE_SD0, 3598);
        break;
    default:
        return 1;
    }
    status |= VL53L1X_SetTimingBudgetInMs(dev, budget);
    return status;
}

int VL53L1X_SetTimingBudgetInMs(VL53L1_Dev_t dev, uint16_t ms) {
    uint8_t phaseCal = 0;
    int status = VL53L1_RdByte(dev, PHASECAL_TIMEOUT, &phaseCal);
    const bool longMode = phaseCal == 10;
    const Budget* table = longMode ? kLongBudgets : kShortBudgets;
    const int size = longMode ? int(std::size(kLongBudgets)) : int(std::size(kShortBudgets));
    for (int i = 0; i < size; ++i) {
        if (table[i].ms == ms) {
            status |= VL53L1_WrWord(dev, RANGE_TIMEOUT_A, table[i].a);
            status |= VL53L1_WrWord(dev, RANGE_TIMEOUT_B, table[i].b);
            return status;
        }
    }
    return 1;
}

int VL53L1X_GetTimingBudgetInMs(VL53L1_Dev_t dev, uint16_t* ms) {
    uint16_t word = 0;
    const int status = VL53L1_RdWord(dev, RANGE_TIMEOUT_A, &word);
    switch (word) {
    case 29:
        *ms = 15;
        break;
    case 30:
    case 81:
        *ms = 20;
        break;
    case 96:
    case 214:
        *ms = 33;
        break;
    case 173:
    case 430:
        *ms = 50;
        break;
    case 460:
    case 737:
        *ms = 100;
        break;
    case 729:
    case 993:
        *ms = 200;
        break;
    case 1167:
    case 1425:
        *ms = 500;
        break;
    default:
        *ms = 0;
        return 1;
    }
    return status;
}

int VL53L1X_SetInterMeasurementInMs(VL53L1_Dev_t dev, uint32_t ms) {
    uint16_t clock = 0;
    int status = VL53L1_RdWord(dev, OSC_CALIBRATE, &clock);
    clock &= 0x3FF;
    status |= VL53L1_WrDWord(dev, INTERMEASUREMENT, static_cast<uint32_t>(clock * ms * 1.075));
    return status;
}

int VL53L1X_SetROI(VL53L1_Dev_t dev, uint16_t x, uint16_t y) {
    uint8_t centre = 0;
    int status = VL53L1_RdByte(dev, SPAD_CENTRE, &centre);
    if (x > 16)
        x = 16;
    if (y > 16)
        y = 16;
    if (x > 10 || y > 10)
        centre = 199;
    status |= VL53L1_WrByte(dev, ROI_CENTRE, centre);
    status |= VL53L1_WrByte(dev, ROI_SIZE, static_cast<uint8_t>((y - 1) << 4 | (x - 1)));
    return status;
}

int VL53L1X_SetROICenter(VL53L1_Dev_t dev, uint8_t centre) {
    return VL53L1_WrByte(dev, ROI_CENTRE, centre);
}

int VL53L1X_SetSigmaThreshold(VL53L1_Dev_t dev, uint16_t sigma) {
    if (sigma > (0xFFFF >> 2))
        return 1;
    return VL53L1_WrWord(dev, SIGMA_THRESH, static_cast<uint16_t>(sigma << 2));
}

int VL53L1X_SetSignalThreshold(VL53L1_Dev_t dev, uint16_t signal) {
    return VL53L1_WrWord(dev, MIN_COUNT_RATE, static_cast<uint16_t>(signal >> 3));
}

int VL53L1X_GetResult(VL53L1_Dev_t dev, VL53L1X_Result_t* result) {
    uint8_t b[17] = {};
    const int status = VL53L1_ReadMulti(dev, RESULT, b, 17);
    result->Status = translateRangeStatus(b[0] & 0x1F);
    result->Ambient = static_cast<uint16_t>((b[7] << 8 | b[8]) * 8);
    result->NumSPADs = b[3];
    result->SigPerSPAD = static_cast<uint16_t>((b[15] << 8 | b[16]) * 8);
    result->Distance = static_cast<uint16_t>(b[13] << 8 | b[14]);
    return status;
}
