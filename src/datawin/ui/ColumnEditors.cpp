#include "ColumnEditors.h"

#include "context/AppContext.h"
#include "datawin/DataTableModel.h"
#include "datawin/TableSpec.h"
#include "datawin/ui/CellListEditor.h"
#include "datawin/ui/DataGrid.h"
#include "trade/SmallLists.h"

#include <QComboBox>

namespace Slipdesk {

namespace {

const QString kVoid = QStringLiteral("作废");
const QString kUnvoid = QStringLiteral("取消作废");

} // namespace

ColumnEditors::ColumnEditors(AppContext &context, QComboBox *goodsSelect, DataGrid *grid, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_grid(grid)
    , m_goodsSelect(new CellListEditor(goodsSelect, grid, true, this))
{
    connect(m_goodsSelect, &CellListEditor::chosen, this,
        [this](const QModelIndex &cell, int, const QString &text) { m_grid->model()->setData(cell, text); });
    connect(m_goodsSelect, &CellListEditor::enterPressed, this, &ColumnEditors::enterPressed);
}

QSet<int> ColumnEditors::typingOff(const TableSpec &spec, const QStringList &header)
{
    QStringList names;
    if (spec.goodsEditors)
        names = {QStringLiteral("计量单位"), QStringLiteral("出库备注"), QStringLiteral("入库备注")};
    if (spec.statusEditor)
        names = {QStringLiteral("是否作废")};
    QSet<int> out;
    for (const QString &name : std::as_const(names))
        if (const qsizetype at = header.indexOf(name); at >= 0)
            out.insert(int(at));
    return out;
}

void ColumnEditors::showAt(const TableSpec &spec, const QModelIndex &cell)
{
    if (spec.goodsEditors)
        m_goodsSelect->show(cell, smallListItems(cell.column()));
    else if (spec.statusEditor)
        showStatus(cell);
}

QStringList ColumnEditors::smallListItems(int column) const
{
    const DataTable *table = m_grid->tableModel()->table();
    const QString name = table ? table->header().value(column) : QString();
    const SmallLists::Which which = name == QStringLiteral("计量单位") ? SmallLists::Units
        : name == QStringLiteral("出库备注")                           ? SmallLists::OutboundRemarks
                                                                       : SmallLists::InboundRemarks;
    m_context.ensureSmallLists();
    return m_context.smallLists().entries(which);
}

void ColumnEditors::showStatus(const QModelIndex &cell)
{
    // "作废" voids the waybill, "取消作废" empties the cell and closes the list.
    if (!m_status) {
        auto *combo = new QComboBox(m_grid->viewport());
        combo->setObjectName(QStringLiteral("StatusEditor"));
        m_status = new CellListEditor(combo, m_grid, false, this);
        connect(m_status, &CellListEditor::chosen, this, [this](const QModelIndex &at, int index) {
            m_grid->model()->setData(at, index == 0 ? kVoid : QString());
            if (index != 0)
                m_status->hide();
        });
        connect(m_status, &CellListEditor::enterPressed, this, &ColumnEditors::enterPressed);
    }
    m_status->show(cell, {kVoid, kUnvoid});
}

QComboBox *ColumnEditors::statusCombo() const
{
    return m_status ? m_status->combo() : nullptr;
}

void ColumnEditors::hide()
{
    m_goodsSelect->hide();
    if (m_status)
        m_status->hide();
}

} // namespace Slipdesk
