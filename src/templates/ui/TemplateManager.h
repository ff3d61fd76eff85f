#pragma once

#include "storage/Paths.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QEvent;
class QMimeData;
class QRubberBand;

namespace Slipdesk {

class TemplateTabUi;

// The management commands of the template list (the "更多功能" menu): add,
// copy, import, export, rename, upgrade and delete, and the reordering of the
// list by dragging. Every command that changes the list writes the kind's
// whole order list to the program settings at once.
class TemplateManager : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        // Loads the selected template into the editor as a click in the
        // list does.
        std::function<void()> loadSelected;
        // The background picture the express tab shows for the loaded
        // template (full path; empty when none).
        std::function<QString()> backgroundPicture;
    };

    TemplateManager(TemplateTabUi &ui, const Paths &paths, Hooks hooks, QObject *parent);

    // ---- the menu commands --------------------------------------------------
    // Add (`copy` false) and copy of the selected template.
    void addOrCopy(bool copy);
    void rename();
    void remove();
    void exportTemplate();
    void importTemplate();
    // Brings an older item table up to its kind's current item set (the
    // command has no visible menu entry).
    void upgrade();

    // ---- the list -------------------------------------------------------------
    QStringList names() const;
    // Writes the order list of the kind shown; false (the user told) when
    // the settings file could not be written.
    bool writeOrder();
    // Sets the list's horizontal scroll extent to the widest name in the
    // window's font plus 5 pixels; an empty list is left alone.
    void fitListWidth();
    // The extent last set by fitListWidth(), 0 before the first fit.
    int listExtent() const { return m_extent; }

    // ---- reorder by dragging ------------------------------------------------
    // What a drag of entry `row` carries; a drop is accepted only with the
    // data of a drag this list started.
    QMimeData *entryDragData(int row) const;
    // The dragged entry `from` dropped onto entry `to`: the entries between
    // move by one towards `from`, `to` receives the name and the selection.
    // False when either position is outside the list.
    bool moveEntry(int from, int to);
    // The end of every drag, dropped or not: the order list is written and
    // the drop mark erased.
    void dragEnded();
    // The mark around the entry under the pointer during a drag.
    QRubberBand *dropMark() const { return m_mark; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int kind() const;
    QString selectedName() const;
    QWidget *dialogParent() const;
    QString fileFilter() const;
    int draggedRow(const QMimeData *data) const;
    void startDrag(int row);
    void markEntry(const QPoint &pos);
    void loadSelected();

    TemplateTabUi &m_ui;
    Paths m_paths;
    Hooks m_hooks;
    int m_extent = 0;
    QRubberBand *m_mark = nullptr;
    // A press on an entry that may become a drag.
    int m_pressRow = -1;
    QPoint m_pressPos;
    // The entry selected (and loaded) before the press that started a drag.
    QString m_loadedBeforeDrag;
};

} // namespace Slipdesk
