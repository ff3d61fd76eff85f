#include "GoodsPicker.h"

#include "platform/ui/FormBuilder.h"

#include <QTableWidget>

namespace Slipdesk {

GoodsPicker::GoodsPicker(QWidget *area, QObject *parent)
    : QObject(parent)
    , m_table(new QTableWidget(area))
{
    setObjectName(QStringLiteral("GoodsPicker"));
    m_table->setObjectName(QStringLiteral("SgQuery"));
    FormBuilder::makeGrid(m_table, {}, 0);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->hide();
}

void GoodsPicker::hide()
{
    m_table->hide();
}

} // namespace Slipdesk
