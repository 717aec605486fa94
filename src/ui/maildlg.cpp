#include "ui/maildlg.h"

#include "output/output_service.h"
#include "smtp/mime.h"
#include "ui/keyboards.h"
#include "ui/msgdialog.h"
#include "ui_maildlg.h"

MailDlg::MailDlg(QWidget* parent) : DeviceDialog(parent), ui(new Ui::MailDlg) {
    ui->setupUi(this);
    dialogs::bindKeypad(ui->editEmail);
    moveInWindow(212, 20);
}

MailDlg::~MailDlg() {
    delete ui;
}

// An address that is not one is refused here, before any dialog or connection.
void MailDlg::on_buttonSend_clicked() {
    const QString address = ui->editEmail->text().trimmed();
    if (!isMailAddress(address))
        return MsgDialog::error(OutputService::kBadMailAddress);
    m_address = address;
    close();
}

void MailDlg::on_buttonCancel_clicked() {
    close();
}

std::optional<QString> MailDlg::ask() {
    m_address.reset();
    exec();
    return m_address;
}
