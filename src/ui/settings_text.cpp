#include "ui/settings_text.h"

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
    static const QList<Zone> table = {{"0", "UTC+00: Universal Coordinated Time"},
                                      {"1", "UTC+01: European Central Time"},
                                      {"2", "UTC+02: Eastern European Time"},
                                      {"3", "UTC+03: Eastern African Time"},
                                      {"4", "UTC+04: Near East Time"},
                                      {"5", "UTC+05: Pakistan Lahore Time"},
                                      {"6", "UTC+06: Bangladesh Standard Time"},
                                      {"7", "UTC+07: Vietnam Standard Time"},
                                      {"8", "UTC+08: China Standard Time"},
                                      {"9", "UTC+09: Japan Standard Time"},
                                      {"10", "UTC+10: Australia Eastern Time"},
                                      {"11", "UTC+11: Solomon Standard Time"},
                                      {"12", "UTC+12: New Zealand Standard Time"},
                                      {"-1", "UTC-01: Central African Time"},
                                      {"-2", "UTC-02: Noronha Standard Time"},
                                      {"-3", "UTC-03: Brazil Eastern Time"},
                                      {"-4", "UTC-04: Virgin Islands Time"},
                                      {"-5", "UTC-05: Eastern Standard Time"},
                                      {"-6", "UTC-06: Central Standard Time"},
                                      {"-7", "UTC-07: Mountain Standard Time"},
                                      {"-8", "UTC-08: Pacific Standard Time"},
                                      {"-9", "UTC-09: Alaska Standard Time"},
                                      {"-10", "UTC-10: Hawaii Standard Time"},
                                      {"-11", "UTC-11: Midway Islands Time"},
                                      {"5.5", "UTC+5.5: Indian Standard Time"}};
    return table;
}

QString zoneText(const QString& value) {
    for (const Zone& z : zones())
        if (value == QLatin1String(z.value))
            return QString::fromLatin1(z.text);
    return QString::fromLatin1(zones().first().text);
}

const QList<Timeout>& timeouts() {
    static const QList<Timeout> table = {{"1 Minute", 1},    {"5 Minutes", 5}, {"10 Minutes", 10},
                                         {"30 Minutes", 30}, {"1 Hour", 60},   {"Never", -1}};
    return table;
}

QString timeoutText(int minutes) {
    for (const Timeout& t : timeouts())
        if (t.minutes == minutes)
            return QString::fromLatin1(t.text);
    return QStringLiteral("Never");
}

int regionRow(int region) {
    return region >= 0 && region <= 2 ? region : 3;
}

} // namespace settings_text
