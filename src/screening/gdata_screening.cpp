// GData's screening record operations: age, verdict and the history file.
#include "app/gdata.h"
#include "core/paths.h"

#include "core/files.h"
#include "platform/board.h"
#include "screening/criteria.h"
#include "screening/history.h"

#include <QDebug>

// The board's date, not shifted by the time-zone setting.
int GData::getMonthofAge() const {
    return monthsOfAge(board::currentDateTime().date(), m_dateBirth);
}

static Refraction recordRefraction(const GData& d) {
    return refractionFrom(d.m_strOSSph, d.m_strODSph, d.m_strOSCyl, d.m_strODCyl);
}

int GData::calculateMatta() const {
    return mattaReferral(getMonthofAge(), recordRefraction(*this));
}
int GData::calculateArnold() const {
    return arnoldReferral(getMonthofAge(), recordRefraction(*this));
}
int GData::calculateArthur2() const {
    return arthur2Referral(recordRefraction(*this));
}

int GData::calculateReferral() const {
    return referralFor(m_nReferralCriteria, getMonthofAge(), recordRefraction(*this));
}

ScreeningRecord GData::record() const {
    return {m_strName,   m_bMale,    m_dateBirth, m_dtTestTime, m_strODSph, m_strODCyl,
            m_strODAxis, m_strOSSph, m_strOSCyl,  m_strOSAxis,  m_strPD,    m_strReferral};
}

QString GData::historyFile() const {
    return appDir() + paths::kHistoryFile;
}

bool GData::saveTestResult() {
    m_dtTestTime = getLocalTime();
    const QString line = historyLine(record());
    qDebug("%s", qPrintable(line));
    if (!ensureFolder(appDir() + paths::kSettingsFolder))
        return false;
    if (!appendLineDurably(historyFile(), line.toUtf8())) {
        qDebug("saveTestResult: the history file cannot be written");
        return false;
    }
    return true;
}

QString GData::readTestResult() {
    QString text;
    if (!ensureFolder(appDir() + paths::kSettingsFolder) ||
        !readTextCreatingFile(historyFile(), text))
        return QString();
    return text;
}

// The only copy of every past screening: replaced as a whole, never truncated in place.
bool GData::saveDeleteResult(const QString& text) {
    if (!ensureFolder(appDir() + paths::kSettingsFolder))
        return false;
    return writeFileAtomically(historyFile(), text.toUtf8());
}
