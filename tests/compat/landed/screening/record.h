// One screening as it is stored and printed.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

struct ScreeningRecord {
    QString name;
    bool male = true;
    QDate birth;
    QDateTime testTime;
    QString odSph, odCyl, odAxis;
    QString osSph, osCyl, osAxis;
    QString pd;
    QString referral;
    // Where the clock's time came from when it was screened ("network", "device clock",
    // "operator"); the history line does not hold it.
    QString timeSource;
};
