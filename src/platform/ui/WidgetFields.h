#pragma once

#include "forms/FieldValues.h"

#include <QStringList>

class QComboBox;
class QWidget;

namespace Slipdesk {

// Entry controls as values: the one place where a tab's fields become the
// value set the core works on, and back.
namespace Fields {

// The text of an entry control (line edit, combo box, label, check box as
// "1"/"0", date edit as yyyy-MM-dd); empty for anything else.
QString text(const QWidget *control);
void setText(QWidget *control, const QString &value);

// Every named entry control below `root` (line edits, combo boxes, check
// boxes, date edits, spin boxes), keyed by its object name.
FieldValues collectAll(const QWidget *root);
FieldValues collect(const QWidget *root, const QStringList &names);
// Sets the controls below `root` named in `values`; other names are ignored.
void apply(QWidget *root, const FieldValues &values);

// Replaces a combo box's items quickly (address books can hold 100,000 rows),
// keeping the text the user typed in an editable combo.
void setItems(QComboBox *combo, const QStringList &items);
QStringList items(const QComboBox *combo);

} // namespace Fields
} // namespace Slipdesk
