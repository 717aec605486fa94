#include "ui/history_list.h"

#include "screening/history.h"

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

QString totalsText(const HistoryTotals& totals) {
    auto cell = [](const QString& text) { return "<td align=\"center\">" + text + "</td>"; };
    QString html = "<table cellspacing=\"0\" cellpadding=\"0\" width=\"100%\"><tr><td></td>";
    for (const char* heading : {"Screened", "Pass", "Refer", "Unable", "Pending"})
        html += cell(QString::fromLatin1(heading));
    html += "</tr>";
    auto row = [&](const char* name, const OutcomeTotals& t) {
        html += "<tr><td>" + QString::fromLatin1(name) + "</td>";
        for (int n : {t.screened, t.passed, t.referred, t.unable, t.pending})
            html += cell(QString::number(n));
        html += "</tr>";
    };
    row("Today", totals.today);
    row("All", totals.all);
    return html + "</table>";
}

QString extrasText(const RecordExtras& extras) {
    QStringList parts;
    if (!extras.reason.isEmpty())
        parts << "Reason: " + unableReasonText(extras.reason);
    if (!extras.criterion.isEmpty())
        parts << "Criterion: " + extras.criterion;
    if (!extras.timeSource.isEmpty())
        parts << "Time from: " + extras.timeSource;
    return parts.join(QStringLiteral("    "));
}
