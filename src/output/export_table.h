#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The history export: every stored screening of the given children (by child key, the
// rule the list, the detail page and the delete use too), in file order. Lines that are
// not one person part of three fields and one result part of 6, 8 or 9 fields are left out.
// A line goes in once per equal key given.

// As one HTML table of the twelve columns, cell texts HTML-escaped: the mail's body.
QString exportTable(const QString& historyText, const QStringList& childKeys);

// As a spreadsheet file (RFC 4180): the twelve columns and then "ID", "Reason", "Criterion"
// and "Time source"; fields quoted where they hold a quote, comma or line end; CRLF after
// every record; UTF-8 behind a byte order mark, so spreadsheets read names in any script.
// A name that a spreadsheet would take for a formula gets a leading "'".
QByteArray exportCsv(const QString& historyText, const QStringList& childKeys);
inline constexpr const char* kExportCsvName = "screenings.csv";
