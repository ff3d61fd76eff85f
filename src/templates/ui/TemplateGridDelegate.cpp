#include "TemplateGridDelegate.h"

#include <QAbstractItemModel>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QStyle>
#include <QWidget>

namespace Slipdesk {

TemplateGridDelegate::TemplateGridDelegate(int firstDataColumn, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_firstDataColumn(firstDataColumn)
{
}

QColor TemplateGridDelegate::highlightColour()
{
    return QColor(0xA6, 0xCA, 0xF0);
}

void TemplateGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QString text = index.data(Qt::DisplayRole).toString();
    if (text == QStringLiteral(" ")) {
        // Older tables store empty cells as one blank. Empty the cell itself,
        // but after this paint: changing the model while painting would
        // repaint inside the paint.
        text.clear();
        const QPersistentModelIndex cell(index);
        auto *model = const_cast<QAbstractItemModel *>(index.model());
        QMetaObject::invokeMethod(
            model,
            [model, cell] {
                if (cell.isValid() && cell.data(Qt::DisplayRole).toString() == QStringLiteral(" "))
                    model->setData(cell, QString(), Qt::EditRole);
            },
            Qt::QueuedConnection);
    }

    if (m_markedRow < 0 || index.row() != m_markedRow || index.column() < m_firstDataColumn) {
        if (text.isEmpty() && !index.data(Qt::DisplayRole).toString().isEmpty()) {
            QStyleOptionViewItem blank(option);
            initStyleOption(&blank, index);
            blank.text.clear();
            const QWidget *widget = option.widget;
            QStyle *style = widget ? widget->style() : nullptr;
            if (style)
                style->drawControl(QStyle::CE_ItemViewItem, &blank, painter, widget);
            return;
        }
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    painter->save();
    painter->fillRect(option.rect, highlightColour());
    painter->setPen(Qt::black);
    painter->setFont(option.font);
    const QRect box = option.rect.adjusted(2, 0, 0, 0);
    painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

} // namespace Slipdesk
