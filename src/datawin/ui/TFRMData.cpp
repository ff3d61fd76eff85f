#include "TFRMData.h"

#include "context/AppContext.h"
#include "datawin/BatchRun.h"
#include "datawin/DataTableModel.h"
#include "datawin/ui/ColumnEditors.h"
#include "datawin/ui/TableExchange.h"
#include "datawin/ui/TableSearch.h"
#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/ui/EventHook.h"
#include "platform/ui/WaitCursor.h"
#include "trade/SalesStats.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>

namespace Slipdesk {

namespace {

QSet<int> columnsNamed(const QStringList &header, const QStringList &names)
{
    QSet<int> out;
    for (const QString &name : names)
        if (const qsizetype at = header.indexOf(name); at >= 0)
            out.insert(int(at));
    return out;
}

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TFRMData::TFRMData(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    m_ui.setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    m_ui.SGDetail->tableModel()->setEditable(false);
    m_ui.SGDetail->setCellEditor(false);
    m_ui.SGDetail->tableModel()->setRightAligned({8, 9, 11});
    m_ui.SGDetail->tableModel()->setTable(&m_detail);
    connectUi();
}

TFRMData::~TFRMData()
{
    // The grids show tables this window owns, and the members go before the
    // dialog hides: a window still open when the program ends (the inbound
    // log beside the main window) would otherwise read freed rows.
    m_ui.SgData->tableModel()->setTable(nullptr);
    m_ui.SGDetail->tableModel()->setTable(nullptr);
}

void TFRMData::connectUi()
{
    TFRMDataUi &u = m_ui;
    connect(u.BtnAddRow, &QPushButton::clicked, this, &TFRMData::addRow);
    connect(u.BtnInsertRow, &QPushButton::clicked, this, &TFRMData::insertRow);
    connect(u.BtnDelRow, &QPushButton::clicked, this, &TFRMData::deleteRow);
    connect(u.BtnSaveSg, &QPushButton::clicked, this, &TFRMData::saveTable);
    connect(u.BtnQuerySg, &QPushButton::clicked, this, &TFRMData::findInColumn);
    connect(u.BtnCheck, &QPushButton::clicked, this, &TFRMData::checkColumn);
    connect(u.BtnAgainPrn, &QPushButton::clicked, this, &TFRMData::reprint);
    connect(u.BtnDeleteAll, &QPushButton::clicked, this, &TFRMData::clearTable);
    connect(u.BtnOutSg, &QPushButton::clicked, this, &TFRMData::exportRequested);
    connect(u.BtnInputSg, &QPushButton::clicked, this, &TFRMData::importRequested);
    new TableExchange(*this);
    connect(u.BtnStartTsk, &QPushButton::clicked, this, &TFRMData::startBatch);
    connect(u.BtnGroupQuery, &QPushButton::clicked, this, &TFRMData::computeStatistics);

    connect(u.SgData->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex &current) { masterClicked(current); });
    connect(u.SgData, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) { masterClicked(index); });
    connect(u.SgData, &DataGrid::enterPressed, this, &TFRMData::enterWalk);
    connect(u.SgData, &DataGrid::rowDragged, this, [this](int from, int to) {
        m_ui.SgData->tableModel()->moveRowTo(from, to);
        selectRow(to, std::max(1, currentColumn()));
    });
    connect(u.SGDetail, &QAbstractItemView::clicked, this,
        [this](const QModelIndex &index) { m_ui.SGDetail->setMarkedRow(index.row()); });
    connect(u.PageCData, &QTabWidget::currentChanged, this, [this] { m_ui.PageCData->tabBar()->update(); });

    // The range fields hand Enter on to the next control.
    for (QLineEdit *edit : {u.EdtTskStartNo, u.EdtTskEndNo}) {
        EventHook::on(edit, QEvent::KeyPress, [this](QEvent *event) {
            if (!isEnter(static_cast<QKeyEvent *>(event)))
                return false;
            focusNextChild();
            return true;
        });
    }

