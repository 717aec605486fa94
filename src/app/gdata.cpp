#include "app/gdata.h"

#include "capture/cedarxutil.h"
#include "capture/display_buffer.h"
#include "capture/v4l2_device.h"
#include "core/camcfg.h"
#include "core/common.h"
#include "core/local_time.h"
#include "platform/board.h"

#include <QCoreApplication>
#include <QDebug>

GData* g_pData = nullptr;

GData::GData(QObject* parent) : QObject(parent) {
    OSAL_QueueCreate(&m_queueH264, 30);
}

GData::~GData() {
    // Frames still queued when a recording never finished.
    while (auto* frame = static_cast<H264Frame*>(OSAL_Dequeue(&m_queueH264)))
        delete frame;
    OSAL_QueueTerminate(&m_queueH264);
}

void GData::Init(QApplication* app) {
    m_pApp = app;
    if (m_strAppDir.isEmpty())
        m_strAppDir = QCoreApplication::applicationDirPath();
    InitData();
    InitCommonAndConfig();
}

void GData::InitData() {
    // One display buffer for the life of the process.
    if (!displayBuffer().disp_buf_vir)
        hwd_alloc_buffer(m_nDisplayWidth, 2 * m_nDisplayHeight);
    m_h264Storage.assign(size_t(m_nEncodeWidth) * size_t(m_nEncodeHeight) / 2, 0);
    m_pH264Buf = m_h264Storage.data();
}

void GData::InitCommonAndConfig() {
    m_pCommon = std::make_unique<common>();
    m_pCamCfg = std::make_unique<CamCfg>();
    m_pCamCfg->m_strAppPath = appDir();
    const QString text = m_pCamCfg->readCFG4File();
    if (text.isEmpty()) {
        m_pCamCfg->resetDefaultCFG();
        m_pCamCfg->save();
    } else if (m_pCamCfg->parseCurrentCFG() == "1") {
        m_pCamCfg->save();
    }
    InitConfigParameter();
}

void GData::InitConfigParameter() {
    const auto& v = m_pCamCfg->m_strValue;
    m_nExposure = v[CamCfg::Exposure].toInt();
    m_nGain = v[CamCfg::Gain].toInt();
    m_nSharpness = v[CamCfg::Sharpness].toInt();
    m_nLedLoop = v[CamCfg::LedLoop].toInt();
    m_nCameraReserved = v[CamCfg::CameraReserved].toInt();
    m_nLumaMean = static_cast<unsigned>(m_nExposure);
    m_nLumaGradient = static_cast<unsigned>(m_nGain);
    m_strTimeZone = v[CamCfg::TimeZone];
    m_nScreenOffTime = v[CamCfg::ScreenOffTime].toInt();
    m_nShutdownTime = v[CamCfg::ShutdownTime].toInt();
    m_nReferralCriteria = v[CamCfg::ReferralCriteria].toInt();
    m_nRegion = v[CamCfg::Region].toInt();
    m_bFocusAuto = v[CamCfg::FocusAuto].toInt() != 0;

    sensor_calibrate_data_t calibration;
    const bool stored = getSensorCalibrationData(calibration);
    qDebug("getSensorCalibrationData return : %s", stored ? "true" : "false");
    if (stored) {
        m_nPitchOffset = calibration.pitch_offset;
        m_nDistanceOffset = calibration.distance_offset;
        m_pCamCfg->m_strValue[CamCfg::PitchOffset] = QString::number(m_nPitchOffset);
        m_pCamCfg->m_strValue[CamCfg::DistanceOffset] = QString::number(m_nDistanceOffset);
    } else {
        m_nPitchOffset = v[CamCfg::PitchOffset].toInt();
        m_nDistanceOffset = v[CamCfg::DistanceOffset].toInt();
    }
}

QDateTime GData::getLocalTime() const {
    return localTimeFrom(board::currentDateTime(), m_strTimeZone);
}
