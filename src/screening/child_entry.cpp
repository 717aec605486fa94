#include "screening/child_entry.h"

#include <QList>

#include <algorithm>

namespace entry {

QString nameProblem(const QString& name) {
    if (name.contains(',') || name.contains('|'))
        return QStringLiteral("User Name cannot contain \",\" or \"|\"!");
    // A line break would start another record; no keyboard types these, a damaged file may.
    const bool control = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
               c == QChar::ParagraphSeparator;
    });
    if (control)
        return QStringLiteral("User Name cannot contain control characters!");
    return QString();
}

QString childIdProblem(const QString& childId) {
    const bool ascii = std::all_of(childId.begin(), childId.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
               c == u'-';
    });
    if (childId.size() > kChildIdMaxLength || !ascii || childId.startsWith(u'-'))
        return QStringLiteral("ID can hold only letters, digits and \"-\"!");
    return QString();
}

bool birthDateValid(const QDate& birth, const QDate& today) {
    return birth.isValid() && birth >= QDate(1900, 1, 1) && birth <= today;
}

ScreeningRecord recordOf(const Child& child) {
    ScreeningRecord r;
    r.name = child.name;
    r.male = child.male;
    r.birth = child.birth;
    r.extras.childId = child.childId;
    return r;
}

Child childOf(const ScreeningRecord& r) {
    return {r.name, r.male, r.birth, r.extras.childId};
}

QString identityProblem(const Child& child) {
    if (child.name.isEmpty())
        return QStringLiteral("User Name cannot be empry!");
    const QString problem = nameProblem(child.name);
    return problem.isEmpty() ? childIdProblem(child.childId) : problem;
}

QString childProblem(const Child& child, const QDate& today) {
    const QString problem = identityProblem(child);
    if (problem.isEmpty() && !birthDateValid(child.birth, today))
        return QStringLiteral("Date is not valid!");
    return problem;
}

QByteArray keptEntryText(const Child& child, bool cameraRestart) {
    QByteArray text = child.name.toUtf8() + '\n' + (child.male ? "M" : "F") + '\n' +
                      child.birth.toString(Qt::ISODate).toLatin1() + '\n';
    text += cameraRestart ? "camera\n" : "-\n";
    if (!child.childId.isEmpty())
        text += child.childId.toLatin1() + '\n';
    return text;
}

std::optional<KeptEntry> parseKeptEntry(const QByteArray& text) {
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 4 || (lines[1] != "M" && lines[1] != "F"))
        return std::nullopt;
    KeptEntry kept;
    kept.child.name = QString::fromUtf8(lines[0]).left(kNameMaxLength);
    kept.child.male = lines[1] == "M";
    kept.child.birth = QDate::fromString(QString::fromLatin1(lines[2]), Qt::ISODate);
    kept.cameraRestart = lines[3] == "camera";
    if (lines.size() > 4 && childIdProblem(QString::fromLatin1(lines[4])).isEmpty())
        kept.child.childId = QString::fromLatin1(lines[4]);
    if (kept.child.name.isEmpty() || !nameProblem(kept.child.name).isEmpty() ||
        !kept.child.birth.isValid())
        return std::nullopt;
    return kept;
}

} // namespace entry
