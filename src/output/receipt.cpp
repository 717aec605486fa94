#include "output/receipt.h"

#include "core/endpoints.h"

#include <QCryptographicHash>
#include <QStringList>

namespace {

const QString kCut = QStringLiteral("<gpCut/>");
const QString kDashes = QString(32, '-');
const QString kColumns = QStringLiteral("SPH        CYL       AXIS");

QString joinLines(const QStringList& lines) {
    QString text;
    for (const QString& l : lines)
        text += l + kCut;
    return text;
}

QString footer(const QDateTime& printedAt) {
    return QString(11, ' ') + printedAt.toString("yyyy-MM-dd hh:mm:ss");
}

// Form-encodes only what would break the form: the separators and the escape characters.
QByteArray formSafe(const QString& value) {
    QByteArray out;
    for (char c : value.toUtf8()) {
        switch (c) {
        case '&':
            out += "%26";
            break;
        case '=':
            out += "%3D";
            break;
        case '+':
            out += "%2B";
            break;
        case '%':
            out += "%25";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

QString markupSafe(const QString& text) {
    QString out = text;
    out.replace('&', QLatin1String("&amp;"));
    out.replace('<', QLatin1String("&lt;"));
    out.replace('>', QLatin1String("&gt;"));
    return out;
}

QString resultReceipt(const ScreeningRecord& record, const QDateTime& printedAt) {
    ScreeningRecord r = record;
    for (QString* field : {&r.name, &r.odSph, &r.odCyl, &r.odAxis, &r.osSph, &r.osCyl, &r.osAxis,
                           &r.pd, &r.referral})
        *field = markupSafe(*field);
    const QString gap(5, ' ');
    return joinLines(
        {"Name: " + r.name, QString("Sex: ") + (r.male ? "Male" : "Female"),
         "Birthday: " + r.birth.toString("yyyy-MM-dd"), "ID: " + markupSafe(r.extras.childId),
         "Test Time: " + r.testTime.toString("yyyy-MM-dd hh:mm"), "", "REF.DATA", "VD: 12.00",
         kDashes, "<OD>", kColumns, r.odSph + gap + r.odCyl + gap + r.odAxis, kDashes, kDashes,
         "<OS>", kColumns, r.osSph + gap + r.osCyl + gap + r.osAxis, kDashes, "", "PD: " + r.pd,
         "Screening result: " + r.referral, "",
         // Why a screening ended without a result.
         "Note: " + markupSafe(unableReasonText(r.extras.reason)), "", footer(printedAt), "", "",
         "", "", ""});
}

QString testPageReceipt(const QDateTime& printedAt) {
    return joinLines({"This is a test page...", "", footer(printedAt), "", "", "", "", ""});
}

QString httpPrintGetMD5(QString& memberCode, QString& deviceID, QString& msgNo, QString& reqTime) {
    const QString input = memberCode + deviceID + msgNo + reqTime + endpoints::printSigningKey();
    return QString::fromLatin1(
        QCryptographicHash::hash(input.toUtf8(), QCryptographicHash::Md5).toHex());
}

QByteArray printRequestBody(const QString& reqTime, const QString& deviceID,
                            const QString& msgDetail) {
    QString memberCode = endpoints::printMemberCode();
    QString device = deviceID;
    QString msgNo;
    QString time = reqTime;
    const QString signature = httpPrintGetMD5(memberCode, device, msgNo, time);
    return "charset=1" + QByteArray("&reqTime=") + reqTime.toUtf8() +
           "&memberCode=" + memberCode.toUtf8() + "&deviceID=" + formSafe(deviceID) +
           "&token=" + "&securityCode=" + signature.toUtf8() + "&msgDetail=" + formSafe(msgDetail) +
           "&msgNo=" + "&reprint=0" + "&mode=2";
}

bool printAccepted(const QString& reply) {
    return reply.contains("\"code\":0");
}
