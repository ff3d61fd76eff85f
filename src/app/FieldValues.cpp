#include "FieldValues.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringListModel>
#include <QVariant>

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

void copy(QWidget *root, const QList<QPair<QString, QString>> &pairs)
{
    for (const auto &[from, to] : pairs) {
        QWidget *source = root->findChild<QWidget *>(from);
        QWidget *target = root->findChild<QWidget *>(to);
        if (source && target)
            setText(target, text(source));
    }
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

int tag(const QObject *control)
{
    return control ? control->property("tag").toInt() : 0;
}

void setTag(QObject *control, int value)
{
    if (control)
        control->setProperty("tag", value);
}

} // namespace Slipdesk::Fields
