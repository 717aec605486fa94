// One screening as it is stored and printed.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// What a screening keeps beyond the twelve fields of its history line: the child's ID from
// the class or camp roster, why it ended without a result, the criterion that judged it and
// where the clock's time came from. Empty texts where a screening has none.
struct RecordExtras {
    QString childId;
    QString reason;     // an unableReasons() code, for an "Unable to screen" outcome
    QString criterion;  // criterionName(): "Matta", "Arnold" or "Arthur2"
    QString timeSource; // "network", "device clock" or "operator"
    bool isEmpty() const {
        return childId.isEmpty() && reason.isEmpty() && criterion.isEmpty() && timeSource.isEmpty();
    }
    bool operator==(const RecordExtras& o) const {
        return childId == o.childId && reason == o.reason && criterion == o.criterion &&
               timeSource == o.timeSource;
    }
};

struct ScreeningRecord {
    QString name;
    bool male = true;
    QDate birth;
    QDateTime testTime;
    QString odSph, odCyl, odAxis;
    QString osSph, osCyl, osAxis;
    QString pd;
    QString referral; // "Pass", "Refer", kUnableToScreen, or "" (no verdict)
    RecordExtras extras;
};

// The outcome of a screening that gave no result, and the reasons an operator can pick.
inline constexpr const char* kUnableToScreen = "Unable to screen";
struct UnableReason {
    const char* code; // as stored
    const char* text; // as printed and exported; the screens show its translation
};
inline constexpr UnableReason kUnableReasons[] = {
    {"no-reflex", QT_TRANSLATE_NOOP("Reason", "No reflex found")},
    {"not-cooperating", QT_TRANSLATE_NOOP("Reason", "Child did not cooperate")},
    {"video-unreadable", QT_TRANSLATE_NOOP("Reason", "Analysis could not read the video")},
    {"other", QT_TRANSLATE_NOOP("Reason", "Other reason")},
};
// The text of a reason code; the code itself when it is none of the list (a newer
// version's reason), so "" for none.
QString unableReasonText(const QString& code);
