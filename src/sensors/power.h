// Battery, charger and panel: the power supply's files and the display's blanking command.
// GUI thread only.
#pragma once

class PowerService {
public:
    // 1 while the charger is plugged in.
    int getUSBPresentState();
    // The level to show: the gauge reads 10 low, so this is the gauge plus 10.
    int getBatteryPercent();
    // The display command's result, -1 when the display cannot be opened.
    int screenOff();
    int screenOn();
    bool screenIsOn() const { return m_screenOn; }
    // What the panel is known to show, without a command (a failed command changes nothing).
    void setScreenState(bool on) { m_screenOn = on; }

private:
    bool m_screenOn = true;
};
