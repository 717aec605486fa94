// The only message box: a title, an optional message, one to three buttons.
#pragma once

#include "ui/device_dialog.h"

namespace Ui {
class MsgDialog;
}

class MsgDialog : public DeviceDialog {
    Q_OBJECT
public:
    explicit MsgDialog(QWidget* parent = nullptr);
    ~MsgDialog() override;

    // Title, message, then the left, middle and right button texts. No left text: one wide
    // button with the middle text. Left but no middle text: left and right buttons.
    // Left and middle: three buttons.
    void Init(const QString& title, const QString& message, const QString& left,
              const QString& middle, const QString& right);

    // The button that closed the dialog.
    enum Choice { Closed = -1, Left = 0, Middle = 1, Right = 2 };
    // Shows the dialog until a button or the window closes it.
    Choice choose();
    Choice choice() const { return m_choice; }
    // Init and choose at once.
    static Choice ask(const QString& title, const QString& message, const QString& left,
                      const QString& middle, const QString& right);

    // The two forms the screens use most: a notice (the text as title, one "OK"), and a
    // question with "Yes" (left) and "No" (right), true for Yes.
    static void notify(const QString& text);
    // "Error" over the text, one "OK".
    static void error(const QString& text);
    static bool askYes(const QString& title);

private slots:
    void on_buttonLeft_clicked();
    void on_buttonLeft1_clicked();
    void on_buttonMiddle_clicked();
    void on_buttonMiddle1_clicked();
    void on_buttonRight_clicked();
    void on_buttonRight1_clicked();

private:
    void finish(Choice button);

    Ui::MsgDialog* ui;
    Choice m_choice = Closed;
};
