#include "screening/analysis.h"

#include "screening/criteria.h"
#include "screening/record.h"

#include <QRegularExpression>
#include <QStringList>

#include <utility>

bool isRefractionValue(const QString& v) {
    // Whatever else a reply carries goes into the history line and the receipt's printer
    // markup: a "|" or line end would make another record, a "<gpCut/>" another receipt.
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+(\.\d*)?|\.\d+)$)"));
    return v.size() <= kRefractionValueMax && number.match(v).hasMatch();
}

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
        if (!isRefractionValue(*v))
            return false;
    out = values;
    return true;
}

bool looksLikeSignInPage(int status, const QString& body) {
    if (status / 100 == 3 || status == 511)
        return true;
    const QString start = body.left(512).trimmed().toLower();
    return status / 100 == 2 && (start.startsWith(u'<') || start.contains(u"<html"));
}

ScreeningRecord withValues(ScreeningRecord r, const AnalysisValues& v) {
    r.osSph = v.osSph;
    r.odSph = v.odSph;
    r.osCyl = v.osCyl;
    r.odCyl = v.odCyl;
    r.pd = v.pd;
    r.osAxis = v.osAxis;
    r.odAxis = v.odAxis;
    return r;
}

ScreeningRecord analysedRecord(ScreeningRecord screened, const AnalysisValues& v, int criterion,
                               const QDate& judgedOn) {
    ScreeningRecord r = withValues(std::move(screened), v);
    const Refraction refraction = refractionFrom(r.osSph, r.odSph, r.osCyl, r.odCyl);
    r.referral = verdictText(referralFor(criterion, monthsOfAge(judgedOn, r.birth), refraction));
    r.extras.criterion = criterionName(criterion);
    r.extras.reason.clear();
    return r;
}
