// What the analysis server's reply means.
#pragma once

#include <QDate>
#include <QString>

// The refraction values of one reply.
struct AnalysisValues {
    QString osSph, odSph, osCyl, odCyl, pd, osAxis, odAxis;
};

// A value a refraction, a PD or an axis can be: a sign, digits, at most one point, at most
// kRefractionValueMax characters ("-3.50", "62.5", "175", "+.25").
inline constexpr int kRefractionValueMax = 8;
bool isRefractionValue(const QString& value);

// Parses a reply of comma-separated values (element 0 unused): 8 or more elements carry
// the PD before the axes, exactly 7 carry no PD (it becomes "0"). Values are trimmed.
// False, and `values` untouched, for fewer than 7 elements or a value that is not one
// (isRefractionValue): the reply then counts as a failed analysis.
bool parseAnalysisReply(const QString& reply, AnalysisValues& values);

// Whether an answer to the analysis request is a captive portal's instead (the sign-in page
// of a school's or hotel's Wi-Fi): a redirect, 511 Network Authentication Required, or a
// page of markup where a line of numbers belongs.
bool looksLikeSignInPage(int status, const QString& body);

// The analysis request: how long the upload may take and the form field the server expects
// beside the recording, the same for a live screening and a delivery from the outbox.
inline constexpr int kAnalysisTimeoutS = 92;
inline constexpr const char* kAnalysisStudentInfo = "0__0__0__0";

struct ScreeningRecord;
// `screened` with the reply's values in place.
ScreeningRecord withValues(ScreeningRecord screened, const AnalysisValues& values);
// The record of a screening once analysed: `screened` (the child, its time and time source)
// with the reply's values, judged by `criterion` at the child's age on `judgedOn`.
ScreeningRecord analysedRecord(ScreeningRecord screened, const AnalysisValues& values,
                               int criterion, const QDate& judgedOn);
