// The on-screen QWERTY keyboard: lower case, upper case and two symbol layouts. Every key
// edits the target line edit at once; there is nothing to commit. Enter and the close key
// close it, and so does another window coming over it.
#pragma once

#include "ui/device_dialog.h"

class QLineEdit;
class QPushButton;

namespace Ui {
class KeypadDlg;
}

// The character a letter key types in a layout mode (0 lower, 1 upper, 2 and 3 symbols).
QString keypadCharacter(QChar key, int mode);

class KeypadDlg : public DeviceDialog {
    Q_OBJECT
public:
    // Types into `edit` (not owned).
    explicit KeypadDlg(QLineEdit* edit = nullptr, QWidget* parent = nullptr);
    ~KeypadDlg() override;

    int mode() const { return m_nMode; } // 0 lower, 1 upper, 2 and 3 symbols

    void LineEditAppendString(const QString& text);
    void UpdateKeypad();
    QPushButton* key(QChar letter) const;

private slots:
    void on_buttonShift_clicked();
    void on_buttonNumber_clicked();
    void on_buttonSpace_clicked();
    void on_buttonDel_clicked();
    void on_buttonEnter_clicked();
    void on_buttonCloseKeypad_clicked();

private:
    Ui::KeypadDlg* ui;
    QLineEdit* m_pLineEdit; // the edit typed into, not owned
    int m_nMode = 0;
};

// The numeric keypad: fills the underscores of a template such as "____-__-__" digit by
// digit, or appends digits up to a length.
class NumKeypadLogic {
public:
    static QString input(const QString& text, int length, bool templateMode, int digit);
    static QString remove(const QString& text, int length, bool templateMode);
};
