#include "FormBuilder.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace Slipdesk::FormBuilder {

void makeTyped(QComboBox *c)
{
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(4);
}

void makePickOnly(QComboBox *c)
{
    c->setEditable(false);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(6);
}

void makeDate(QDateEdit *d)
{
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    d->setDate(QDate::currentDate());
}

void makeReadOnlyAmount(QLineEdit *e)
{
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setText(QStringLiteral("0.00"));
}

void makeClickLabel(QLabel *l, const QString &text, const QString &hint)
{
    l->setText(text);
    l->setToolTip(hint);
    l->setCursor(Qt::PointingHandCursor);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #0000c0;"));
}

QLabel *caption(QWidget *parent, const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Cap") + buddy->objectName());
    l->setBuddy(buddy);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void addField(QGridLayout *g, int row, int pair, const QString &text, QWidget *field, int pairSpan)
{
    g->addWidget(caption(field->parentWidget(), text, field), row, pair * 2);
    g->addWidget(field, row, pair * 2 + 1, 1, pairSpan * 2 - 1);
}

void addLabelled(QGridLayout *g, int row, int pair, QLabel *label, QWidget *field, int pairSpan)
{
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(field);
    g->addWidget(label, row, pair * 2);
    g->addWidget(field, row, pair * 2 + 1, 1, pairSpan * 2 - 1);
}

void stretchFieldColumns(QGridLayout *g, int pairs)
{
    for (int i = 0; i < pairs; ++i)
        g->setColumnStretch(i * 2 + 1, 1);
}

QAction *addEntry(QMenu *menu, const char *name, const QString &text)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    return a;
}

QAction *addSeparator(QMenu *menu, const char *name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(QLatin1String(name));
    return a;
}

void makeMenuButton(QToolButton *b, const QString &text, QMenu *menu)
{
    b->setText(text);
    b->setMenu(menu);
    b->setPopupMode(QToolButton::InstantPopup);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QMenu *makeMenu(QWidget *parent, const char *name)
{
    auto *m = new QMenu(parent);
    m->setObjectName(QLatin1String(name));
    return m;
}

void makeGrid(QTableWidget *t, const QStringList &header, int rows, const QList<int> &widths)
{
    t->setColumnCount(int(header.size()));
    t->setRowCount(rows);
    t->setHorizontalHeaderLabels(header);
    t->verticalHeader()->setVisible(false);
    t->verticalHeader()->setDefaultSectionSize(20);
    t->verticalHeader()->setMinimumSectionSize(16);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < widths.size() && i < header.size(); ++i)
        t->setColumnWidth(i, widths.at(i));
}

QVBoxLayout *buttonColumn()
{
    auto *v = new QVBoxLayout;
    v->setSpacing(6);
    return v;
}

void makeTitle(QLabel *l, const QString &text)
{
    l->setText(text);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setPointSize(f.pointSize() + 5);
    f.setBold(true);
    l->setFont(f);
}

} // namespace Slipdesk::FormBuilder
