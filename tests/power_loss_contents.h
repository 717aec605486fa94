// What save n of the power-loss writer holds, for the writer and the suite that checks it.
#pragma once

#include "core/camcfg.h"
#include "screening/history.h"
#include "screening/record.h"

#include <QString>

namespace powerloss {

inline const char* const kCalibration = "calibration.txt";
inline const char* const kHistory = "result.txt";

// Settings with every value default but the printer, which names the save.
inline CamCfg settingsFor(const QString& dir, int n) {
    CamCfg cfg;
    cfg.m_strAppPath = dir;
    for (int i = 0; i < CamCfg::ValueCount; ++i)
        cfg.m_strValue[size_t(i)] = CamCfg::defaultValue(i);
    cfg.m_strValue[CamCfg::PrinterId] = QString("printer-%1").arg(n);
    cfg.dogenCurrentCFG();
    return cfg;
}

inline QString calibrationFor(int n) {
    return QString("%1,%2\n").arg(n).arg(-n);
}

inline ScreeningRecord screening(int n) {
    ScreeningRecord r;
    r.name = QString("Child %1").arg(n);
    r.male = n % 2 == 0;
    r.birth = QDate(2015, 1, 1).addDays(n % 1000);
    r.testTime = QDateTime(QDate(2026, 1, 1), QTime(10, 0)).addSecs(60LL * n);
    r.odSph = "-1.25";
    r.odCyl = "-0.75";
    r.odAxis = "90";
    r.osSph = "-0.50";
    r.osCyl = "-0.25";
    r.osAxis = "180";
    r.pd = "62.5";
    r.referral = n % 3 ? "Pass" : "Refer";
    // Half the children have an ID; every screening keeps its criterion and clock source,
    // and every seventh one gave no result.
    r.extras = {n % 2 ? QString("S-%1").arg(n) : QString(), QString(), "Arnold",
                n % 2 ? "network" : "operator"};
    if (n % 7 == 0) {
        r.referral = kUnableToScreen;
        r.extras.reason = "no-reflex";
        r.extras.criterion.clear();
    }
    return r;
}

inline QString historyRecord(int n) {
    return historyLine(screening(n));
}

inline QString childKey(int n) {
    return childKeyOf(screening(n));
}

} // namespace powerloss
