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
};
