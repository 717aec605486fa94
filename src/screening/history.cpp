#include "screening/history.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

const QString kNotAvailable = QStringLiteral("N/A");
const QLatin1StringView kCheck(";check=");

// The child key of a line (the text before its first "|"), empty for a line without one.
QStringView keyOf(QStringView line) {
    const qsizetype bar = line.indexOf(u'|');
    return bar < 0 ? QStringView() : line.first(bar);
}

// What an extras value may hold: nothing that could split the line into more screening
// fields (",") or more values (";", "="), nor end it. IDs are letters, digits and "-";
// the fixed texts add the blank of "device clock".
bool safeValue(const QString& value) {
    return std::all_of(value.begin(), value.end(),
                       [](QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u' '; });
}

QString checksumOf(QStringView line, QStringView fields) {
    const QByteArray bytes = line.toUtf8() + '\n' + fields.toUtf8();
    return QString::number(qChecksum(bytes), 16).rightJustified(4, u'0');
}

QString extrasLine(QStringView person, QStringView line, const RecordExtras& e) {
    QStringList fields;
    auto add = [&fields](const char* name, const QString& value) {
        if (!value.isEmpty() && safeValue(value))
            fields << QLatin1StringView(name) + u'=' + value;
    };
    add("id", e.childId);
    add("reason", e.reason);
    add("criterion", e.criterion);
    add("source", e.timeSource);
    if (fields.isEmpty())
        return QString();
    const QString body = u'+' + fields.join(u';');
    return person.toString() + u'|' + body + kCheck + checksumOf(line, body) + u'\n';
}

bool keyIs(QStringView key, QStringView person, QStringView childId) {
    if (childId.isEmpty())
        return key == person;
    return key.size() == person.size() + 1 + childId.size() && key.startsWith(person) &&
           key[person.size()] == u'#' && key.endsWith(childId);
}

// The record's person part: name,sex,birth.
QString personOf(const ScreeningRecord& r) {
    return r.name + QLatin1StringView(r.male ? ",Male," : ",Female,") +
           r.birth.toString("yyyy-MM-dd");
}

} // namespace

