// The history file's text: one line per screening,
//   name,sex,birth|time,ODsph,ODcyl,ODaxis,OSsph,OScyl,OSaxis,PD,verdict
// and, directly after a screening that has extras (an ID, a reason, its criterion, the
// clock's source), an extras line with the same person part:
//   name,sex,birth|+id=S-12;criterion=Arnold;source=network;check=3f0a
// The twelve fields keep their places, so a version that knows no extras still lists,
// shows, exports and deletes every screening: it takes the extras line for a short line
// (one screening field) and skips it, and deletes it with its child. "check" is a checksum
// of the screening line and the fields before it: a torn or misplaced extras line is no
// extras line. The child key is the person part, and with an ID the person part, "#" and
// the ID. Everything here works on the file's text so the screens and the export stay thin.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

#include "screening/record.h"

// The record as its history line and, when it has extras, its extras line; each ended by
// "\n".
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

// Whether a line is an extras line (its screening part begins with "+").
bool isExtrasLine(QStringView line);
// Where the record that ends the history's last bytes `tail`, cut short, began (for
// appendLineDurably). A screening line and its extras line are appended together, so a
// cut extras line goes with the screening line above it; a cut screening line goes alone.
qsizetype tornHistoryRecord(const QByteArray& tail);
// The extras `next` holds for the screening `line`, or nothing when `next` is not the
// extras line of that screening.
std::optional<RecordExtras> extrasOf(QStringView line, QStringView next);

// Calls f(line, extras) with each line that is not an extras line, and the extras of the
// extras line after it (empty when there is none). Extras lines that belong to no
// screening are skipped.
template <typename F> void forEachHistoryRecord(QStringView text, F f) {
    std::optional<QStringView> held;
    forEachHistoryLine(text, [&](QStringView line) {
        if (isExtrasLine(line)) {
            if (held)
                f(*held, extrasOf(*held, line).value_or(RecordExtras{}));
            held.reset();
            return;
        }
        if (held)
            f(*held, RecordExtras{});
        held = line;
    });
    if (held)
        f(*held, RecordExtras{});
}

// The child key: the person part (name,sex,birth), and "#" and the ID when there is one.
QString childKey(QStringView person, QStringView childId);
QString childKeyOf(const ScreeningRecord& r);

// Text as the search compares it: compatibility-decomposed, without its combining marks,
// case-folded ("Zoë" and "ZOE" both give "zoe").
QString searchFolded(QStringView text);

// One child of the history list.
struct HistoryChild {
    QString key; // childKey()
    QString name, sex, birth, childId;
};
// The distinct children whose person part or ID contains `search`, both folded
// (searchFolded; "" matches all), sorted by key in plain string order.
QList<HistoryChild> matchingChildren(const QString& historyText, const QString& search);
// Their keys.
QStringList matchingChildKeys(const QString& historyText, const QString& search);

// The nine cells of a screening (time, OD sph/cyl/axis, OS sph/cyl/axis, PD, verdict)
// from its 9, 8 or 6 result fields, "N/A" where a layout has no value; nothing for any
// other layout.
std::optional<QStringList> screeningCells(const QStringList& results);

// One screening as the detail page and the export show it.
struct ScreeningRow {
    QStringList cells; // screeningCells
    RecordExtras extras;
};
// The screenings of one child (by childKey), newest first. Six-field (no axes, no verdict)
// and eight-field (no verdict) records show "N/A" where a value is missing; other layouts
// give no row.
QList<ScreeningRow> childScreenings(const QString& historyText, const QString& childKey);
// One of those screenings as a record again (for its receipt): the child, its stored time,
// values and verdict as the cells hold them, and its extras.
ScreeningRecord recordOfRow(const HistoryChild& child, const ScreeningRow& row);

// The history file's bytes without the lines of the given children (by childKey), extras
// lines going with their screenings, and without extras lines of no screening (which would
// otherwise attach to a screening the delete brings next to them); every other line is
// kept byte for byte with its own
// line end ("\n", "\r\n" or a lone "\r"; a last line without one gets "\n"), empty lines
// dropped. A line goes only when its child key is exactly one of the keys, so deleting a
// child never takes records of another child whose line merely begins with the same text.
QByteArray historyWithout(const QByteArray& history, const QStringList& childKeys);

// How many children were screened, and how their latest screening ended. A child screened
// twice counts once, by its latest screening (file order); screenings without a verdict
// count only as screened.
struct OutcomeTotals {
    int screened = 0, passed = 0, referred = 0, unable = 0, pending = 0;
    bool operator==(const OutcomeTotals& o) const {
        return screened == o.screened && passed == o.passed && referred == o.referred &&
               unable == o.unable && pending == o.pending;
    }
};
struct HistoryTotals {
    OutcomeTotals today, all;
};
// Totals of the history text (pending screenings have the verdict `pendingVerdict`), for
// the screenings of the day `today` and for all.
HistoryTotals historyTotals(const QString& historyText, const QDate& today,
                            const QString& pendingVerdict);
