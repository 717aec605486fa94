// The analysis server: where a recording goes and what its reply means.
#pragma once

#include <QString>

// "us", "india" or "china": the region name the firmware server uses (1 India, 2 China,
// everything else US).
QString regionName(int region);

// "http://<host>:15000<path><identity>" for the region (the China server has its own path).
QString analysisUploadUrl(int region, const QString& identity);

// The refraction values of one reply.
struct AnalysisValues {
    QString osSph, odSph, osCyl, odCyl, pd, osAxis, odAxis;
};

// Parses a reply of comma-separated values (element 0 unused): 8 or more elements carry
// the PD before the axes, exactly 7 carry no PD (it becomes "0"). Values are trimmed.
// False, and `values` untouched, for fewer than 7 elements.
bool parseAnalysisReply(const QString& reply, AnalysisValues& values);
