#include "screening/analysis.h"

#include <QStringList>

namespace {

// A value the history line could not hold as one field: its line end would start another
// record and its "|" another child (the server is plain HTTP, so anyone on the path could
// forge one).
bool storable(const QString& v) {
    return !v.contains('|') && !v.contains('\n') && !v.contains('\r');
}

} // namespace

bool parseAnalysisReply(const QString& reply, AnalysisValues& out) {
    const QStringList e = reply.split(',', Qt::KeepEmptyParts);
    if (e.size() < 7)
        return false;
    AnalysisValues values;
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
    for (const QString* v : {&values.osSph, &values.odSph, &values.osCyl, &values.odCyl, &values.pd,
                             &values.osAxis, &values.odAxis})
        if (!storable(*v))
            return false;
    out = values;
    return true;
}
