#include "ui/numkeypaddlg.h"

#include "ui/keypaddlg.h"
#include "ui_numkeypaddlg.h"

#include <QLineEdit>
#include <QPushButton>

NumKeypadDlg::NumKeypadDlg(QLineEdit* edit, int length, QWidget* parent)
    : DeviceDialog(parent), ui(new Ui::NumKeypadDlg), m_pLineEdit(edit), m_nLength(length) {
    ui->setupUi(this);
    setClosesWhenCovered(true);
    for (int d = 0; d <= 9; ++d) {
        auto* button = findChild<QPushButton*>(QString("button%1").arg(d));
        connect(button, &QPushButton::clicked, this, [this, d] { on_number_input(d); });
    }
}

NumKeypadDlg::~NumKeypadDlg() {
    delete ui;
}

void NumKeypadDlg::on_number_input(int digit) {
    if (m_pLineEdit)
        m_pLineEdit->setText(
            NumKeypadLogic::input(m_pLineEdit->text(), m_nLength, m_bTemplate, digit));
}

void NumKeypadDlg::on_buttonDel_clicked() {
    if (m_pLineEdit)
        m_pLineEdit->setText(NumKeypadLogic::remove(m_pLineEdit->text(), m_nLength, m_bTemplate));
}

void NumKeypadDlg::on_buttonEnter_clicked() {
    close();
}
