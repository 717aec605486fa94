#include "ui/versiondlg.h"

#include "ui_versiondlg.h"

#include "app/gdata.h"
#include "system/cmdutil.h"
#include "system/firmware.h"
#include "system/firmware_service.h"
#include "ui/msgdialog.h"
#include "ui/outcome_texts.h"
#include "ui/uploaddlg.h"

versiondlg::versiondlg(GData& data, QWidget* parent)
    : DeviceDialog(parent), ui(new Ui::versiondlg), m_data(data) {
    ui->setupUi(this);
    versionListInit();
}

versiondlg::~versiondlg() {
    delete ui;
}

static QString versionList(GData& data) {
    return data.firmware().versionList();
}

void versiondlg::versionListInit() {
    ui->comboVersion->clear();
    for (const auto& entry : versionListEntries(versionList(m_data)))
        ui->comboVersion->addItem(entry.second);
}

void versiondlg::on_buttonOK_clicked() {
    QString file = versionFileFor(versionList(m_data), ui->comboVersion->currentText());
    if (!file.isEmpty())
        versionSwitch(file);
}

void versiondlg::on_buttonCancel_clicked() {
    close();
}

void versiondlg::versionSwitch(QString& file) {
    FirmwareService& firmware = m_data.firmware();
    if (firmware.versionCheck(file) == VersionCheck::Failed)
        return MsgDialog::notify(outcome::versionCheckNotice(VersionCheck::Failed));
    if (!MsgDialog::askYes(tr("Switch to %1").arg(ui->comboVersion->currentText())))
        return;
    if (!UploadDlg::run(UploadDlg::Download, [&firmware] { return firmware.versionDownlod(); }))
        return MsgDialog::notify("System Switch Failed!");
    m_data.firmware().cfgFileDelete(); // the switched version starts with default settings
    MsgDialog::notify("System Switch Success!");
    m_data.commands().reboot();
}
