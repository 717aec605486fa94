#include "core/camcfg.h"
#include "core/paths.h"

#include "core/endpoints.h"
#include "core/files.h"
#include "core/log.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTime>

QString CamCfg::defaultValue(int index) {
    switch (index) {
    case Exposure:
        return "225";
    case Gain:
        return "1";
    case Sharpness:
        return "50";
    case LedLoop:
        return "5";
    case CameraReserved:
        return "5";
    case Resolution:
        return "1920*1080";
    case AnalysisServer:
        return endpoints::analysisHost(0) + ":15000";
    case TimeZone:
        return "0";
    case ScreenOffTime:
        return "-1";
    case ShutdownTime:
        return "-1";
    case ReferralCriteria:
        return "0";
    case Region:
        return "0";
    case PrinterId:
        return "";
    case FocusAuto:
        return "0";
    case PitchOffset:
        return "0";
    case DistanceOffset:
        return "0";
    case Language:
        return "en";
    default:
        return "";
    }
}

QString CamCfg::filePath() const {
    return m_strAppPath + paths::kSettingsFile;
}

QString CamCfg::resetDefaultCFG() {
    for (int i = 0; i < ValueCount; ++i)
        m_strValue[i] = defaultValue(i);
    return "";
}

QString CamCfg::dogenCurrentCFG() {
    QStringList values(m_strValue.begin(), m_strValue.end());
    m_strCfgText = values.join('|');
    return m_strCfgText;
}

QString CamCfg::parseCurrentCFG() {
    const QStringList parts = m_strCfgText.split('|', Qt::KeepEmptyParts);
    QString missing;
    for (int i = 0; i < ValueCount; ++i) {
        if (i < parts.size()) {
            m_strValue[i] = parts[i];
        } else {
            m_strValue[i] = defaultValue(i);
            missing = "1";
        }
    }
    return missing;
}

QString CamCfg::saveCFG2File() {
    qCDebug(lcCore, "%s Config %s", qPrintable(QTime::currentTime().toString("hh:mm:ss")),
            qPrintable(m_strCfgText));
    // Settings not loaded from a folder yet stay in memory: the path would be the root's.
    if (m_strAppPath.isEmpty() || !ensureFolder(m_strAppPath + paths::kSettingsFolder))
        return "0";
    // Written as a whole and renamed into place, so a power loss never leaves the device
    // with an empty or half-written settings file.
    if (!writeFileAtomically(filePath(), m_strCfgText.toUtf8())) {
        qCWarning(lcCore, "create file fail");
        return "0";
    }
    return "1";
}

bool CamCfg::save() {
    dogenCurrentCFG();
    return saveCFG2File() == "1";
}

bool CamCfg::storeValue(int index, const QString& value) {
    if (index < 0 || index >= ValueCount)
        return false;
    m_strValue[size_t(index)] = value;
    return save();
}

QString CamCfg::readCFG4File() {
    if (m_strAppPath.isEmpty() || !ensureFolder(m_strAppPath + paths::kSettingsFolder))
        return "";
    QString text;
    if (!readTextCreatingFile(filePath(), text)) {
        qCWarning(lcCore, "create file fail");
        return "";
    }
    m_strCfgText = text;
    return m_strCfgText;
}
