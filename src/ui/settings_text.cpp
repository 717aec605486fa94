#include "ui/settings_text.h"

#include <QCoreApplication>

namespace settings_text {
namespace {

struct Criterion {
    const char* name;
    const char* mark;
};
const Criterion kCriteria[] = {{"Arnold", ":/png/history/1@2x.png"},
                               {"Matta", ":/png/history/2@2x.png"},
                               {"Arthur2", ":/png/history/3@2x.png"}};

bool known(int code) {
    return code >= 0 && code <= 2;
}

} // namespace

QString criterionName(int code) {
    return known(code) ? QString::fromLatin1(kCriteria[code].name) : QString();
}

QString criterionMark(int code) {
    return known(code) ? QString::fromLatin1(kCriteria[code].mark) : QString();
}

int referralSubPage(int code) {
    return code == 1 ? 0 : code == 0 ? 2 : 1;
}

const QList<Zone>& zones() {
    static const QList<Zone> table = {
        {"0", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+00: Universal Coordinated Time")},
        {"1", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+01: European Central Time")},
        {"2", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+02: Eastern European Time")},
        {"3", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+03: Eastern African Time")},
        {"4", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+04: Near East Time")},
        {"5", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+05: Pakistan Lahore Time")},
        {"6", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+06: Bangladesh Standard Time")},
        {"7", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+07: Vietnam Standard Time")},
        {"8", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+08: China Standard Time")},
        {"9", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+09: Japan Standard Time")},
        {"10", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+10: Australia Eastern Time")},
        {"11", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+11: Solomon Standard Time")},
        {"12", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+12: New Zealand Standard Time")},
        {"-1", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-01: Central African Time")},
        {"-2", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-02: Noronha Standard Time")},
        {"-3", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-03: Brazil Eastern Time")},
        {"-4", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-04: Virgin Islands Time")},
        {"-5", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-05: Eastern Standard Time")},
        {"-6", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-06: Central Standard Time")},
        {"-7", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-07: Mountain Standard Time")},
        {"-8", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-08: Pacific Standard Time")},
        {"-9", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-09: Alaska Standard Time")},
        {"-10", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-10: Hawaii Standard Time")},
        {"-11", QT_TRANSLATE_NOOP("ZoneDlg", "UTC-11: Midway Islands Time")},
        {"5.5", QT_TRANSLATE_NOOP("ZoneDlg", "UTC+5.5: Indian Standard Time")}};
    return table;
}

QString zoneText(const QString& value) {
    for (const Zone& z : zones())
        if (value == QLatin1String(z.value))
            return QCoreApplication::translate("ZoneDlg", z.text);
    return QCoreApplication::translate("ZoneDlg", zones().first().text);
}

const QList<Timeout>& timeouts() {
    static const QList<Timeout> table = {{QT_TRANSLATE_NOOP("TimeDlg", "1 Minute"), 1},
                                         {QT_TRANSLATE_NOOP("TimeDlg", "5 Minutes"), 5},
                                         {QT_TRANSLATE_NOOP("TimeDlg", "10 Minutes"), 10},
                                         {QT_TRANSLATE_NOOP("TimeDlg", "30 Minutes"), 30},
                                         {QT_TRANSLATE_NOOP("TimeDlg", "1 Hour"), 60},
                                         {QT_TRANSLATE_NOOP("TimeDlg", "Never"), -1}};
    return table;
}

QString timeoutText(int minutes) {
    for (const Timeout& t : timeouts())
        if (t.minutes == minutes)
            return QCoreApplication::translate("TimeDlg", t.text);
    return QCoreApplication::translate("TimeDlg", "Never");
}

int regionRow(int region) {
    return region >= 0 && region <= 2 ? region : 3;
}

} // namespace settings_text
