#pragma once

#include "datawin/BatchRange.h"
#include "datawin/DataSession.h"
#include "datawin/Reprint.h"
#include "datawin/ui/TFRMDataUi.h"

#include <QDialog>

#include <memory>

class QComboBox;

namespace Slipdesk {

class AppContext;
class ColumnEditors;

// The data window: one table of the program at a time in a spreadsheet-like
// grid, opened by its table code. The rules live in DataSession and
// DataTable; this window shows them, asks what must be asked, and tells the
// main window what follows (the focus, a reprint, a batch run).
//
// The window lives for the whole run. It is application-modal for the
// tables whose spec says so (all but the delivery batch queue and the
// inbound log, which leave the main window usable); it never blocks its
// caller either way.
class TFRMData : public QDialog
{
    Q_OBJECT
public:
    explicit TFRMData(AppContext &context, QWidget *parent = nullptr);
    ~TFRMData() override;

    // Opens the table of `request.code`. When there is nothing to open (no
    // print log yet), shows why, asks for the focus the opener names, and
    // returns false. An open table is closed first.
    bool open(const DataSession::Request &request);
    // Shows a session already opened (the benchmark opens it itself).
    void present(DataSession session);

    TableCode code() const { return m_session ? m_session->code() : TableCode {}; }
    DataSession *session() const { return m_session.get(); }
    TFRMDataUi &ui() { return m_ui; }
    // The indexes of the pages whose tabs show, comma-separated ("0,1").
    QString visiblePages() const { return m_visiblePages; }
    // The status editor of the express print log; null before its first use.
    QComboBox *statusEditor() const;

    // The main window ended a batch: "开始批打" works again.
    void setBatchRunning(bool running)
    {
        m_batchRunning = running;
        m_ui.BtnStartTsk->setEnabled(!running);
    }
    bool batchRunning() const { return m_batchRunning; }

    // The buttons' actions.
    void addRow();
    void insertRow();
    void deleteRow();
    void saveTable();
    void findInColumn();
    void checkColumn();
    void reprint();
    void clearTable();
    void startBatch();
    void computeStatistics();

Q_SIGNALS:
    // Before the window shows: the main window closes its look-up lists.
    void aboutToShowTable();
    // The control of the main window that takes the focus (after a refusal).
    void focusRequested(const QString &control);
    // The window closed: the main window focuses the first entry of its page.
    void closed(Slipdesk::TableCode code);
    void reprintRequested(const Slipdesk::ReprintData &data);
    void batchStartRequested(const Slipdesk::BatchStart &start);
    // "导出" and "导入".
    void exportRequested();
    void importRequested();

public:
    void done(int result) override;

private:
    void connectUi();
    void showSteps();
    void masterClicked(const QModelIndex &current);
    void fillDetail(int row);
    void hideOverlays();
    void enterWalk();
    void focusGrid();
    void rebuildGrid();
    void setVisiblePages(const QList<int> &pages);
    int currentRow() const;
    int currentColumn() const;
    void selectRow(int row, int column);

    AppContext &m_context;
    TFRMDataUi m_ui;
    std::unique_ptr<DataSession> m_session;
    DataTable m_detail;
    int m_detailRow = -1;
    ColumnEditors *m_columnEditors = nullptr;
    QString m_visiblePages;
    bool m_batchRunning = false;
    bool m_closing = false;
};

} // namespace Slipdesk
