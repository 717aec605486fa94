// Files the firmware owns, by their board paths. Texts the device logs, shows or sends keep
// these names; file access goes through board::path() (see platform/board.h). The settings
// folder lives beside the executable instead: kSettingsFolder is relative to it.
#pragma once

namespace paths {

// Under the application's folder.
inline constexpr const char* kSettingsFolder = "/CAMCFG";
inline constexpr const char* kSettingsFile = "/CAMCFG/config.txt";
inline constexpr const char* kHistoryFile = "/CAMCFG/result.txt";
// The child typed in, kept while the camera page is open.
inline constexpr const char* kKeptEntryFile = "/CAMCFG/entry.txt";
inline constexpr const char* kCalibrationFile = "/CAMCFG/sensor_calibration.txt";
// The last time the device trusted, and where it came from ("<seconds> <source>").
inline constexpr const char* kTrustedTimeFile = "/CAMCFG/trusted_time.txt";
// Beside the executable: an update on trial until the application has painted its first
// page (device/appstart.sh).
inline constexpr const char* kUpdateTrialFile = "/vistrel.trial";

// On the board.
inline constexpr const char* kRecordingFile = "/tmp/pupil_video.avi";
inline constexpr const char* kCameraRetryFile = "/tmp/camera.txt";
inline constexpr const char* kLedLoopParameter = "/sys/module/vfe_v4l2/parameters/led_loop";
inline constexpr const char* kLedValueParameter = "/sys/module/vfe_v4l2/parameters/led_val";
inline constexpr const char* kCameraNode = "/dev/video0";
inline constexpr const char* kCameraNodePrefix = "/dev/video";
inline constexpr const char* kImuNode = "/dev/qmi8658";
inline constexpr const char* kDisplayNode = "/dev/disp";
inline constexpr const char* kIonNode = "/dev/ion";
inline constexpr const char* kIrLedNode = "/dev/irled";
inline constexpr const char* kUsbPresent = "/sys/class/power_supply/usb/present";
inline constexpr const char* kBatteryCapacity = "/sys/class/power_supply/battery/capacity";
inline constexpr const char* kStartScript = "/root/appstart.sh";

} // namespace paths
