#include "output/export_table.h"

#include "screening/history.h"

#include <QHash>

#include <functional>

namespace {

const char* const kHeaders[] = {"Name",   "Sex",     "Birthday", "Time",
                                "OD SPH", "OD CYL",  "OD AXIS",  "OS SPH",
                                "OS CYL", "OS AXIS", "PD",       "Screening results"};
const char* const kExtraHeaders[] = {"ID", "Reason", "Criterion", "Time source"};

QString cell(const QString& text) {
    return "<td>" + text.toHtmlEscaped() + "</td>";
}

// Calls row(person fields + nine cells, extras, times) for each exported screening.
using ExportRow = std::function<void(const QStringList&, const RecordExtras&, int)>;
void forEachExported(const QString& historyText, const QStringList& childKeys, ExportRow row) {
    // How often each key was given: a line goes into the export once per equal key.
    QHash<QStringView, int> wanted; // views into childKeys
    for (const QString& key : childKeys)
        ++wanted[QStringView(key)];
    forEachHistoryRecord(historyText, [&](QStringView line, const RecordExtras& extras) {
        // One "|" between the person (three fields) and the screening; only the wanted
        // children's lines are taken apart.
        const qsizetype bar = line.indexOf(u'|');
        if (bar < 0 || line.indexOf(u'|', bar + 1) >= 0)
            return;
        const QStringView person = line.first(bar);
        const int times = extras.childId.isEmpty()
                              ? wanted.value(person)
                              : wanted.value(QStringView(childKey(person, extras.childId)));
        if (times == 0 || person.count(u',') != 2)
            return;
        const auto cells = screeningCells(line.sliced(bar + 1).toString().split(','));
        if (cells)
            row(person.toString().split(',') + *cells, extras, times);
    });
}

// RFC 4180: a field with a quote, comma or line end is quoted, its quotes doubled.
QString csvField(const QString& text) {
    if (!text.contains(u'"') && !text.contains(u',') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// A typed name that begins like a formula is shown by spreadsheets as text, not run.
QString notAFormula(const QString& text) {
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text[0]) ? u'\'' + text : text;
}

} // namespace

QString exportTable(const QString& historyText, const QStringList& childKeys) {
    QString table = "<table border=\"1\"><tr>";
    for (const char* h : kHeaders)
        table += "<td>" + QString::fromLatin1(h) + "</td>";
    table += "</tr>";
    forEachExported(historyText, childKeys,
                    [&](const QStringList& texts, const RecordExtras&, int times) {
                        QString row = "<tr>";
                        for (const QString& text : texts)
                            row += cell(text);
                        row += "</tr>";
                        for (int i = 0; i < times; ++i)
                            table += row;
                    });
    return table + "</table>";
}

QByteArray exportCsv(const QString& historyText, const QStringList& childKeys) {
    QStringList header;
    for (const char* h : kHeaders)
        header << QString::fromLatin1(h);
    for (const char* h : kExtraHeaders)
        header << QString::fromLatin1(h);
    QString csv = header.join(u',') + QStringLiteral("\r\n");
    forEachExported(
        historyText, childKeys, [&](const QStringList& texts, const RecordExtras& e, int times) {
            QStringList fields = texts;
            fields[0] = notAFormula(fields[0]);
            fields << e.childId << unableReasonText(e.reason) << e.criterion << e.timeSource;
            for (QString& f : fields)
                f = csvField(f);
            const QString row = fields.join(u',') + QStringLiteral("\r\n");
            for (int i = 0; i < times; ++i)
                csv += row;
        });
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}
