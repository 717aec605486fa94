// The history file's text: one line per screening,
//   name,sex,birth|time,ODsph,ODcyl,ODaxis,OSsph,OScyl,OSaxis,PD,verdict
// The part before "|" is the child key. Everything here works on the file's text so the
// screens and the export stay thin.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

#include "screening/record.h"

// The record as one history line, ended by "\n".
QString historyLine(const ScreeningRecord& r);

// One history line taken apart. Lines without "|" or with fewer than three person fields
// are damaged and give nothing.
struct HistoryEntry {
    QString key; // name,sex,birth as stored
    QString name, sex, birth;
    QStringList results; // the fields after "|"
};
std::optional<HistoryEntry> parseHistoryLine(const QString& line);

// Calls f with each line of text (without its "\n"), as a view into text: the screens read
// files of tens of thousands of lines, and a copy of each line costs more than the work.
// A line ends at "\n", "\r\n" or a lone "\r" (a file written by another tool).
template <typename F> void forEachHistoryLine(QStringView text, F f) {
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        f(text.sliced(start, end - start));
        start =
            end + (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);
    }
}

// Text as the search compares it: compatibility-decomposed, without its combining marks,
// case-folded ("Zoë" and "ZOE" both give "zoe").
QString searchFolded(QStringView text);

// The distinct child keys whose text contains `search`, both folded (searchFolded; ""
// matches all), sorted by plain string order.
QStringList matchingChildKeys(const QString& historyText, const QString& search);

// The nine cells of a screening (time, OD sph/cyl/axis, OS sph/cyl/axis, PD, verdict)
// from its 9, 8 or 6 result fields, "N/A" where a layout has no value; nothing for any
// other layout.
std::optional<QStringList> screeningCells(const QStringList& results);

// The screenings of one child as rows of nine cells (time, OD sph/cyl/axis, OS
// sph/cyl/axis, PD, verdict), newest first. Six-field (no axes, no verdict) and
// eight-field (no verdict) records show "N/A" where a value is missing; other layouts
// give no row.
QList<QStringList> childScreenings(const QString& historyText, const QString& childKey);

// The history file's bytes without the lines of the given children; every other line is
// kept byte for byte with its own line end ("\n", "\r\n" or a lone "\r"; a last line
// without one gets "\n"), empty lines dropped. A line goes only when its child key is
// exactly one of the keys, so deleting a child never takes records of another child
// whose line merely begins with the same text.
QByteArray historyWithout(const QByteArray& history, const QStringList& childKeys);
