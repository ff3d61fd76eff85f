#include "GridDelegate.h"

#include <QAbstractItemModel>
#include <QKeyEvent>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QStyle>
#include <QWidget>

namespace Slipdesk {

GridDelegate::GridDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QColor GridDelegate::highlightColour()
{
    return QColor(166, 202, 240);
}

Qt::Alignment GridDelegate::alignment(int column) const
{
    return m_alignments.value(column, Qt::AlignLeft);
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QString text = index.data(Qt::DisplayRole).toString();
    if (text == QStringLiteral(" ")) {
        // Older notes store empty cells as one blank. Empty the cell itself,
        // but after this paint: changing the model while painting would
        // repaint inside the paint. Models that take no edits keep it.
        text.clear();
        if (index.flags() & Qt::ItemIsEditable) {
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
    }

    const int column = index.column();
    const QPalette &palette = option.palette;
    QColor background;
    QColor foreground;
    // Without alignments of its own the delegate follows the model's.
    Qt::Alignment horizontal = m_alignments.isEmpty()
        ? Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask
        : alignment(column);
    if (!horizontal)
        horizontal = Qt::AlignLeft;
    if (column < m_fixedColumns) {
        background = palette.color(QPalette::Button);
        foreground = palette.color(QPalette::ButtonText);
    } else if (m_markedRow < 0 && m_centredUntilMarked) {
        background = Qt::white;
        foreground = Qt::black;
    } else if (index.row() == m_markedRow) {
        background = highlightColour();
        foreground = Qt::black;
    } else {
        background = palette.color(QPalette::Base);
        foreground = palette.color(QPalette::Text);
    }
    if (m_markedRow < 0 && m_centredUntilMarked)
        horizontal = Qt::AlignHCenter;

    painter->save();
    painter->fillRect(option.rect, background);
    painter->setPen(foreground);
    painter->setFont(option.font);
    const QRect box = option.rect.adjusted(2, 0, -2, 0);
    painter->drawText(box, int(horizontal) | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = option.rect.adjusted(1, 1, -1, -1);
        focus.state |= QStyle::State_KeyboardFocusChange;
        focus.backgroundColor = background;
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : nullptr;
        if (style)
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (isReadOnly(index.column()))
        return nullptr;
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor)
        Q_EMIT editorCreated(editor, index);
    return editor;
}

bool GridDelegate::eventFilter(QObject *object, QEvent *event)
{
    // This filter serves the editors this delegate made, nothing else.
    if (event->type() == QEvent::KeyPress && m_keys && m_keys(static_cast<QKeyEvent *>(event)))
        return true;
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace Slipdesk