    m_columnEditors = new ColumnEditors(m_context, u.CmbGoodsSelect, u.SgData, this);
    connect(m_columnEditors, &ColumnEditors::enterPressed, this, &TFRMData::enterWalk);
}

// --- Opening -------------------------------------------------------------------------

bool TFRMData::open(const DataSession::Request &request)
{
    if (isVisible())
        close();
    // A run that was killed left the rows it printed on record: the user
    // says whether they go.
    const BatchRecord::Unfinished earlier = DataSession::unfinishedRun(m_context, request);
    PostingResult settled = earlier.read;
    if (earlier.any()) {
        const bool deletePrinted
            = MessageService::instance().ask(earlier.question(), true) == MessageService::Answer::Yes;
        settled = DataSession::settleUnfinishedRun(m_context, request, earlier, deletePrinted);
    }
    if (!settled.ok())
        MessageService::instance().warn(settled.failed.join(u'\n'));
    std::optional<DataSession> session;
    {
        const WaitCursor wait;
        session.emplace(DataSession::open(m_context, request));
    }
    if (!session->refusal().isEmpty()) {
        MessageService::instance().warn(session->refusal());
        if (!session->refusalFocus().isEmpty())
            Q_EMIT focusRequested(session->refusalFocus());
        return false;
    }
    present(std::move(*session));
    return true;
}

void TFRMData::present(DataSession session)
{
    if (isVisible())
        close();
    m_session = std::make_unique<DataSession>(std::move(session));
    setWindowTitle(m_session->title());
    // Modality is set while hidden; show() never blocks the caller.
    setWindowModality(m_session->spec().modal ? Qt::ApplicationModal : Qt::NonModal);
    rebuildGrid();
    Q_EMIT aboutToShowTable();
    showSteps();
    show();
    raise();
    activateWindow();
    // The grid has its size now: the table from its left edge, the selected
    // last row in view.
    m_ui.SgData->horizontalScrollBar()->setValue(0);
    m_ui.SgData->scrollTo(m_ui.SgData->currentIndex());
    focusGrid();
    // The editor is always shown, on the cell selected before the window was.
    const QModelIndex current = m_ui.SgData->currentIndex();
    if (current.isValid() && (current.flags() & Qt::ItemIsEditable))
        m_ui.SgData->edit(current);
}

void TFRMData::rebuildGrid()
{
    const TableSpec &spec = m_session->spec();
    DataTableModel *model = m_ui.SgData->tableModel();
    const QStringList header = m_session->table().header();
    model->setRightAligned(columnsNamed(header, spec.rightAligned));
    model->setTypingOff(ColumnEditors::typingOff(spec, header));
    model->setTable(&m_session->table());
    for (int c = 0; c < model->columnCount(); ++c)
        m_ui.SgData->setColumnHidden(c, false);
    m_detail = DataTable(spec.detailHeader.split(u','), {});
    m_ui.SGDetail->tableModel()->setTable(&m_detail);
    m_detailRow = -1;
    m_ui.SgData->setMarkedRow(-1);
    m_ui.SGDetail->setMarkedRow(-1);
}

void TFRMData::setVisiblePages(const QList<int> &pages)
{
    QStringList list;
    for (int page = 0; page < m_ui.PageCData->count(); ++page) {
        const bool visible = pages.contains(page);
        m_ui.PageCData->setTabVisible(page, visible);
        if (visible)
            list.append(QString::number(page));
    }
    m_visiblePages = list.join(u',');
}

