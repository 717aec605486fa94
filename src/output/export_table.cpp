#include "output/export_table.h"

#include "screening/history.h"

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
    for (const QString& line : historyText.split('\n')) {
        if (line.isEmpty())
            continue;
        for (const QString& key : childKeys) {
            if (!line.startsWith(key))
                continue;
            const QStringList parts = line.split('|');
            if (parts.size() != 2)
                continue;
            const QStringList person = parts[0].split(',');
            if (person.size() != 3)
                continue;
            const auto cells = screeningCells(parts[1].split(','));
            if (!cells)
                continue;
            table += "<tr>";
            for (const QString& text : person + *cells)
                table += cell(text);
            table += "</tr>";
        }
    }
    return table + "</table>";
}
