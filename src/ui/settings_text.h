// What the settings pages and their chooser dialogs show for stored values, widget-free.
#pragma once

#include <QList>
#include <QString>

namespace settings_text {

// The referral criterion of a settings code (0 Arnold, 1 Matta, 2 Arthur2): its name on
// the status bar and the mark shown beside it; empty for another code.
QString criterionName(int code);
QString criterionMark(int code);
// The referral page's sub-page that describes a criterion code (Matta 0, Arthur2 1,
// Arnold 2).
int referralSubPage(int code);

// The time zones of ZoneDlg, in button order: the stored value and its text.
struct Zone {
    const char* value;
    const char* text;
};
const QList<Zone>& zones();
// The text of a stored zone value; a value not in the table shows as UTC+00.
QString zoneText(const QString& value);

// The choices of TimeDlg, in button order: the text and the minutes (-1 never).
struct Timeout {
    const char* text;
    int minutes;
};
const QList<Timeout>& timeouts();
// The text of a stored timeout: one of the choices, "Never" for any other value.
QString timeoutText(int minutes);

// The region row that shows as chosen: 0 America, 1 India, 2 China, anything else
// Philippines.
int regionRow(int region);

} // namespace settings_text
