// What the input page accepts as a child, without widgets, and the entry kept on storage
// while the camera page is open, so that a restart of the application for the camera does
// not lose what the operator typed.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

#include "screening/record.h"

namespace entry {

// Names end here at entry. The receipt prints "Name: " and the name on a 32-column line,
// and the result and camera pages give the name 26 characters of 28 pt text: 26 keeps
// every page and the receipt whole.
constexpr int kNameMaxLength = 26;

// Why a typed name cannot be stored as a child, or "" when it can: the history keeps a
// child as "name,sex,birth|..." on one line, so a "," or "|" would make it another child,
// and a control character (a line break) another line.
QString nameProblem(const QString& name);

// The optional ID of a child (a student or roster number): up to this many letters,
// digits and "-", beginning with a letter or digit.
constexpr int kChildIdMaxLength = 16;
// Why a typed ID cannot be stored, or "" when it can (an empty ID can).
QString childIdProblem(const QString& childId);

// A birth date the screening can use: a real date from 1900-01-01 up to today (the
// device's local date).
bool birthDateValid(const QDate& birth, const QDate& today);

struct Child {
    QString name;
    bool male = true;
    QDate birth;
    QString childId;
    bool operator==(const Child& o) const {
        return name == o.name && male == o.male && birth == o.birth && childId == o.childId;
    }
};

// The child as a record holds it (its person part and ID, nothing else), and back.
ScreeningRecord recordOf(const Child& child);
Child childOf(const ScreeningRecord& record);

// Why the child's name or ID cannot be taken, or "": what the input page checks before it
// makes sure of today's date.
QString identityProblem(const Child& child);
// identityProblem, then the birth date against today: "" for a child that can be screened.
QString childProblem(const Child& child, const QDate& today);

// The kept entry as a file: three lines, name, "M" or "F", and the birth date; a fourth
// line "camera" once the camera has asked for the restart, or "-" until then; a fifth
// with the child's ID when there is one.
QByteArray keptEntryText(const Child& child, bool cameraRestart);
struct KeptEntry {
    Child child;
    bool cameraRestart = false;
};
std::optional<KeptEntry> parseKeptEntry(const QByteArray& text);

} // namespace entry
