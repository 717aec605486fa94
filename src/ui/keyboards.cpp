#include "ui/keyboards.h"

#include "ui/keypaddlg.h"
#include "ui/numkeypaddlg.h"

#include <QEvent>
#include <QLineEdit>

namespace dialogs {

namespace {

class KeypadBinding : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress && watched == parent()) {
            openKeypad(static_cast<QLineEdit*>(watched));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool openKeypad(QLineEdit* edit) {
    KeypadDlg keypad(edit);
    keypad.moveInWindow(0, 350);
    return keypad.exec() == QDialog::Accepted;
}

void openNumKeypad(QLineEdit* edit, int length, QPoint pos) {
    NumKeypadDlg keypad(edit, length);
    keypad.moveInWindow(pos.x(), pos.y());
    keypad.exec();
}

void bindKeypad(QLineEdit* edit) {
    edit->installEventFilter(new KeypadBinding(edit));
}

} // namespace dialogs
