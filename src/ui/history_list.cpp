#include "ui/history_list.h"

void HistoryTicks::reset(int rows) {
    m_flags = QStringList(rows, QStringLiteral("0"));
    m_allTicked = false;
}

bool HistoryTicks::toggle(int row) {
    if (row < 0 || row >= rows())
        return false;
    const bool now = !ticked(row);
    m_flags[row] = now ? QStringLiteral("1") : QStringLiteral("0");
    const bool anyOff = m_flags.contains(QStringLiteral("0"));
    if (!m_allTicked && !anyOff)
        m_allTicked = true;
    else if (m_allTicked && anyOff)
        m_allTicked = false;
    return now;
}

bool HistoryTicks::toggleAll() {
    m_allTicked = !m_allTicked;
    m_flags.fill(m_allTicked ? QStringLiteral("1") : QStringLiteral("0"));
    return m_allTicked;
}

QList<int> HistoryTicks::tickedRows() const {
    QList<int> out;
    for (int r = 0; r < rows(); ++r)
        if (ticked(r))
            out << r;
    return out;
}

QString childKey(const QString& name, const QString& sex, const QString& birth) {
    return name + ',' + sex + ',' + birth;
}
