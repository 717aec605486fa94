#include "ui/msgdialog.h"

#include "ui_msgdialog.h"

#include <QCoreApplication>

MsgDialog::MsgDialog(QWidget* parent) : DeviceDialog(parent), ui(new Ui::MsgDialog) {
    ui->setupUi(this);
    // Text keeps clear of the rounded edges.
    for (QLabel* l : {ui->labelTitle, ui->labelMsg, ui->labelTitleMsg})
        l->setContentsMargins(16, 4, 16, 4);
}

MsgDialog::~MsgDialog() {
    delete ui;
}

// Every text of a message box goes through here: the screens pass their English texts,
// and those of ui/message_texts.cpp come out in the screens' language.
static QString shown(const QString& text) {
    return text.isEmpty() ? text : QCoreApplication::translate("Messages", text.toUtf8());
}

void MsgDialog::Init(const QString& titleText, const QString& messageText, const QString& leftText,
                     const QString& middleText, const QString& rightText) {
    const QString title = shown(titleText), message = shown(messageText), left = shown(leftText),
                  middle = shown(middleText), right = shown(rightText);
    const bool withMessage = !message.isEmpty();
    ui->labelTitleMsg->setVisible(!withMessage);
    ui->labelTitle->setVisible(withMessage);
    ui->labelMsg->setVisible(withMessage);
    if (withMessage) {
        dialogs::setFittingText(ui->labelTitle, title);
        dialogs::setFittingText(ui->labelMsg, message);
    } else {
        dialogs::setFittingText(ui->labelTitleMsg, title);
    }

    const bool one = left.isEmpty();
    const bool two = !one && middle.isEmpty();
    const bool three = !one && !two;
    ui->buttonMiddle1->setVisible(one);
    ui->buttonLeft1->setVisible(two);
    ui->buttonRight1->setVisible(two);
    ui->buttonLeft->setVisible(three);
    ui->buttonMiddle->setVisible(three);
    ui->buttonRight->setVisible(three);
    dialogs::setFittingText(ui->buttonMiddle1, middle);
    dialogs::setFittingText(ui->buttonLeft1, left);
    dialogs::setFittingText(ui->buttonRight1, right);
    dialogs::setFittingText(ui->buttonLeft, left);
    dialogs::setFittingText(ui->buttonMiddle, middle);
    dialogs::setFittingText(ui->buttonRight, right);
}

void MsgDialog::notify(const QString& text) {
    MsgDialog dlg;
    dlg.Init(text, "", "", "OK", "");
    dlg.exec();
}

void MsgDialog::error(const QString& text) {
    MsgDialog dlg;
    dlg.Init("Error", text, "", "OK", "");
    dlg.exec();
}

bool MsgDialog::askYes(const QString& title) {
    return ask(title, "", "Yes", "", "No") == Left;
}

MsgDialog::Choice MsgDialog::choose() {
    m_choice = Closed;
    exec();
    return m_choice;
}

MsgDialog::Choice MsgDialog::ask(const QString& title, const QString& message, const QString& left,
                                 const QString& middle, const QString& right) {
    MsgDialog dialog;
    dialog.Init(title, message, left, middle, right);
    return dialog.choose();
}

void MsgDialog::finish(Choice button) {
    m_choice = button;
    close();
}

void MsgDialog::on_buttonLeft_clicked() {
    finish(Left);
}
void MsgDialog::on_buttonLeft1_clicked() {
    finish(Left);
}
void MsgDialog::on_buttonMiddle_clicked() {
    finish(Middle);
}
void MsgDialog::on_buttonMiddle1_clicked() {
    finish(Middle);
}
void MsgDialog::on_buttonRight_clicked() {
    finish(Right);
}
void MsgDialog::on_buttonRight1_clicked() {
    finish(Right);
}