QString historyLine(const ScreeningRecord& r) {
    const QStringList results{r.testTime.toString("yyyy-MM-dd hh:mm"),
                              r.odSph,
                              r.odCyl,
                              r.odAxis,
                              r.osSph,
                              r.osCyl,
                              r.osAxis,
                              r.pd,
                              r.referral};
    const QString key = personOf(r);
    const QString line = key + '|' + results.join(',');
    return line + '\n' + extrasLine(key, line, r.extras);
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

bool isExtrasLine(QStringView line) {
    const qsizetype bar = line.indexOf(u'|');
    return bar >= 0 && bar + 1 < line.size() && line[bar + 1] == u'+';
}

qsizetype tornHistoryRecord(const QByteArray& tail) {
    const qsizetype start = tail.lastIndexOf('\n') + 1;
    if (!isExtrasLine(QString::fromUtf8(tail.sliced(start))))
        return start; // a screening line, or too little of a line to tell: it alone
    if (start == 0)
        return -1; // its screening line is not in the tail
    return tail.lastIndexOf('\n', start - 2) + 1;
}

std::optional<RecordExtras> extrasOf(QStringView line, QStringView next) {
    const QStringView person = keyOf(line);
    if (person.isEmpty() || !isExtrasLine(next) || keyOf(next) != person)
        return std::nullopt;
    const QStringView body = next.sliced(person.size() + 1);
    const qsizetype check = body.lastIndexOf(kCheck);
    if (check < 1 || body.sliced(check + kCheck.size()) != checksumOf(line, body.first(check)))
        return std::nullopt;
    RecordExtras e;
    for (QStringView field : body.sliced(1, check - 1).split(u';')) {
        const qsizetype eq = field.indexOf(u'=');
        const QStringView name = field.first(std::max<qsizetype>(eq, 0));
        const QString value = field.sliced(eq + 1).toString();
        if (name == u"id")
            e.childId = value;
        else if (name == u"reason")
            e.reason = value;
        else if (name == u"criterion")
            e.criterion = value;
        else if (name == u"source")
            e.timeSource = value; // a name this version does not know is skipped
    }
    return e;
}

QString childKey(QStringView person, QStringView childId) {
    return childId.isEmpty() ? person.toString() : person.toString() + u'#' + childId.toString();
}

QString childKeyOf(const ScreeningRecord& r) {
    return childKey(personOf(r), r.extras.childId);
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

namespace {

// A child the search found: its person part as a view into the text, and its key made only
// when it has an ID. The screens read files of tens of thousands of lines.
struct Found {
    QStringView person;
    QString childId;
    QString idKey;
    QStringView key() const { return idKey.isEmpty() ? person : QStringView(idKey); }
};

QList<Found> matching(const QString& historyText, const QString& search) {
    const QString needle = searchFolded(search);
    QSet<QStringView> seenPersons; // children without an ID: views into historyText
    QSet<QString> seenKeys;        // children with one
    QList<Found> found;
    forEachHistoryRecord(historyText, [&](QStringView line, const RecordExtras& extras) {
        // A line counts when parseHistoryLine takes it: a "|" after name, sex and birth.
        const QStringView person = keyOf(line);
        if (person.count(u',') < 2)
            return;
        QString idKey;
        // each child is folded once, however many screenings it has
        if (!extras.childId.isEmpty()) {
            idKey = childKey(person, extras.childId);
            if (seenKeys.contains(idKey))
                return;
            seenKeys.insert(idKey);
        } else {
            if (seenPersons.contains(person))
                return;
            seenPersons.insert(person);
        }
        if (needle.isEmpty() || searchFolded(person).contains(needle) ||
            searchFolded(extras.childId).contains(needle))
            found.append({person, extras.childId, idKey});
    });
    // The keys are distinct: sorting them gives the order of inserting each before the
    // first greater one.
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.key() < b.key(); });
    return found;
}

} // namespace

QList<HistoryChild> matchingChildren(const QString& historyText, const QString& search) {
    QList<HistoryChild> children;
    for (const Found& f : matching(historyText, search)) {
        const qsizetype sex = f.person.indexOf(u',') + 1;
        const qsizetype birth = f.person.indexOf(u',', sex) + 1;
        const qsizetype end = f.person.indexOf(u',', birth);
        children.append(
            {f.key().toString(), f.person.first(sex - 1).toString(),
             f.person.sliced(sex, birth - 1 - sex).toString(),
             f.person.sliced(birth, (end < 0 ? f.person.size() : end) - birth).toString(),
             f.childId});
    }
    return children;
}

QStringList matchingChildKeys(const QString& historyText, const QString& search) {
    QStringList keys;
    for (const Found& f : matching(historyText, search))
        keys << f.key().toString();
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

QList<ScreeningRow> childScreenings(const QString& historyText, const QString& childKey) {
    QList<ScreeningRow> rows;
    forEachHistoryRecord(historyText, [&](QStringView line, const RecordExtras& extras) {
        // only the child's own lines are taken apart
        if (!keyIs(childKey, keyOf(line), extras.childId))
            return;
        const auto entry = parseHistoryLine(line.toString());
        if (!entry)
            return;
        if (const auto cells = screeningCells(entry->results))
            rows.prepend({*cells, extras});
    });
    return rows;
}

namespace {

// A line of the file's bytes: where it starts, ends, and where the next one starts.
struct Span {
    qsizetype start, end, next;
};

QList<Span> spansOf(const QByteArray& bytes) {
    QList<Span> spans;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < bytes.size())
            next +=
                bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n' ? 2 : 1;
        spans.append({start, end, next});
        start = next;
    }
    return spans;
}

} // namespace

