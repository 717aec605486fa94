#include "ui/history_list.h"

#include "screening/history.h"

#include <QCoreApplication>

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
    for (const char* heading :
         {QT_TRANSLATE_NOOP("History", "Screened"), QT_TRANSLATE_NOOP("History", "Pass"),
          QT_TRANSLATE_NOOP("History", "Refer"), QT_TRANSLATE_NOOP("History", "Unable"),
          QT_TRANSLATE_NOOP("History", "Pending")})
        html += cell(QCoreApplication::translate("History", heading));
    html += "</tr>";
    auto row = [&](const char* name, const OutcomeTotals& t) {
        html += "<tr><td>" + QCoreApplication::translate("History", name) + "</td>";
        for (int n : {t.screened, t.passed, t.referred, t.unable, t.pending})
            html += cell(QString::number(n));
        html += "</tr>";
    };
    row(QT_TRANSLATE_NOOP("History", "Today"), totals.today);
    row(QT_TRANSLATE_NOOP("History", "All"), totals.all);
    return html + "</table>";
}

QString extrasText(const RecordExtras& extras) {
    QStringList parts;
    auto tr = [](const char* text) { return QCoreApplication::translate("History", text); };
    if (!extras.reason.isEmpty())
        parts << tr("Reason: %1").arg(reasonShown(extras.reason));
    if (!extras.criterion.isEmpty())
        parts << tr("Criterion: %1").arg(extras.criterion);
    // The stored source names, as the screens say them.
    static const char* const kSources[] = {QT_TRANSLATE_NOOP("History", "network"),
                                           QT_TRANSLATE_NOOP("History", "device clock"),
                                           QT_TRANSLATE_NOOP("History", "operator")};
    Q_UNUSED(kSources);
    if (!extras.timeSource.isEmpty())
        parts << tr("Time from: %1").arg(tr(extras.timeSource.toUtf8().constData()));
    return parts.join(QStringLiteral("    "));
}

QString reasonShown(const QString& code) {
    // The English text is the translation's source.
    return QCoreApplication::translate("Reason", unableReasonText(code).toUtf8().constData());
}

QString verdictShown(const QString& verdict) {
    // The detail's narrow verdict column has the totals' short word; the reason is below it.
    if (verdict == QLatin1StringView(kUnableToScreen))
        return QCoreApplication::translate("History", "Unable");
    static const char* const kVerdicts[] = {QT_TRANSLATE_NOOP("History", "Pass"),
                                            QT_TRANSLATE_NOOP("History", "Refer"),
                                            QT_TRANSLATE_NOOP("History", "Pending")};
    for (const char* v : kVerdicts)
        if (verdict == QLatin1StringView(v))
            return QCoreApplication::translate("History", v);
    return verdict;
}
