// The history list's row ticks and its select-all box, and the texts of the totals and of
// a screening's extras, widget-free.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class HistoryTicks {
public:
    // A list of `rows` rows, none ticked, the select-all box off.
    void reset(int rows);
    int rows() const { return int(m_flags.size()); }

    // Ticks or unticks a row; the select-all box follows: on once no row is unticked, off
    // once one is. Returns the row's new state.
    bool toggle(int row);
    // The select-all box pressed: it changes, and every row takes its new state.
    bool toggleAll();

    bool ticked(int row) const { return m_flags.value(row) == QLatin1String("1"); }
    bool allTicked() const { return m_allTicked; }
    QList<int> tickedRows() const;
    // "1" or "0" per row, in row order (what the log shows).
    const QStringList& flags() const { return m_flags; }

private:
    QStringList m_flags;
    bool m_allTicked = false;
};

struct HistoryTotals;
// The history page's totals as a small table: a row for today and one for all records.
QString totalsText(const HistoryTotals& totals);

// What the detail page says of one screening beyond its cells: its criterion, where its
// time came from and, for one that gave no result, why. "" when it has none of them.
struct RecordExtras;
QString extrasText(const RecordExtras& extras);
// A reason code's text in the screens' language (the stored and exported text stays
// English: unableReasonText).
QString reasonShown(const QString& code);
// A stored verdict ("Pass", "Refer", "Unable to screen", "Pending") as the detail page
// says it ("Unable to screen" as the short "Unable").
QString verdictShown(const QString& verdict);
