#include "WidgetFields.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringListModel>

namespace Slipdesk::Fields {

QString text(const QWidget *control)
{
    if (auto edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (auto combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (auto date = qobject_cast<const QDateEdit *>(control))
        return date->date().toString(QStringLiteral("yyyy-MM-dd"));
    if (auto spin = qobject_cast<const QSpinBox *>(control))
        return QString::number(spin->value());
    if (auto button = qobject_cast<const QAbstractButton *>(control))
        return button->isCheckable() ? QString::number(button->isChecked() ? 1 : 0) : button->text();
    if (auto label = qobject_cast<const QLabel *>(control))
        return label->text();
    return QString();
}

void setText(QWidget *control, const QString &value)
{
    if (auto edit = qobject_cast<QLineEdit *>(control)) {
        edit->setText(value);
    } else if (auto combo = qobject_cast<QComboBox *>(control)) {
        if (combo->isEditable()) {
            combo->setEditText(value);
        } else {
            combo->setCurrentIndex(combo->findText(value));
        }
    } else if (auto date = qobject_cast<QDateEdit *>(control)) {
        date->setDate(QDate::fromString(value, QStringLiteral("yyyy-MM-dd")));
    } else if (auto spin = qobject_cast<QSpinBox *>(control)) {
        spin->setValue(value.toInt());
    } else if (auto button = qobject_cast<QAbstractButton *>(control)) {
        if (button->isCheckable())
            button->setChecked(value == u"1");
        else
            button->setText(value);
    } else if (auto label = qobject_cast<QLabel *>(control)) {
        label->setText(value);
    }
}

FieldValues collectAll(const QWidget *root)
{
    FieldValues values;
    const QList<QWidget *> children = root->findChildren<QWidget *>();
    for (const QWidget *child : children) {
        const QString name = child->objectName();
        // Qt names the inner parts of its controls "qt_…"; combo boxes keep an
        // unnamed line edit.
        if (name.isEmpty() || name.startsWith(u"qt_"))
            continue;
        const bool entry = qobject_cast<const QLineEdit *>(child) || qobject_cast<const QComboBox *>(child)
            || qobject_cast<const QDateEdit *>(child) || qobject_cast<const QSpinBox *>(child)
            || (qobject_cast<const QAbstractButton *>(child)
                && static_cast<const QAbstractButton *>(child)->isCheckable());
        if (entry)
            values.insert(name, text(child));
    }
    return values;
}

FieldValues collect(const QWidget *root, const QStringList &names)
{
    FieldValues values;
    for (const QString &name : names)
        values.insert(name, text(root->findChild<QWidget *>(name)));
    return values;
}

void apply(QWidget *root, const FieldValues &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (QWidget *control = root->findChild<QWidget *>(it.key()))
            setText(control, it.value());
}

void setItems(QComboBox *combo, const QStringList &items)
{
    const QString typed = combo->currentText();
    const QSignalBlocker block(combo);
    // A string-list model takes the whole list at once instead of one item
    // object per row, and a fixed size policy avoids measuring every entry.
    auto model = qobject_cast<QStringListModel *>(combo->model());
    if (!model) {
        model = new QStringListModel(combo);
        combo->setModel(model);
    }
    model->setStringList(items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (combo->minimumContentsLength() == 0)
        combo->setMinimumContentsLength(8);
    if (combo->isEditable()) {
        combo->setCurrentIndex(-1);
        combo->setEditText(typed);
    } else {
        combo->setCurrentIndex(items.isEmpty() ? -1 : 0);
    }
}

QStringList items(const QComboBox *combo)
{
    if (auto model = qobject_cast<const QStringListModel *>(combo->model()))
        return model->stringList();
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out.append(combo->itemText(i));
    return out;
}

} // namespace Slipdesk::Fields
