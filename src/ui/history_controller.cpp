#include "ui/history_controller.h"

#include "ui_maindialog.h"

#include "app/gdata.h"
#include "core/local_time.h"
#include "core/log.h"
#include "core/settings.h"
#include "output/export_table.h"
#include "output/output_service.h"
#include "screening/history.h"
#include "screening/screening_session.h"
#include "ui/maildlg.h"
#include "ui/msgdialog.h"
#include "ui/outcome_texts.h"
#include "ui/screening_controller.h"
#include "ui/styles.h"
#include "ui/uploaddlg.h"
#include "ui/window_shell.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QStandardItemModel>

namespace {

const char* const kTickOff = ":/pic/checkoff.jpg";
const char* const kTickOn = ":/pic/checkon.jpg";

// The list's names at 20 pt; the detail's time stamps need 16 pt to fit their 220 pixels.
void setUpTable(QTableView* view, QStandardItemModel* model, const QList<int>& widths, int fontPt) {
    view->setModel(model);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(50);
    view->setShowGrid(false);
    for (int c = 0; c < widths.size(); ++c)
        view->setColumnWidth(c, widths[c]);
    view->setStyleSheet(style::kHistoryTable.arg(fontPt));
}

QStandardItem* newAlignCenterQStandardItem(const QString& text) {
    auto* item = new QStandardItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

HistoryController::HistoryController(WindowShell& shell, QObject* parent, Ui::MainDialog& form,
                                     GData& data)
    : ScreenController(shell, parent, form, data) {
    using C = HistoryController;
    onClicked<C>({ui->buttonHistory}, &C::on_buttonHistory_clicked);
    onClicked<C>({ui->buttonHistoryReturn}, &C::on_buttonHistoryReturn_clicked);
    onClicked<C>({ui->buttonUserDetailReturn}, &C::on_buttonUserDetailReturn_clicked);
    onClicked<C>({ui->buttonUserDetailPrint}, &C::on_buttonUserDetailPrint_clicked);
    onClicked<C>({ui->buttonSearch}, &C::on_buttonSearch_clicked);
    onClicked<C>({ui->buttonSelectAll, ui->buttonSelectAll2}, &C::on_buttonSelectAll_clicked);
    onClicked<C>({ui->buttonHistoryDelete}, &C::on_buttonHistoryDelete_clicked);
    onClicked<C>({ui->buttonHistoryPhoto}, &C::on_buttonHistoryPhoto_clicked);
    onClicked<C>({ui->buttonHistoryExport}, &C::on_buttonHistoryExport_clicked);
    connect(ui->tableViewSearchResult, &QAbstractItemView::clicked, this,
            &C::on_tableViewSearchResult_clicked);
    connect(ui->tableViewUserDetail, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { showDetailExtras(index.row()); });
}

void HistoryController::on_buttonHistory_clicked() {
    showNoMenu(PageHistory);
    on_buttonSearch_clicked();
}
void HistoryController::on_buttonHistoryReturn_clicked() {
    ui->stackedWidgetMain->setCurrentIndex(0);
}
void HistoryController::on_buttonUserDetailReturn_clicked() {
    ui->stackedWidgetNoMenu->setCurrentIndex(PageHistory);
}

// ---- the list ----------------------------------------------------------------------------

void HistoryController::pageSearchInit() {
    if (!m_pSearchModel) {
        m_pSearchModel = new QStandardItemModel(0, 5, this);
        QTableView* t = ui->tableViewSearchResult;
        setUpTable(t, m_pSearchModel, {50, 250, 110, 170, 200}, 20);
        t->setIconSize(QSize(33, 26));
        t->setSelectionMode(QAbstractItemView::NoSelection);
        t->setSelectionBehavior(QAbstractItemView::SelectRows);
    }
    m_pSearchModel->removeRows(0, m_pSearchModel->rowCount());
    m_historyTicks.reset(0);
    showSelectAll();
}

void HistoryController::on_buttonSearch_clicked() {
    pageSearchInit();
    const QString history = m_data.screening().historyWithPending();
    m_children = matchingChildren(history, ui->editSearch->text());
    for (const HistoryChild& child : m_children)
        m_pSearchModel->appendRow(
            {new QStandardItem(QIcon(kTickOff), ""), new QStandardItem(child.name),
             new QStandardItem(
                 QCoreApplication::translate("MainDialog", child.sex.toUtf8().constData())),
             new QStandardItem(child.birth), new QStandardItem(child.childId)});
    m_historyTicks.reset(int(m_children.size()));
    showTotals(history);
}

void HistoryController::showTick(int row, bool ticked) {
    m_pSearchModel->setItem(row, 0, new QStandardItem(QIcon(ticked ? kTickOn : kTickOff), ""));
}

void HistoryController::showSelectAll() {
    ui->buttonSelectAll->setIcon(QIcon(m_historyTicks.allTicked() ? kTickOn : kTickOff));
}

void HistoryController::on_tableViewSearchResult_clicked(const QModelIndex& index) {
    const int row = index.row();
    if (index.column() != 0)
        return openUserDetail(row);
    qCDebug(lcUi, "strFlag[%d]=%s", row, qPrintable(m_historyTicks.flags().value(row)));
    showTick(row, m_historyTicks.toggle(row));
    showSelectAll();
}

void HistoryController::on_buttonSelectAll_clicked() {
    const bool on = m_historyTicks.toggleAll();
    for (int r = 0; r < m_historyTicks.rows(); ++r)
        showTick(r, on);
    showSelectAll();
}

// The child keys of the ticked rows, in row order; `lastRow` the last ticked row.
QStringList HistoryController::tickedKeys(int* lastRow) const {
    QStringList keys;
    for (int r : m_historyTicks.tickedRows()) {
        keys << m_children.value(r).key;
        if (lastRow)
            *lastRow = r;
    }
    return keys;
}

// The totals of the history text as it is listed.
void HistoryController::showTotals(const QString& history) {
    const QDate today = localTime(m_data.settings()).date();
    ui->labelHistoryTotals->setText(
        totalsText(historyTotals(history, today, ScreeningSession::kPendingVerdict)));
}

void HistoryController::retranslate() {
    showTotals(m_data.screening().historyWithPending());
    if (ui->stackedWidgetNoMenu->currentIndex() == PageUserDetail && m_detailChild) {
        const int row = ui->tableViewUserDetail->currentIndex().row();
        for (int i = 0; i < m_children.size(); ++i)
            if (m_children[i].key == m_detailChild->key)
                openUserDetail(i);
        showDetailExtras(row < 0 ? 0 : row);
    }
}

// ---- one child's screenings ---------------------------------------------------------------

void HistoryController::pageUserDetailInit() {
    if (!m_pDetailModel) {
        m_pDetailModel = new QStandardItemModel(0, 9, this);
        setUpTable(ui->tableViewUserDetail, m_pDetailModel, {220, 90, 90, 90, 90, 90, 90, 60, 120},
                   16);
        ui->tableViewUserDetail->setSelectionMode(QAbstractItemView::SingleSelection);
        ui->tableViewUserDetail->setSelectionBehavior(QAbstractItemView::SelectRows);
    }
    m_pDetailModel->removeRows(0, m_pDetailModel->rowCount());
}

void HistoryController::openUserDetail(int row) {
    if (row < 0 || row >= m_children.size())
        return;
    m_detailChild = m_children[row];
    ui->stackedWidgetNoMenu->setCurrentIndex(PageUserDetail);
    showElided(ui->labelUserDetailName,
               m_detailChild->childId.isEmpty()
                   ? m_detailChild->name
                   : m_detailChild->name + "  ID " + m_detailChild->childId);
    pageUserDetailInit();
    m_detailRows = childScreenings(m_data.screening().historyWithPending(), m_detailChild->key);
    for (const ScreeningRow& screening : m_detailRows) {
        QList<QStandardItem*> items;
        for (const QString& text : screening.cells)
            items << newAlignCenterQStandardItem(items.size() == 8 ? verdictShown(text) : text);
        m_pDetailModel->appendRow(items);
    }
    showDetailExtras(0);
}

// Under the table: what the newest screening, or the one touched, was judged by.
void HistoryController::showDetailExtras(int row) {
    ui->labelUserDetailExtras->setText(
        row >= 0 && row < m_detailRows.size() ? extrasText(m_detailRows[row].extras) : QString());
}

// The receipt of the screening chosen on the detail page, as the result page prints it.
void HistoryController::on_buttonUserDetailPrint_clicked() {
    const QModelIndex current = ui->tableViewUserDetail->currentIndex();
    if (!current.isValid() || !m_detailChild || current.row() >= m_detailRows.size())
        return notice("No Record Selected");
    // The stored texts, not the shown ones (the verdict is shown in the screens' language).
    auto cell = [&](int column) { return m_detailRows[current.row()].cells.value(column); };
    if (cell(8) == ScreeningSession::kPendingVerdict)
        return notice("Not analysed yet");
    if (m_data.settings().printerId().isEmpty())
        return notice("No Printer ID Config!");
    const ScreeningRecord r = recordOfRow(*m_detailChild, m_detailRows[current.row()]);
    OutputService& output = m_data.output();
    const auto printed =
        UploadDlg::run(m_shell.sendGuard(UploadDlg::PrintResult), UploadDlg::PrintResult,
                       [&output, &r] { return output.httpPrintRecord(r); });
    if (printed && *printed != PrintOutcome::Printed)
        notice(outcome::printNotice(*printed));
}

// ---- delete, screen again, export -------------------------------------------------------

void HistoryController::on_buttonHistoryDelete_clicked() {
    const QStringList keys = tickedKeys();
    if (keys.isEmpty())
        return notice("No Record Selected");
    if (!MsgDialog::askYes("Delete Records"))
        return;
    const QString text = m_data.screening().historyWithPending();
    if (text.isEmpty())
        return notice("Open File Error");
    if (!m_data.screening().deleteChildren(keys))
        return notice("Save File Error");
    m_shell.screening().forgetDeleted(keys);
    on_buttonSearch_clicked();
}

void HistoryController::on_buttonHistoryPhoto_clicked() {
    int last = -1;
    const QStringList keys = tickedKeys(&last);
    if (keys.isEmpty())
        return notice("No Record Selected");
    if (keys.size() > 1)
        return notice("Please select ONE record");
    if (!m_shell.screening().ensureTrustedClock())
        return;
    const HistoryChild& child = m_children[last];
    m_shell.screening().openCameraFor({child.name, child.sex == "Male",
                                       QDate::fromString(child.birth, "yyyy-MM-dd"),
                                       child.childId});
}

void HistoryController::on_buttonHistoryExport_clicked() {
    const QStringList keys = tickedKeys();
    if (keys.isEmpty())
        return notice("No Record Selected");
    const QString text = m_data.screening().historyWithPending();
    if (text.isEmpty())
        return notice("Open File Error");
    const QString table = exportTable(text, keys);
    const std::optional<QString> to = MailDlg().ask();
    if (!to)
        return;
    OutputService& output = m_data.output();
    output.setReport(*to, table, exportCsv(text, keys));
    const auto sent = UploadDlg::run(m_shell.sendGuard(UploadDlg::SendMail), UploadDlg::SendMail,
                                     [&output] { return output.smtpSendReport(); });
    if (sent)
        notice(outcome::mailNotice(*sent));
}
