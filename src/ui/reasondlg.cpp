#include "ui/reasondlg.h"

#include "ui_reasondlg.h"

#include "screening/record.h"

#include <QCoreApplication>
#include <QPushButton>

ReasonDlg::ReasonDlg(QWidget* parent) : DeviceDialog(parent), ui(new Ui::ReasonDlg) {
    ui->setupUi(this);
    QPushButton* const buttons[] = {ui->buttonReason0, ui->buttonReason1, ui->buttonReason2,
                                    ui->buttonReason3};
    static_assert(std::size(buttons) == std::size(kUnableReasons));
    for (size_t i = 0; i < std::size(buttons); ++i) {
        const UnableReason& reason = kUnableReasons[i];
        buttons[i]->setText(QCoreApplication::translate("Reason", reason.text));
        connect(buttons[i], &QPushButton::clicked, this, [this, reason] {
            m_chosen = QString::fromLatin1(reason.code);
            accept();
        });
    }
    connect(ui->buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

ReasonDlg::~ReasonDlg() {
    delete ui;
}

QString ReasonDlg::ask() {
    ReasonDlg dialog;
    dialog.exec();
    return dialog.m_chosen;
}
