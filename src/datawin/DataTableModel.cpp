#include "DataTableModel.h"

namespace Slipdesk {

DataTableModel::DataTableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(&m_empty)
{
}

void DataTableModel::setTable(DataTable *table)
{
    beginResetModel();
    m_table = table ? table : &m_empty;
    endResetModel();
}

void DataTableModel::refresh()
{
    beginResetModel();
    endResetModel();
}

int DataTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table->rowCount();
}

int DataTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table->columnCount();
}

QVariant DataTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_table->cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            Qt::Alignment((rightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_table->header().value(section);
    return section + 1;
}

Qt::ItemFlags DataTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editable && index.column() > 0 && !typingOff(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DataTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() < 1)
        return false;
    const QString text = value.toString();
    if (m_table->cell(index.row(), index.column()) == text)
        return true;
    const bool hadData = m_table->hasData();
    m_table->setCell(index.row(), index.column(), text);
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    if (hadData != m_table->hasData())
        numbersChanged(0);
    return true;
}

void DataTableModel::numbersChanged(int from)
{
    const int last = m_table->rowCount() - 1;
    if (from <= last)
        Q_EMIT dataChanged(index(from, 0), index(last, 0), {Qt::DisplayRole});
}

int DataTableModel::appendRow()
{
    if (!m_table->hasData()) {
        const int row = m_table->append();
        numbersChanged(row);
        return row;
    }
    const int row = m_table->rowCount();
    beginInsertRows({}, row, row);
    m_table->append();
    endInsertRows();
    return row;
}

int DataTableModel::insertRowAt(int row)
{
    if (!m_table->hasData())
        return appendRow();
    row = std::clamp(row, 0, m_table->rowCount());
    beginInsertRows({}, row, row);
    m_table->insert(row);
    endInsertRows();
    numbersChanged(row);
    return row;
}

int DataTableModel::removeRowAt(int row)
{
    if (row < 0 || row >= m_table->rowCount())
        return 0;
    if (m_table->rowCount() == 1) {
        m_table->remove(row);
        Q_EMIT dataChanged(index(0, 0), index(0, columnCount() - 1));
        return 0;
    }
    beginRemoveRows({}, row, row);
    const int select = m_table->remove(row);
    endRemoveRows();
    numbersChanged(row);
    return select;
}

void DataTableModel::moveRowTo(int from, int to)
{
    const int rows = m_table->rowCount();
    if (from < 0 || to < 0 || from >= rows || to >= rows || from == to)
        return;
    // Qt counts the destination before the move: one past `to` downwards.
    if (!beginMoveRows({}, from, from, {}, to > from ? to + 1 : to))
        return;
    m_table->move(from, to);
    endMoveRows();
    numbersChanged(std::min(from, to));
}

} // namespace Slipdesk
