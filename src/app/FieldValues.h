#pragma once

#include "templates/FieldValues.h"

#include <QStringList>

class QComboBox;
class QObject;
class QWidget;

namespace Slipdesk {

namespace Fields {

// The text of an entry control (line edit, combo box, label, check box as
// "1"/"0", date edit as yyyy-MM-dd); empty for anything else.
QString text(const QWidget *control);
void setText(QWidget *control, const QString &value);

FieldValues collect(const QWidget *root, const QStringList &names);
void apply(QWidget *root, const FieldValues &values);

// Copies control `from` to control `to` for each pair, found below `root`.
void copy(QWidget *root, const QList<QPair<QString, QString>> &pairs);

// Replaces a combo box's items quickly (address books can hold 100,000 rows),
// keeping the text the user typed in an editable combo.
void setItems(QComboBox *combo, const QStringList &items);
QStringList items(const QComboBox *combo);

// An integer tag on any control, as the window's logic keeps state in tags.
int tag(const QObject *control);
void setTag(QObject *control, int value);

} // namespace Fields
} // namespace Slipdesk
