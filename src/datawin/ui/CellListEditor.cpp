#include "CellListEditor.h"

#include "platform/ui/EventHook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

namespace Slipdesk {

CellListEditor::CellListEditor(QComboBox *combo, QAbstractItemView *grid, bool emptyWhenHidden, QObject *parent)
    : QObject(parent)
    , m_combo(combo)
    , m_grid(grid)
    , m_emptyWhenHidden(emptyWhenHidden)
{
    m_combo->hide();
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        if (m_cell.isValid())
            Q_EMIT chosen(m_cell, index, m_combo->itemText(index));
    });
    EventHook::on(m_combo, QEvent::KeyPress, [this](QEvent *event) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key != Qt::Key_Return && key != Qt::Key_Enter) || m_combo->view()->isVisible())
            return false;
        hide();
        Q_EMIT enterPressed();
        return true;
    });
    // Opening the list moves the focus to it for a moment: only a real
    // leave hides the editor.
    EventHook::onEvent(m_combo, QEvent::FocusOut, [this] {
        if (!m_combo->view()->isVisible() && QApplication::focusWidget() != m_combo)
            hide();
    });
}

void CellListEditor::show(const QModelIndex &cell, const QStringList &items)
{
    m_cell = cell;
    {
        const QSignalBlocker block(m_combo);
        m_combo->clear();
        m_combo->addItems(items);
        m_combo->setCurrentIndex(m_combo->findText(cell.data().toString()));
    }
    const QRect box = m_grid->visualRect(cell);
    m_combo->setGeometry(box.left() + 2, box.top() + 2, box.width(), m_combo->sizeHint().height());
    m_combo->show();
    m_combo->raise();
    m_combo->setFocus();
}

void CellListEditor::hide()
{
    m_cell = QPersistentModelIndex();
    if (m_combo->isHidden())
        return;
    const bool hadFocus = QApplication::focusWidget() == m_combo;
    if (m_emptyWhenHidden) {
        const QSignalBlocker block(m_combo);
        m_combo->clear();
    }
    m_combo->hide();
    if (hadFocus)
        m_grid->setFocus();
}

} // namespace Slipdesk
