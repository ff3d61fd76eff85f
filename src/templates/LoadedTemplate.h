#pragma once

#include "storage/Paths.h"
#include "storage/TemplateSettings.h"
#include "templates/ItemTable.h"
#include "templates/PrintSource.h"

#include <QObject>
#include <QStringList>

namespace Slipdesk {

// The template every print and preview of the window uses: the template
// list of one kind, the template chosen in it, and that template's item
// table and printer settings with the user's unsaved edits. The working tabs
// choose in it, the template tab shows and edits it, the print routines read
// it. Loading never asks anything: what could not be read is said by
// `loadFailed`, and the built-in layout stands in.
class LoadedTemplate : public QObject
{
    Q_OBJECT
public:
    struct List
    {
        QStringList names;
        int index = -1;
    };

    explicit LoadedTemplate(const Paths &paths, QObject *parent = nullptr);

    int kind() const { return m_kind; }
    const List &list() const { return m_list; }
    // The chosen template; empty when the list is empty.
    QString name() const { return m_list.names.value(m_list.index); }

    // ---- choosing ------------------------------------------------------------
    // Window creation: the express list with the template of `lastIndex`
    // chosen (the first when out of range); `load()` reads it.
    List startExpress(int lastIndex);
    // Entering a working tab: when the list shows another kind, that kind's
    // list is read and the template named `remembered` (else the first)
    // chosen and loaded. Returns the list as it stands then.
    List showKind(int kind, const QString &remembered);
    // The template list shows `kind` (chosen on the template tab): its list
    // read, its first template chosen and loaded; with `load` false only the
    // list is read and nothing is chosen (the loaded template stays).
    void chooseKind(int kind, bool load = true);
    // The template at `index` of the list chosen and loaded.
    void choose(int index);
    // The template tab's list changed under the user's hands (added,
    // renamed, removed, reordered): the names and the choice it shows now.
    // Nothing is loaded.
    void setList(const List &list);
    // Reads the chosen template's settings and item table.
    void load();

    // ---- the loaded template, unsaved edits included -------------------------
    const ItemTable &table() const { return m_table; }
    void setTable(const ItemTable &table) { m_table = table; }
    // Printer, feed, paper and overall offset as the template tab shows them.
    const TemplateSettings::PrintDevice &device() const { return m_device; }
    void setDevice(const TemplateSettings::PrintDevice &device) { m_device = device; }
    // Everything a print takes from the loaded template.
    PrintSource printSource() const;

Q_SIGNALS:
    // The kind, the names or the choice changed.
    void listChanged();
    // Template `name` of `kind` was loaded: the tabs load their part of it.
    void loaded(int kind, const QString &name);
    // A file of the template could not be read (the built-in layout is used).
    void loadFailed(const QString &message);

private:
    void readList(int kind);

    Paths m_paths;
    int m_kind = ItemTable::Express;
    List m_list;
    ItemTable m_table = ItemTable::builtIn(ItemTable::Express);
    TemplateSettings::PrintDevice m_device;
};

} // namespace Slipdesk