ScreeningRecord recordOfRow(const HistoryChild& child, const ScreeningRow& row) {
    ScreeningRecord r;
    r.name = child.name;
    r.male = child.sex == u"Male";
    r.birth = QDate::fromString(child.birth, "yyyy-MM-dd");
    r.extras = row.extras;
    const auto cell = [&row](int column) { return row.cells.value(column); };
    r.testTime = QDateTime::fromString(cell(0), "yyyy-MM-dd hh:mm");
    r.odSph = cell(1);
    r.odCyl = cell(2);
    r.odAxis = cell(3);
    r.osSph = cell(4);
    r.osCyl = cell(5);
    r.osAxis = cell(6);
    r.pd = cell(7);
    r.referral = cell(8);
    return r;
}

QByteArray historyWithout(const QByteArray& history, const QStringList& childKeys) {
    const QSet<QString> gone(childKeys.begin(), childKeys.end());
    const QList<Span> spans = spansOf(history);
    // The line as the list showed it: the reader skips zero bytes.
    auto shown = [&](qsizetype i) {
        QByteArray line = history.sliced(spans[i].start, spans[i].end - spans[i].start);
        return line.replace('\0', QByteArray());
    };
    QByteArray kept;
    kept.reserve(history.size());
    auto keep = [&](qsizetype i) {
        const Span& s = spans[i];
        kept += history.sliced(s.start, s.end - s.start);
        kept += s.end < history.size() ? history.sliced(s.end, s.next - s.end) : QByteArray("\n");
    };
    for (qsizetype i = 0; i < spans.size(); ++i) {
        const QByteArray line = shown(i);
        if (line.isEmpty())
            continue;
        const qsizetype bar = line.indexOf('|');
        // An extras line of no screening (torn, or left by another tool) goes: kept, it
        // would become the extras of a screening once the lines between them were deleted.
        if (bar >= 0 && bar + 1 < line.size() && line[bar + 1] == '+')
            continue;
        const QString person = bar < 0 ? QString() : QString::fromUtf8(line.first(bar));
        RecordExtras extras;
        bool withExtras = false;
        const auto nextMayBeExtras = [&] { // without a copy: most lines are no extras lines
            const Span& n = spans[i + 1];
            const QByteArrayView next = QByteArrayView(history).sliced(n.start, n.end - n.start);
            return next.contains("|+") || next.contains('\0'); // zero bytes are not shown
        };
        if (bar >= 0 && i + 1 < spans.size() && nextMayBeExtras())
            if (const auto e = extrasOf(QString::fromUtf8(line), QString::fromUtf8(shown(i + 1)))) {
                extras = *e;
                withExtras = true;
            }
        const bool goes = bar >= 0 && (extras.childId.isEmpty()
                                           ? gone.contains(person)
                                           : gone.contains(childKey(person, extras.childId)));
        if (!goes) {
            keep(i);
            if (withExtras)
                keep(i + 1);
        }
        if (withExtras)
            ++i;
    }
    return kept;
}

HistoryTotals historyTotals(const QString& historyText, const QDate& today,
                            const QString& pendingVerdict) {
    const QString day = today.toString("yyyy-MM-dd");
    QHash<QString, QString> latestToday, latestAll; // child key -> verdict
    forEachHistoryRecord(historyText, [&](QStringView line, const RecordExtras& extras) {
        const auto entry = parseHistoryLine(line.toString());
        if (!entry)
            return;
        const auto cells = screeningCells(entry->results);
        if (!cells)
            return;
        const QString key = childKey(entry->key, extras.childId);
        latestAll.insert(key, cells->at(8));
        if (cells->at(0).startsWith(day))
            latestToday.insert(key, cells->at(8));
    });
    auto count = [&](const QHash<QString, QString>& latest) {
        OutcomeTotals t;
        t.screened = int(latest.size());
        for (const QString& verdict : latest) {
            t.passed += verdict == u"Pass";
            t.referred += verdict == u"Refer";
            t.unable += verdict == QLatin1StringView(kUnableToScreen);
            t.pending += verdict == pendingVerdict;
        }
        return t;
    };
    return {count(latestToday), count(latestAll)};
}

QString unableReasonText(const QString& code) {
    for (const UnableReason& r : kUnableReasons)
        if (code == QLatin1StringView(r.code))
            return QString::fromLatin1(r.text);
    return code;
}