void TFRMData::showSteps()
{
    TFRMDataUi &u = m_ui;
    const TableSpec &spec = m_session->spec();

    for (QPushButton *b : u.dataButtons())
        b->setEnabled(true);
    u.SgData->setCellEditor(true);
    u.SGDetail->setVisible(spec.hasDetail());

    u.BtnAddRow->setEnabled(spec.canAdd);
    u.BtnInsertRow->setEnabled(spec.canAdd);
    u.BtnInputSg->setEnabled(spec.canImport);
    u.BtnOutSg->setEnabled(spec.canExport);
    u.BtnSaveSg->setEnabled(spec.canSave);
    u.BtnDeleteAll->setEnabled(spec.canSave);
    u.BtnAgainPrn->setEnabled(spec.canReprint());

    QList<int> pages {TFRMDataUi::DataPage};
    if (spec.batchPage) {
        pages.append(TFRMDataUi::BatchPage);
        u.EdtTskStartNo->setText(m_session->startNumber());
        u.EdtTskEndNo->setText(m_session->endNumber());
        u.BtnStartTsk->setEnabled(!m_batchRunning);
    }
    if (spec.statsPage) {
        pages.append(TFRMDataUi::QueryPage);
        u.DtpGroupStart->setDate(m_session->request().today);
        u.DtpGroupEnd->setDate(m_session->request().today);
    }
    setVisiblePages(pages);
    u.PageCData->setCurrentIndex(spec.batchPage ? TFRMDataUi::BatchPage
            : spec.statsPage                    ? TFRMDataUi::QueryPage
                                                : TFRMDataUi::DataPage);

    // The window covers the screen's work area; a master over its detail
    // takes two thirds of what lies below its top.
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        setGeometry(area);
        if (spec.hasDetail()) {
            const int top = u.PageCData->sizeHint().height();
            const int master = (area.height() - top) * 2 / 3;
            u.Splitter1->setSizes({master, std::max(1, area.height() - top - master)});
        }
    }

    const int last = m_session->table().rowCount() - 1;
    selectRow(last, 1);
    masterClicked(u.SgData->currentIndex());
    u.SgData->fitColumns();
}

// --- The grid ------------------------------------------------------------------------

int TFRMData::currentRow() const
{
    const QModelIndex current = m_ui.SgData->currentIndex();
    return current.isValid() ? current.row() : 0;
}

int TFRMData::currentColumn() const
{
    const QModelIndex current = m_ui.SgData->currentIndex();
    return current.isValid() ? current.column() : 1;
}

void TFRMData::selectRow(int row, int column)
{
    DataGrid *grid = m_ui.SgData;
    const int columns = grid->tableModel()->columnCount();
    // Never onto a hidden column, never beyond the last.
    while (column < columns - 1 && grid->isColumnHidden(column))
        ++column;
    grid->selectCell(std::max(0, row), std::clamp(column, 0, std::max(0, columns - 1)));
}

void TFRMData::focusGrid()
{
    m_ui.SgData->setFocus();
}

void TFRMData::masterClicked(const QModelIndex &current)
{
    if (!m_session || !current.isValid())
        return;
    hideOverlays();
    const int row = current.row();
    const int column = current.column();
    m_ui.SgData->setMarkedRow(row);
    const TableSpec &spec = m_session->spec();
    DataTableModel *model = m_ui.SgData->tableModel();
    if (model->typingOff(column))
        m_columnEditors->showAt(spec, current);
    if (spec.hasDetail() && row != m_detailRow)
        fillDetail(row);
}

QComboBox *TFRMData::statusEditor() const
{
    return m_columnEditors->statusCombo();
}

void TFRMData::hideOverlays()
{
    m_columnEditors->hide();
}

void TFRMData::fillDetail(int row)
{
    m_detailRow = row;
    m_detail = m_session->detailOf(row);
    m_ui.SGDetail->tableModel()->setTable(&m_detail);
    m_ui.SGDetail->setMarkedRow(-1);
    m_ui.SGDetail->fitColumns();
}

void TFRMData::enterWalk()
{
    if (!m_session)
        return;
    DataGrid *grid = m_ui.SgData;
    focusGrid();
    const int columns = grid->tableModel()->columnCount();
    const int rows = grid->tableModel()->rowCount();
    int row = currentRow();
    int column = currentColumn();
    if (column < columns - 1) {
        ++column;
        while (column < columns - 1 && grid->isColumnHidden(column))
            ++column;
        selectRow(row, column);
    } else if (row < rows - 1) {
        selectRow(row + 1, 1);
    } else if (m_session->spec().enterAppends) {
        addRow();
    }
}

