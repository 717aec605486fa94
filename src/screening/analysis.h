// What the analysis server's reply means.
#pragma once

#include <QString>

// The refraction values of one reply.
struct AnalysisValues {
    QString osSph, odSph, osCyl, odCyl, pd, osAxis, odAxis;
};

// Parses a reply of comma-separated values (element 0 unused): 8 or more elements carry
// the PD before the axes, exactly 7 carry no PD (it becomes "0"). Values are trimmed.
// False, and `values` untouched, for fewer than 7 elements or a value holding a line end or
// "|", which the history could not store as one field.
bool parseAnalysisReply(const QString& reply, AnalysisValues& values);
