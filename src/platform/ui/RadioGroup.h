#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace Slipdesk {

// A titled group of mutually exclusive radio buttons addressed by index, the
// way the window logic reads and stores choices such as the paper size.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    explicit RadioGroup(QWidget *parent = nullptr);
    RadioGroup(const QString &title, QWidget *parent = nullptr);

    // Replaces all buttons; the selection is cleared (-1).
    void setItems(const QStringList &items);
    QStringList items() const { return m_items; }

    // Buttons are laid out row by row in this many columns (at least 1).
    void setColumns(int columns);
    int columns() const { return m_columns; }

    // -1 when no button is checked.
    int itemIndex() const;
    // An index outside the items clears the selection. Emits no signal.
    void setItemIndex(int index);

    QRadioButton *button(int index) const;

Q_SIGNALS:
    // A button was clicked by the user (or via QAbstractButton::click()).
    void clicked(int index);

private:
    void relayout();

    QStringList m_items;
    int m_columns = 1;
    QButtonGroup *m_group;
    QGridLayout *m_layout;
    QList<QRadioButton *> m_buttons;
};

} // namespace Slipdesk
