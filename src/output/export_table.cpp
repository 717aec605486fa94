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
    QHash<QString, int> wanted;
    for (const QString& key : childKeys)
        ++wanted[key];
    for (const QString& line : historyText.split('\n')) {
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split('|');
        if (parts.size() != 2)
            continue;
        const int times = wanted.value(parts[0]);
        const QStringList person = parts[0].split(',');
        if (times == 0 || person.size() != 3)
            continue;
        const auto cells = screeningCells(parts[1].split(','));
        if (!cells)
            continue;
        QString row = "<tr>";
        for (const QString& text : person + *cells)
            row += cell(text);
        row += "</tr>";
        for (int i = 0; i < times; ++i)
            table += row;
    }
    return table + "</table>";
}
