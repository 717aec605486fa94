#include "screening/child_entry.h"

#include <QList>

namespace entry {

QString nameProblem(const QString& name) {
    if (name.contains(',') || name.contains('|'))
        return QStringLiteral("User Name cannot contain \",\" or \"|\"!");
    return QString();
}

bool birthDateValid(const QDate& birth, const QDate& today) {
    return birth.isValid() && birth >= QDate(1900, 1, 1) && birth <= today;
}

QByteArray keptEntryText(const Child& child, bool cameraRestart) {
    QByteArray text = child.name.toUtf8() + '\n' + (child.male ? "M" : "F") + '\n' +
                      child.birth.toString(Qt::ISODate).toLatin1() + '\n';
    if (cameraRestart)
        text += "camera\n";
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
    if (kept.child.name.isEmpty() || !nameProblem(kept.child.name).isEmpty() ||
        !kept.child.birth.isValid())
        return std::nullopt;
    return kept;
}

} // namespace entry
