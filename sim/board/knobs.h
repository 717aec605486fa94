// The knobs of the virtual board and of the server stand-ins, named once: the models, the
// stand-ins' Python module (sim/services/knobs.py names the same stand-in knobs) and the
// tests use these names, and a test checks that README.md's knob tables list exactly them.
// Each knob is a plain file of that name under the board's (or the stand-ins') control/.
#pragma once

namespace knobs {

inline constexpr const char* kDistanceCm = "distance_cm";
inline constexpr const char* kPitchDeg = "pitch_deg";
inline constexpr const char* kAmbient = "ambient";
inline constexpr const char* kBatteryCapacity = "battery_capacity";
inline constexpr const char* kChargerPresent = "charger_present";
inline constexpr const char* kAir = "air";
inline constexpr const char* kCameraOpenFail = "camera_open_fail";
inline constexpr const char* kCameraBuffers = "camera_buffers";
inline constexpr const char* kCameraDqbufFail = "camera_dqbuf_fail";
inline constexpr const char* kCameraStall = "camera_stall";
inline constexpr const char* kCameraTagsEven = "camera_tags_even";
inline constexpr const char* kEncoderRingKib = "encoder_ring_kib";
inline constexpr const char* kSensorStatus = "sensor_status";
inline constexpr const char* kSensorNeverReady = "sensor_never_ready";
inline constexpr const char* kSensorNotBooted = "sensor_not_booted";
inline constexpr const char* kI2cFail = "i2c_fail";
inline constexpr const char* kSensorPeriodMs = "sensor_period_ms";
inline constexpr const char* kImuMissing = "imu_missing";
inline constexpr const char* kDispMissing = "disp_missing";
inline constexpr const char* kRtcMissing = "rtc_missing";
inline constexpr const char* kRtcLost = "rtc_lost";

inline constexpr const char* kAll[] = {kDistanceCm,      kPitchDeg,         kAmbient,
                                       kBatteryCapacity, kChargerPresent,   kAir,
                                       kCameraOpenFail,  kCameraBuffers,    kCameraDqbufFail,
                                       kCameraStall,     kCameraTagsEven,   kEncoderRingKib,
                                       kSensorStatus,    kSensorNeverReady, kSensorNotBooted,
                                       kI2cFail,         kSensorPeriodMs,   kImuMissing,
                                       kDispMissing,     kRtcMissing,       kRtcLost};

} // namespace knobs

namespace serviceKnobs {

inline constexpr const char* kAnalysisReply = "analysis_reply";
inline constexpr const char* kAnalysisFail = "analysis_fail";
inline constexpr const char* kAnalysisDelayMs = "analysis_delay_ms";
inline constexpr const char* kAnalysisInterim = "analysis_interim";
inline constexpr const char* kPrintFail = "print_fail";
inline constexpr const char* kPrintReply = "print_reply";
inline constexpr const char* kSntpTime = "sntp_time";
inline constexpr const char* kSntpSilent = "sntp_silent";
inline constexpr const char* kSmtpAuthRefuse = "smtp_auth_refuse";
inline constexpr const char* kSmtpMultilineGreeting = "smtp_multiline_greeting";
inline constexpr const char* kSmtpTlsClosed = "smtp_tls_closed";
inline constexpr const char* kSmtpRefuseRcpt = "smtp_refuse_rcpt";
inline constexpr const char* kSmtpNoStartTls = "smtp_no_starttls";

inline constexpr const char* kAll[] = {kAnalysisReply, kAnalysisFail,   kAnalysisDelayMs,
                                       kAnalysisInterim, kPrintFail,     kPrintReply,     kSntpTime,
                                       kSntpSilent,    kSmtpAuthRefuse, kSmtpMultilineGreeting,
                                       kSmtpTlsClosed, kSmtpRefuseRcpt, kSmtpNoStartTls};

} // namespace serviceKnobs
