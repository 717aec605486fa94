#include "ui/wifipwddlg.h"

#include "ui/keyboards.h"
#include "ui_wifipwddlg.h"

WifiPwdDlg::WifiPwdDlg(QWidget* parent) : DeviceDialog(parent), ui(new Ui::WifiPwdDlg) {
    ui->setupUi(this);
    dialogs::bindKeypad(ui->editPassword);
    moveInWindow(212, 30); // above the keyboard its field opens
}

WifiPwdDlg::~WifiPwdDlg() {
    delete ui;
}

void WifiPwdDlg::on_buttonConnect_clicked() {
    m_password = ui->editPassword->text();
    close();
}

void WifiPwdDlg::on_buttonCancel_clicked() {
    close();
}

void WifiPwdDlg::on_buttonHide_clicked() {
    m_bShow = !m_bShow;
    ui->editPassword->setEchoMode(m_bShow ? QLineEdit::Normal : QLineEdit::Password);
    ui->buttonHide->setIcon(QIcon(m_bShow ? ":/pic/pwdshow.jpg" : ":/pic/pwdhide.jpg"));
}

std::optional<QString> WifiPwdDlg::ask() {
    m_password.reset();
    exec();
    return m_password;
}
