#include "screening/analysis.h"

#include <QStringList>

bool parseAnalysisReply(const QString& reply, AnalysisValues& values) {
    const QStringList e = reply.split(',', Qt::KeepEmptyParts);
    if (e.size() < 7)
        return false;
    values.osSph = e[1].trimmed();
    values.odSph = e[2].trimmed();
    values.osCyl = e[3].trimmed();
    values.odCyl = e[4].trimmed();
    if (e.size() > 7) {
        values.pd = e[5].trimmed();
        values.osAxis = e[6].trimmed();
        values.odAxis = e[7].trimmed();
    } else {
        values.osAxis = e[5].trimmed();
        values.odAxis = e[6].trimmed();
        values.pd = "0";
    }
    return true;
}
