// The history list's row ticks and its select-all box, widget-free, and the child keys the
// rows stand for.
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

// The child key of a list row: name, sex and birth date as the list shows them, joined by
// "," (the part of a history line before "|").
QString childKey(const QString& name, const QString& sex, const QString& birth);
