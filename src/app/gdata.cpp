#include "app/gdata.h"

#include "capture/capture_session.h"
#include "core/common.h"
#include "core/log.h"
#include "core/settings.h"
#include "net/http_client.h"
#include "output/output_service.h"
#include "screening/screening_session.h"
#include "sensors/power.h"
#include "sensors/sensor_hub.h"
#include "system/clock_service.h"
#include "system/cmdutil.h"
#include "system/firmware_service.h"
#include "system/wifi_service.h"

#include <QCoreApplication>

GData::GData(CmdUtil* commands, QObject* parent)
    : QObject(parent), m_ownCommands(commands ? nullptr : std::make_unique<CmdUtil>()),
      m_commands(commands ? commands : m_ownCommands.get()),
      m_settings(std::make_unique<Settings>()), m_identity(std::make_unique<common>()),
      m_http(std::make_unique<HttpClient>()), m_capture(std::make_unique<CaptureSession>()),
      m_sensors(std::make_unique<SensorHub>()), m_power(std::make_unique<PowerService>()),
      m_screening(std::make_unique<ScreeningSession>(*m_settings, *m_http, *m_identity)),
      m_output(std::make_unique<OutputService>(*m_settings, *m_screening, *m_http)),
      m_wifi(std::make_unique<WifiService>(*m_commands)), m_clock(std::make_unique<ClockService>()),
      m_firmware(std::make_unique<FirmwareService>(*m_http, *m_clock)) {
    connect(m_settings.get(), &Settings::changed, this,
            [this](CamCfg::Value index) { settingChanged(index); });
    // An analysis that nobody answered may mean the network is gone: let the Wi-Fi worker
    // look at the connection again.
    m_screening->setUnansweredAction([this] { m_wifi->requestRefresh(); });
    m_screening->setTimeSource([this] { return timeSourceName(m_clock->source()); });
}

GData::~GData() = default;

void GData::setAppDir(const QString& dir) {
    m_appDir = dir;
    m_sensors->setAppDir(dir);
    m_firmware->setAppDir(dir);
    m_screening->setAppDir(dir);
    m_clock->setAppDir(dir);
}

void GData::Init() {
    if (m_appDir.isEmpty())
        setAppDir(QCoreApplication::applicationDirPath());
    InitData();
    InitCommonAndConfig();
}

void GData::InitData() {
    m_capture->allocateBuffers();
}

void GData::InitCommonAndConfig() {
    m_settings->load(m_appDir);
    InitConfigParameter();
    // Before anything stamps a time: a hardware clock that kept its time is believed.
    m_clock->restoreFromHardwareClock();
}

void GData::InitConfigParameter() {
    sensor_calibrate_data_t calibration;
    const bool stored = m_sensors->getSensorCalibrationData(calibration);
    qCDebug(lcApp, "getSensorCalibrationData return : %s", stored ? "true" : "false");
    if (stored) {
        m_settings->assume(CamCfg::PitchOffset, QString::number(calibration.pitch_offset));
        m_settings->assume(CamCfg::DistanceOffset, QString::number(calibration.distance_offset));
    }
    for (int i = 0; i < CamCfg::ValueCount; ++i)
        settingChanged(CamCfg::Value(i));
    // The preview's statistics start from the camera's settings until the first image.
    m_capture->setPreviewStats(unsigned(m_settings->exposure()), unsigned(m_settings->gain()));
}

// Services that read a setting on their own threads keep their own copy, handed over here.
void GData::settingChanged(int index) {
    switch (CamCfg::Value(index)) {
    case CamCfg::Exposure:
    case CamCfg::Gain:
    case CamCfg::LedLoop:
        m_capture->setCameraSettings(
            {m_settings->exposure(), m_settings->gain(), m_settings->ledLoop()});
        break;
    case CamCfg::PitchOffset:
    case CamCfg::DistanceOffset:
        m_sensors->setOffsets(m_settings->pitchOffset(), m_settings->distanceOffset());
        break;
    case CamCfg::Region:
        m_firmware->setRegion(m_settings->region());
        break;
    default:
        break;
    }
}
