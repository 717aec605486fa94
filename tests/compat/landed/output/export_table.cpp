#include "output/export_table.h"

#include "screening/history.h"

#include <QHash>

namespace {

const char* const kHeaders[] = {"Name",   "Sex",     "Birthday", "Time",
                                "OD SPH", "OD CYL",  "OD AXIS",  "OS SPH",
                                "OS CYL", "OS AXIS", "PD",       "Screening results"};

QString cell(const QString& text) {
    return "<td>" + text.toHtmlEscaped() + "</td>";
}

} // namespace

QString exportTable(const QString& historyText, const QStringList& childKeys) {
    QString table = "<table border=\"1\"><tr>";
    for (const char* h : kHeaders)
        table += "<td>" + QString::fromLatin1(h) + "</td>";
    table += "</tr>";
    // How often each key was given: a line goes into the table once per equal key.
    QHash<QStringView, int> wanted; // views into childKeys
    for (const QString& key : childKeys)
        ++wanted[QStringView(key)];
    forEachHistoryLine(historyText, [&](QStringView line) {
        // One "|" between the person (three fields) and the screening; only the wanted
        // children's lines are taken apart.
        const qsizetype bar = line.indexOf(u'|');
        if (bar < 0 || line.indexOf(u'|', bar + 1) >= 0)
            return;
        const QStringView key = line.first(bar);
        const int times = wanted.value(key);
        if (times == 0 || key.count(u',') != 2)
            return;
        const auto cells = screeningCells(line.sliced(bar + 1).toString().split(','));
        if (!cells)
            return;
        QString row = "<tr>";
        for (const QString& text : key.toString().split(',') + *cells)
            row += cell(text);
        row += "</tr>";
        for (int i = 0; i < times; ++i)
            table += row;
    });
    return table + "</table>";
}
