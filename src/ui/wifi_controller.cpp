#include "ui/wifi_controller.h"

#include "ui_maindialog.h"

#include "app/gdata.h"
#include "core/log.h"
#include "system/firmware_service.h"
#include "system/wifi_service.h"
#include "ui/msgdialog.h"
#include "ui/styles.h"
#include "ui/versiondlg.h"
#include "ui/wifi_rows.h"
#include "ui/wifipwddlg.h"
#include "ui/window_shell.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>

WifiController::WifiController(WindowShell& shell, QObject* parent, Ui::MainDialog& form,
                               GData& data)
    : ScreenController(shell, parent, form, data) {
    using C = WifiController;
    onClicked<C>({ui->buttonWIFI, ui->buttonWIFI_2}, &C::on_buttonWIFI_clicked);
    onClicked<C>({ui->buttonReturn}, &C::on_buttonReturn_clicked);
    connect(ui->tableViewWireless, &QAbstractItemView::clicked, this,
            &C::on_tableViewWireless_clicked);
    tableViewWIFIInit();
}

void WifiController::tableViewWIFIInit() {
    m_pWifiModel = new QStandardItemModel(0, 8, this);
    m_pWifiModel->setHorizontalHeaderLabels({"status", "ssid", "mode", "signal", "information",
                                             "statusnumber", "modenumber", "informationnumber"});
    QTableView* t = ui->tableViewWireless;
    t->setModel(m_pWifiModel);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setShowGrid(false);
    t->verticalHeader()->setDefaultSectionSize(50);
    t->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft);
    t->setIconSize(QSize(40, 40));
    t->verticalScrollBar()->setStyleSheet(style::kWifiScrollBar);
    tableViewWIFIShow();
}

static QList<QStandardItem*> tableRow(const WifiRow& r) {
    QList<QStandardItem*> row;
    row << (r.connected ? new QStandardItem(QIcon(":/pic/wifi_select.jpg"), "")
                        : new QStandardItem());
    row << new QStandardItem(r.ssid);
    row << (r.secured ? new QStandardItem(QIcon(":/pic/wifi_lock.jpg"), "") : new QStandardItem());
    row << new QStandardItem(QIcon(wifiBarsIcon(r.bars)), "");
    row << new QStandardItem() << new QStandardItem(r.connected ? "1" : "0")
        << new QStandardItem(r.secured ? "1" : "0") << new QStandardItem(r.saved ? "1" : "0");
    return row;
}

void WifiController::tableViewWIFIShow() {
    m_pWifiModel->removeRows(0, m_pWifiModel->rowCount());
    for (const WifiRow& r : wifiRows(m_data.wifi().wifiView()))
        m_pWifiModel->appendRow(tableRow(r));
    const int widths[] = {125, 425, 100, 100, 0, 0, 0, 0};
    for (int c = 0; c < 8; ++c) {
        ui->tableViewWireless->setColumnWidth(c, widths[c]);
        ui->tableViewWireless->setColumnHidden(c, widths[c] == 0);
    }
    // An empty air says so, rather than showing an empty black table.
    ui->labelWifiEmpty->setVisible(m_pWifiModel->rowCount() == 0);
}

// A tapped network: join it (with a pass phrase, or after a warning when it is open), or,
// when it is configured already, connect to it or forget it.
void WifiController::on_tableViewWireless_clicked(const QModelIndex& index) {
    const int row = index.row();
    const QString secured = m_pWifiModel->item(row, 6)->text();
    const QString saved = m_pWifiModel->item(row, 7)->text();
    const QString ssid = m_pWifiModel->item(row, 1)->text();
    qCDebug(lcUi, "ontableViewWirelessClicked %d %s %s %s", row, qPrintable(secured),
            qPrintable(saved), qPrintable(ssid));
    if (saved == "1")
        return offerSaved(ssid);
    if (secured == "1")
        return joinSecured(ssid);
    joinOpen(ssid);
}

// A Wi-Fi operation's outcome: success asks the worker for a fresh picture, failure says so.
void WifiController::wifiDone(bool ok, const QString& failure) {
    if (ok)
        m_data.wifi().requestRefresh();
    else
        notice(failure);
}

// The pass phrase that opens the maintenance dialog instead of joining a network.
static const char* const kMaintenanceCode = "mvrq4096";

void WifiController::joinSecured(const QString& ssid) {
    const std::optional<QString> password = WifiPwdDlg().ask();
    if (!password)
        return;
    if (*password == QLatin1String(kMaintenanceCode))
        return openVersionDialog();
    wifiDone(m_data.wifi().addWIFI(ssid, *password), "Wrong Password!");
}

void WifiController::joinOpen(const QString& ssid) {
    if (MsgDialog::ask("Connect to the unsafe network?", ssid, "Cancel", "", "Connect") !=
        MsgDialog::Right)
        return;
    wifiDone(m_data.wifi().addWIFI(ssid, ""), "Connect Failed!");
}

void WifiController::offerSaved(const QString& ssid) {
    const MsgDialog::Choice choice =
        MsgDialog::ask("Connect to Network", ssid, "Cancel", "Delete", "Connect");
    if (choice == MsgDialog::Right)
        wifiDone(m_data.wifi().switchWIFI(ssid), "Connect Failed!");
    else if (choice == MsgDialog::Middle)
        wifiDone(m_data.wifi().deleteWIFI(ssid), "Delete Failed!");
}

void WifiController::openVersionDialog() {
    if (!m_data.firmware().versionListGet())
        return notice("Version List File Download Failed!");
    versiondlg dlg(m_data);
    dlg.exec();
}

void WifiController::device_thread_slot(QString) {
    if (ui->stackedWidgetBase->currentIndex() == PageWifi)
        tableViewWIFIShow();
}

void WifiController::on_buttonWIFI_clicked() {
    ui->stackedWidgetBase->setCurrentIndex(PageWifi);
    m_data.wifi().requestRefresh();
}
void WifiController::on_buttonReturn_clicked() {
    ui->stackedWidgetBase->setCurrentIndex(PageMain);
}
