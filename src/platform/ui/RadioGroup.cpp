#include "RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace Slipdesk {

RadioGroup::RadioGroup(QWidget *parent)
    : RadioGroup(QString(), parent)
{
}

RadioGroup::RadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
    , m_group(new QButtonGroup(this))
    , m_layout(new QGridLayout(this))
{
    // Exclusive, but a group may start (and be reset to) no selection.
    m_group->setExclusive(true);
    m_layout->setContentsMargins(6, 4, 6, 4);
    m_layout->setSpacing(4);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) { Q_EMIT clicked(id); });
}

void RadioGroup::setItems(const QStringList &items)
{
    for (QRadioButton *b : std::as_const(m_buttons)) {
        m_group->removeButton(b);
        delete b;
    }
    m_buttons.clear();
    m_items = items;
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items.at(i), this);
        m_group->addButton(b, i);
        m_buttons.append(b);
    }
    relayout();
}

void RadioGroup::setColumns(int columns)
{
    m_columns = qMax(1, columns);
    relayout();
}

void RadioGroup::relayout()
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        m_layout->removeWidget(m_buttons.at(i));
        m_layout->addWidget(m_buttons.at(i), i / m_columns, i % m_columns);
    }
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < m_buttons.size()) {
        m_buttons.at(index)->setChecked(true);
        return;
    }
    // Clearing needs the exclusivity lifted for a moment.
    if (QAbstractButton *checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
}

QRadioButton *RadioGroup::button(int index) const
{
    return (index >= 0 && index < m_buttons.size()) ? m_buttons.at(index) : nullptr;
}

} // namespace Slipdesk
