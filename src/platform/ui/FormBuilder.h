#pragma once

#include <QString>
#include <QStringList>

#include <type_traits>

class QAction;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QTableWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace Slipdesk::FormBuilder {

// The small steps every tab's form is built from, so that the four forms
// look alike.

template<class T> T *create(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

// Creates a widget of the member's type, named after the member.
#define SD_NEW(member, parent)                                                                                         \
    member = ::Slipdesk::FormBuilder::create<std::remove_pointer_t<decltype(member)>>(parent, #member)

// Where a field sits in a grid of label/field column pairs.
struct Place
{
    int row = 0;
    int pair = 0;
    int pairSpan = 1;
};

void addField(QGridLayout *g, int row, int pair, const QString &text, QWidget *field, int pairSpan = 1);

// A field of the member's type, named after the member, styled, and placed
// with its caption in a grid: one line of a form's field list.
template<class T>
T *field(QWidget *parent, const char *name, QGridLayout *g, Place at, const QString &text, void (*style)(T *) = nullptr)
{
    T *w = create<T>(parent, name);
    if (style)
        style(w);
    addField(g, at.row, at.pair, text, w, at.pairSpan);
    return w;
}

#define SD_FIELD(member, parent, ...)                                                                                  \
    member = ::Slipdesk::FormBuilder::field<std::remove_pointer_t<decltype(member)>>(parent, #member, __VA_ARGS__)

// Combos the user types into. The tabs keep the items index for index in
// step with their lists and look entries up themselves, so Qt must neither
// add typed text as an item nor complete it inline.
void makeTyped(QComboBox *c);
// Pick-only lists; long entries (template or printer names) must not widen
// the form.
void makePickOnly(QComboBox *c);
void makeDate(QDateEdit *d);
void makeReadOnlyAmount(QLineEdit *e);
// A label that opens a menu or fills fields on a click.
void makeClickLabel(QLabel *l, const QString &text, const QString &hint);
// Caption label in front of a field, named after the field.
QLabel *caption(QWidget *parent, const QString &text, QWidget *buddy);
// Named label + field.
void addLabelled(QGridLayout *g, int row, int pair, QLabel *label, QWidget *field, int pairSpan = 1);
void stretchFieldColumns(QGridLayout *g, int pairs);
QAction *addEntry(QMenu *menu, const char *name, const QString &text);
QAction *addSeparator(QMenu *menu, const char *name);
void makeMenuButton(QToolButton *b, const QString &text, QMenu *menu);
QMenu *makeMenu(QWidget *parent, const char *name);
void makeGrid(QTableWidget *t, const QStringList &header, int rows, const QList<int> &widths = {});
QVBoxLayout *buttonColumn();
// The big shop name over a trade tab.
void makeTitle(QLabel *l, const QString &text);

} // namespace Slipdesk::FormBuilder
