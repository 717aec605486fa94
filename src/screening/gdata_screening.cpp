// GData's screening record operations: age, verdict and the history file.
#include "app/gdata.h"

#include "app/files.h"
#include "platform/board.h"
#include "screening/criteria.h"
#include "screening/history.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <unistd.h>

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
    return appDir() + "/CAMCFG/result.txt";
}

bool GData::saveTestResult() {
    m_dtTestTime = getLocalTime();
    const QString line = historyLine(record());
    qDebug("%s", qPrintable(line));
    if (!ensureFolder(appDir() + "/CAMCFG"))
        return false;
    QFile file(historyFile());
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = line.toUtf8();
    // A line cut short by a power loss must not swallow the next record: start afresh on
    // a line of its own.
    if (file.size() > 0) {
        char last = '\n';
        if (!file.seek(file.size() - 1) || !file.getChar(&last))
            return false;
        if (last != '\n')
            bytes.prepend('\n');
    }
    if (!file.seek(file.size()) || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    ::fsync(file.handle());
    return true;
}

QString GData::readTestResult() {
    QString text;
    if (!ensureFolder(appDir() + "/CAMCFG") || !readTextCreatingFile(historyFile(), text))
        return QString();
    return text;
}

// The only copy of every past screening: replaced as a whole, never truncated in place.
bool GData::saveDeleteResult(const QString& text) {
    if (!ensureFolder(appDir() + "/CAMCFG"))
        return false;
    return writeFileAtomically(historyFile(), text.toUtf8());
}
