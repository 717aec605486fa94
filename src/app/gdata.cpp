#include "app/gdata.h"

#include "core/local_time.h"
#include "core/log.h"

#include <QCoreApplication>

GData::GData(CmdUtil* commands, QObject* parent)
    : QObject(parent), m_ownCommands(commands ? nullptr : std::make_unique<CmdUtil>()),
      m_commands(commands ? commands : m_ownCommands.get()),
      m_screening(m_settings, m_http, m_identity), m_output(m_settings, m_screening, m_http),
      m_wifi(*m_commands), m_firmware(m_http, m_clock) {
    connect(&m_settings, &Settings::changed, this, &GData::settingChanged);
    // An analysis that nobody answered may mean the network is gone: let the Wi-Fi worker
    // look at the connection again.
    m_screening.setUnansweredAction([this] { m_wifi.requestRefresh(); });
    m_screening.setTimeSource([this] { return timeSourceName(m_clock.source()); });
}

GData::~GData() = default;

void GData::setAppDir(const QString& dir) {
    m_appDir = dir;
    m_sensors.setAppDir(dir);
    m_firmware.setAppDir(dir);
    m_screening.setAppDir(dir);
    m_clock.setAppDir(dir);
}

void GData::Init() {
    if (m_appDir.isEmpty())
        setAppDir(QCoreApplication::applicationDirPath());
    InitData();
    InitCommonAndConfig();
}

void GData::InitData() {
    m_capture.allocateBuffers();
}

void GData::InitCommonAndConfig() {
    m_settings.load(m_appDir);
    InitConfigParameter();
    // Before anything stamps a time: a hardware clock that kept its time is believed.
    m_clock.restoreFromHardwareClock();
}

void GData::InitConfigParameter() {
    sensor_calibrate_data_t calibration;
    const bool stored = m_sensors.getSensorCalibrationData(calibration);
    qCDebug(lcApp, "getSensorCalibrationData return : %s", stored ? "true" : "false");
    if (stored) {
        m_settings.assume(CamCfg::PitchOffset, QString::number(calibration.pitch_offset));
        m_settings.assume(CamCfg::DistanceOffset, QString::number(calibration.distance_offset));
    }
    for (int i = 0; i < CamCfg::ValueCount; ++i)
        settingChanged(CamCfg::Value(i));
    // The preview's statistics start from the camera's settings until the first image.
    m_capture.setPreviewStats(unsigned(m_settings.exposure()), unsigned(m_settings.gain()));
}

// Services that read a setting on their own threads keep their own copy, handed over here.
void GData::settingChanged(CamCfg::Value index) {
    switch (index) {
    case CamCfg::Exposure:
    case CamCfg::Gain:
    case CamCfg::LedLoop:
        m_capture.setCameraSettings(
            {m_settings.exposure(), m_settings.gain(), m_settings.ledLoop()});
        break;
    case CamCfg::PitchOffset:
    case CamCfg::DistanceOffset:
        m_sensors.setOffsets(m_settings.pitchOffset(), m_settings.distanceOffset());
        break;
    case CamCfg::Region:
        m_firmware.setRegion(m_settings.region());
        break;
    default:
        break;
    }
}

QDateTime GData::getLocalTime() const {
    return localTime(m_settings);
}

void GData::deliveryStep() {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!m_wifi.connected() || now < m_nextDeliveryMs || !m_screening.outbox() ||
        m_screening.outbox()->waiting() == 0) // a folder count: this runs every second
        return;
    if (m_screening.deliverOldest()) {
        m_deliveryBackoffS = 0;
        return;
    }
    m_deliveryBackoffS = qBound(5, m_deliveryBackoffS * 2, 300);
    m_nextDeliveryMs = now + qint64(m_deliveryBackoffS) * 1000;
}
