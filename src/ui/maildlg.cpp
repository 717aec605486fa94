#include "ui/maildlg.h"

#include "ui/keyboards.h"
#include "ui_maildlg.h"

MailDlg::MailDlg(QWidget* parent) : DeviceDialog(parent), ui(new Ui::MailDlg) {
    ui->setupUi(this);
    dialogs::bindKeypad(ui->editEmail);
    moveInWindow(212, 20);
}

MailDlg::~MailDlg() {
    delete ui;
}

void MailDlg::on_buttonSend_clicked() {
    m_bConfirm = true;
    m_strEmail = ui->editEmail->text();
    close();
}

void MailDlg::on_buttonCancel_clicked() {
    close();
}
