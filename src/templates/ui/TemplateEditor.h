#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace Slipdesk {

class TemplateGridDelegate;
class TemplateTabUi;

// The item grid of the template tab with its in-cell editors, and the
// overall offset fields with their nudge buttons.
class TemplateEditor : public QObject
{
    Q_OBJECT
public:
    // `tabActive` tells whether the template tab is the one shown: the
    // in-cell editors only show themselves there.
    TemplateEditor(TemplateTabUi &ui, std::function<bool()> tabActive, QObject *parent);

    // Cell selection for the grid's current cell: lays the matching in-cell
    // editor over it.
    void selectCell();
    // Grid click: marks the current cell and, in a number column, shows the
    // number editor with the cell's value.
    void gridClick();
    // After the preview placed an item: the number editor shows the new value.
    void refreshEditor();

    // Enter in the grid or in one of its editors.
    void enterPressed();
    // A row dragged from `from` to `to` (grid rows).
    void moveRow(int from, int to);
    // "添加条码项目": appends the row of an optional item of the grid's kind
    // (ItemTable::optionalItems) and makes it current; an item the table
    // already holds is only made current. Saved with the template as any
    // edit is. False for a name that is no optional item of the kind.
    bool addOptionalItem(const QString &name);
    // The grid row last clicked, -1 before the first click.
    int markedRow() const;

    // The five columns edited with the number editor, and the step of each.
    static bool isNumberColumn(const QString &header);
    static int numberStep(const QString &header);
    // The fonts the font editor offers: the installed families plus the
    // template font names the program maps, sorted.
    static QStringList fontChoices();

private:
    void setupGrid();
    void setupOffsets();
    void setupOptionalItems();
    void fillOptionalItems();
    void hookEnter(QObject *target);
    bool viewportMouse(QEvent *event);

    QString columnHeader(int column) const;
    int findColumn(const QString &header) const;
    QString currentHeader() const;
    void placeOver(QWidget *editor, int row, int column) const;
    void showListEditor(const QStringList &entries, const QString &value, const QString &fallback);
    void writeCurrentCell(const QString &text);
    void editorFocusChanged(QWidget *now);
    void nudge(QPushButton *button);
    static bool acceptOffsetKey(const QKeyEvent *event);
    static void rewriteOffset(QLineEdit *edit);

    TemplateTabUi &m_ui;
    std::function<bool()> m_tabActive;
    TemplateGridDelegate *m_delegate = nullptr;
    QMenu *m_optionalItems = nullptr;
    bool m_settingEditor = false; // editor filled by the program, not typed
    bool m_movingRow = false;
    int m_dragRow = -1; // grid row a drag started on, -1 when none
};

} // namespace Slipdesk
