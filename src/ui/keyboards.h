// The on-screen keyboards, opened modally and bound to an edit: the QWERTY keyboard at
// (0, 350), the bottom 250 rows of the window; the numeric keypad at `pos` with `length`
// positions of the template.
#pragma once

#include <QPoint>

class QLineEdit;

namespace dialogs {

// True when the entry ended with Enter rather than the keyboard's close key.
bool openKeypad(QLineEdit* edit);
void openNumKeypad(QLineEdit* edit, int length, QPoint pos);
// From now on a press on `edit` opens the QWERTY keyboard bound to it; the press is
// consumed.
void bindKeypad(QLineEdit* edit);

} // namespace dialogs