// --- The buttons ----------------------------------------------------------------------

void TFRMData::addRow()
{
    if (!m_session || !m_ui.BtnAddRow->isEnabled())
        return;
    const int row = m_ui.SgData->tableModel()->appendRow();
    selectRow(row, 1);
    focusGrid();
}

void TFRMData::insertRow()
{
    if (!m_session || !m_ui.BtnInsertRow->isEnabled())
        return;
    const int column = currentColumn();
    const int row = m_ui.SgData->tableModel()->insertRowAt(currentRow());
    selectRow(row, std::max(1, column));
    focusGrid();
}

void TFRMData::deleteRow()
{
    if (!m_session)
        return;
    if (!MessageService::instance().confirm(QStringLiteral("确实删除当前记录？"), true)) {
        focusGrid();
        return;
    }
    hideOverlays();
    const int row = currentRow();
    const int column = currentColumn();
    if (m_session->spec().hasDetail()) {
        if (m_detailRow != row)
            fillDetail(row);
        // The goods master is read first when it is not yet: a failure
        // leaves the note where it is.
        const int detailRows = m_detail.hasData() ? m_detail.rowCount() : 0;
        if (!guarded([&] { m_session->takeBackNote(row, detailRows); }))
            return;
    }
    const int select = m_ui.SgData->tableModel()->removeRowAt(row);
    m_detailRow = -1;
    selectRow(select, std::max(1, column));
    masterClicked(m_ui.SgData->currentIndex());
    m_ui.SgData->setCellEditor(true);
    focusGrid();
}

void TFRMData::saveTable()
{
    if (!m_session || !m_ui.BtnSaveSg->isEnabled())
        return;
    MessageService &messages = MessageService::instance();
    hideOverlays();
    // What is being typed belongs to the table.
    m_ui.SgData->setCellEditor(false);
    m_ui.SgData->setCellEditor(true);
    if (!m_session->table().hasData()) {
        if (messages.confirm(QStringLiteral("没有数据可保存，是否删除相应文件？"), true)) {
            const DataSession::SaveResult result = m_session->deleteFiles();
            if (result.outcome == DataSession::SaveOutcome::Failed)
                messages.inform(result.message, MessageService::Icon::Error);
        }
        focusGrid();
        return;
    }
    DataSession::SaveResult result;
    {
        const WaitCursor wait;
        result = m_session->save();
    }
    switch (result.outcome) {
    case DataSession::SaveOutcome::ChangedOnDisk:
        // The program wrote to this file while the window held its copy (a
        // note logged or queued): writing the copy would drop those lines.
        if (messages.ask(QStringLiteral("文件在本窗口打开后已被改动（例如刚刚打印登记或批打保存了新记录）：\r\n")
                    + result.message
                    + QStringLiteral("\r\n\r\n为了不丢失这些记录，本次没有保存。\r\n是否重新读入文件？"
                                     "（本窗口中尚未保存的修改将被放弃）"),
                false, MessageService::Icon::Warning)
            == MessageService::Answer::Yes) {
            const WaitCursor wait;
            m_session->reload();
            rebuildGrid();
            showSteps();
        }
        focusGrid();
        return;
    case DataSession::SaveOutcome::Failed:
        messages.inform(result.message, MessageService::Icon::Error);
        focusGrid();
        return;
    case DataSession::SaveOutcome::Saved:
        break;
    }
    if (m_session->spec().goodsEditors) {
        for (const QString &column : m_session->spec().grouped)
            m_session->table().formatGrouped(column);
        m_ui.SgData->viewport()->update();
    }
    m_ui.SgData->fitColumns();
    messages.info(QStringLiteral("保存完成！"));
    focusGrid();
}

