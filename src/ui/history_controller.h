// The history screens: the list of children with their ticks, one child's screenings,
// delete, screen again and the export by e-mail. Every visit reads the history file again;
// the ticks and keys are kept by HistoryTicks (ui/history_list.h).
#pragma once

#include <QStringList>

#include "screening/history.h"
#include "ui/history_list.h"
#include "ui/screen_controller.h"

class QModelIndex;
class QStandardItemModel;

class HistoryController : public ScreenController {
    Q_OBJECT
public:
    HistoryController(WindowShell& shell, QObject* parent, Ui::MainDialog& form, GData& data);

public slots:
    void on_buttonHistory_clicked();
    void on_buttonHistoryReturn_clicked();
    void on_buttonUserDetailReturn_clicked();
    void on_buttonUserDetailPrint_clicked();
    void on_buttonSearch_clicked();
    void on_tableViewSearchResult_clicked(const QModelIndex& index);
    void on_buttonSelectAll_clicked();
    void on_buttonHistoryDelete_clicked();
    void on_buttonHistoryPhoto_clicked();
    void on_buttonHistoryExport_clicked();

public:
    // The texts this controller sets, again in the language now in force.
    void retranslate();

private:
    void pageSearchInit();
    void pageUserDetailInit();
    void showTick(int row, bool ticked);
    void showSelectAll();
    void openUserDetail(int row);
    QStringList tickedKeys(int* lastRow = nullptr) const;
    void showDetailExtras(int row);
    void showTotals(const QString& history);

    HistoryTicks m_historyTicks;
    QStandardItemModel* m_pSearchModel = nullptr; // the history list, made on first use
    QStandardItemModel* m_pDetailModel = nullptr; // one child's screenings, made on first use
    QList<HistoryChild> m_children;               // the list's rows
    std::optional<HistoryChild> m_detailChild;    // the detail page's child
    QList<ScreeningRow> m_detailRows;             // and its screenings
};
