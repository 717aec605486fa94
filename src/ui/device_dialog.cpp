#include "ui/device_dialog.h"

#include "ui/keypaddlg.h"
#include "ui/numkeypaddlg.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>

DeviceDialog::DeviceDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
}

void DeviceDialog::moveInWindow(int x, int y) {
    QPoint pos(x, y);
    if (QWidget* window = dialogs::mainWindow()) {
        // Never hang off the window, whatever size the dialog has.
        pos.setX(qBound(0, x, qMax(0, window->width() - width())));
        pos.setY(qBound(0, y, qMax(0, window->height() - height())));
    }
    move(dialogs::toScreen(pos));
    m_placed = true;
}

bool DeviceDialog::event(QEvent* event) {
    if (event->type() == QEvent::Show && !m_placed) {
        if (QWidget* window = dialogs::mainWindow())
            move(window->mapToGlobal(window->rect().center()) - rect().center());
    }
    if (event->type() == QEvent::ZOrderChange && m_closesWhenCovered) {
        if (m_zOrderSeen)
            close();
        m_zOrderSeen = true;
    }
    return QDialog::event(event);
}

namespace dialogs {

QWidget* mainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("MainDialog") && w->isVisible())
            return w;
    return nullptr;
}

QPoint toScreen(QPoint windowPos) {
    QWidget* window = mainWindow();
    return window ? window->mapToGlobal(windowPos) : windowPos;
}

void openKeypad(QLineEdit* edit) {
    KeypadDlg keypad;
    keypad.m_pLineEdit = edit;
    keypad.moveInWindow(0, 350);
    keypad.exec();
}

void openNumKeypad(QLineEdit* edit, int length, QPoint pos) {
    NumKeypadDlg keypad;
    keypad.m_pLineEdit = edit;
    keypad.m_nLength = length;
    keypad.moveInWindow(pos.x(), pos.y());
    keypad.exec();
}

} // namespace dialogs