void TFRMData::findInColumn()
{
    if (!m_session)
        return;
    const int column = currentColumn();
    TableSearch::find(m_session->table(), column, currentRow(), MessageService::instance(),
        [this, column](int row) { selectRow(row, column); });
    focusGrid();
}

void TFRMData::checkColumn()
{
    if (!m_session)
        return;
    const int column = currentColumn();
    TableSearch::check(
        m_session->table(), column, MessageService::instance(), [this, column](int row) { selectRow(row, column); });
    focusGrid();
}

void TFRMData::reprint()
{
    if (!m_session || !m_ui.BtnAgainPrn->isEnabled())
        return;
    const std::optional<ReprintData> data = Reprint::of(*m_session, currentRow());
    if (!data)
        return;
    Q_EMIT reprintRequested(*data);
    close();
}

void TFRMData::clearTable()
{
    if (!m_session || !m_ui.BtnDeleteAll->isEnabled())
        return;
    MessageService &messages = MessageService::instance();
    if (!messages.confirm(QStringLiteral("确认全部删除当前数据？\r\n\r\n一旦真的删除后，数据是无法恢复的!"), true)) {
        focusGrid();
        return;
    }
    const DataSession::SaveResult result = m_session->clear();
    if (result.outcome == DataSession::SaveOutcome::Failed)
        messages.inform(result.message, MessageService::Icon::Error);
    close();
}

void TFRMData::startBatch()
{
    if (!m_session || !m_session->table().hasData() || !m_ui.BtnStartTsk->isEnabled())
        return;
    const std::optional<std::pair<int, int>> range
        = BatchRange::parse(m_ui.EdtTskStartNo->text(), m_ui.EdtTskEndNo->text(), m_session->table().rowCount());
    if (!range) {
        MessageService::instance().warn(QStringLiteral("输入的序号有误！"));
        m_ui.EdtTskStartNo->setFocus();
        return;
    }
    BatchStart start;
    start.code = m_session->code();
    start.start = range->first;
    start.end = range->second;
    start.continuous = m_ui.ChbContinuePrint->isChecked();
    start.file = m_session->file();
    start.table = m_session->table();
    start.detail = m_session->detail();
    setBatchRunning(true);
    Q_EMIT batchStartRequested(start);
    close();
}

void TFRMData::computeStatistics()
{
    if (!m_session || !m_session->spec().statsPage)
        return;
    const std::optional<SalesTable> stats
        = SalesStats::compute(m_session->detail().lines, m_ui.DtpGroupStart->date(), m_ui.DtpGroupEnd->date());
    if (!stats) {
        MessageService::instance().warn(QStringLiteral("没有符合条件的记录"));
        return;
    }
    QList<QStringList> rows;
    for (const QStringList &cells : stats->rows)
        rows.append(cells.mid(1));
    m_session->setTable(DataTable::fromCells(stats->header, rows));
    m_ui.SgData->tableModel()->setTable(&m_session->table());
    selectRow(0, 1);
    m_ui.SgData->fitColumns();
    focusGrid();
}

// --- Closing ---------------------------------------------------------------------------

void TFRMData::done(int result)
{
    if (m_closing) {
        QDialog::done(result);
        return;
    }
    m_closing = true;
    hideOverlays();
    m_ui.SgData->setCellEditor(false);
    QDialog::done(result);
    const TableCode code = this->code();
    if (m_session) {
        // A deletion not saved gives its stock change up.
        m_session->close();
        // The table and its detail list go with the window (a started batch
        // took its own copy): a big log is not held after it was looked at.
        m_ui.SgData->tableModel()->setTable(nullptr);
        m_detail = DataTable();
        m_ui.SGDetail->tableModel()->setTable(&m_detail);
        m_detailRow = -1;
        m_session.reset();
    }
    m_closing = false;
    Q_EMIT closed(code);
}

} // namespace Slipdesk
