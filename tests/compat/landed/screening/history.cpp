#include "screening/history.h"

#include <QSet>

#include <algorithm>

namespace {

const QString kNotAvailable = QStringLiteral("N/A");

// The child key of a line (the text before its first "|"), empty for a line without one.
QStringView keyOf(QStringView line) {
    const qsizetype bar = line.indexOf(u'|');
    return bar < 0 ? QStringView() : line.first(bar);
}

} // namespace

QString historyLine(const ScreeningRecord& r) {
    const QStringList person{r.name, r.male ? "Male" : "Female", r.birth.toString("yyyy-MM-dd")};
    const QStringList results{r.testTime.toString("yyyy-MM-dd hh:mm"),
                              r.odSph,
                              r.odCyl,
                              r.odAxis,
                              r.osSph,
                              r.osCyl,
                              r.osAxis,
                              r.pd,
                              r.referral};
    return person.join(',') + '|' + results.join(',') + '\n';
}

std::optional<HistoryEntry> parseHistoryLine(const QString& line) {
    const qsizetype bar = line.indexOf('|');
    if (bar < 0)
        return std::nullopt;
    HistoryEntry e;
    e.key = line.left(bar);
    const QStringList person = e.key.split(',');
    if (person.size() < 3)
        return std::nullopt;
    e.name = person[0];
    e.sex = person[1];
    e.birth = person[2];
    // Only the first "|" separates; a later one (from a name typed with "|") stays in the
    // screening part, as a reader that splits at "|" would see it.
    e.results = line.mid(bar + 1).section('|', 0, 0).split(',');
    return e;
}

QString searchFolded(QStringView text) {
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString bare;
    bare.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            bare += c;
    return bare.toCaseFolded();
}

QStringList matchingChildKeys(const QString& historyText, const QString& search) {
    const QString needle = searchFolded(search);
    QSet<QStringView> seen; // views into historyText, which outlives them
    QList<QStringView> found;
    forEachHistoryLine(historyText, [&](QStringView line) {
        // A line counts when parseHistoryLine takes it: a "|" after name, sex and birth.
        const QStringView key = keyOf(line);
        if (key.count(u',') < 2 || seen.contains(key))
            return;
        seen.insert(key); // each child is folded once, however many screenings it has
        if (needle.isEmpty() || searchFolded(key).contains(needle))
            found << key;
    });
    // The keys are distinct: sorting them gives the order of inserting each before the
    // first greater one. Sorted as views, which point into the one text, rather than as
    // strings each in a block of its own.
    std::sort(found.begin(), found.end());
    QStringList keys;
    keys.reserve(found.size());
    for (QStringView key : found)
        keys << key.toString();
    return keys;
}

std::optional<QStringList> screeningCells(const QStringList& f) {
    if (f.size() == 9)
        return f;
    if (f.size() == 8)
        return f + QStringList{kNotAvailable};
    if (f.size() == 6)
        return QStringList{f[0], f[1],          f[2], kNotAvailable, f[3],
                           f[4], kNotAvailable, f[5], kNotAvailable};
    return std::nullopt;
}

QList<QStringList> childScreenings(const QString& historyText, const QString& childKey) {
    QList<QStringList> rows;
    forEachHistoryLine(historyText, [&](QStringView line) {
        if (keyOf(line) != childKey) // only the child's own lines are taken apart
            return;
        const auto entry = parseHistoryLine(line.toString());
        if (!entry)
            return;
        if (const auto row = screeningCells(entry->results))
            rows.prepend(*row);
    });
    return rows;
}

QByteArray historyWithout(const QByteArray& history, const QStringList& childKeys) {
    QSet<QString> gone(childKeys.begin(), childKeys.end());
    QByteArray kept;
    kept.reserve(history.size());
    for (qsizetype start = 0; start < history.size();) {
        qsizetype end = start;
        while (end < history.size() && history[end] != '\n' && history[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < history.size())
            next += history[next] == '\r' && next + 1 < history.size() && history[next + 1] == '\n'
                        ? 2
                        : 1;
        const QByteArray line = history.sliced(start, end - start);
        // The key as the list showed it: the reader skips zero bytes.
        QByteArray shown = line;
        shown.replace('\0', QByteArray());
        const qsizetype bar = shown.indexOf('|');
        const bool goes = bar >= 0 && gone.contains(QString::fromUtf8(shown.first(bar)));
        if (!shown.isEmpty() && !goes) {
            kept += line;
            kept += end < history.size() ? history.sliced(end, next - end) : QByteArray("\n");
        }
        start = next;
    }
    return kept;
}
