#pragma once

#include "datawin/TableCode.h"
#include "forms/FieldValues.h"
#include "trade/TradeNote.h"
#include "trade/TradePosting.h"

#include <QObject>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QAction;
class QTableWidget;
class QWidget;

namespace Slipdesk {

class AppContext;
class GoodsGrid;
class GoodsPicker;
class TemplateSettings;
class Drawing;
class ItemTable;

// What the delivery and the inbound tab share: a note of their kind with its
// goods grid, the template combo and the note number, the labels a template
// may rename, and the print-and-post path.
class TradeTab : public QObject
{
    Q_OBJECT
public:
    QWidget *page() const { return m_page; }
    GoodsGrid *goods() const { return m_goods; }
    NoteKind kind() const { return m_kind; }

    // The entry fields (label captions included) as values, and back.
    FieldValues values() const;
    void setValues(const FieldValues &values);
    // The whole note: the values and the goods rows.
    TradeNote note() const;
    void setNote(const TradeNote &note);

    // The note drawn with the values of the fields (the preview).
    void draw(Drawing &drawing, const ItemTable &table) const;

    // "重打": a logged note's fields and goods back into the tab, the goods
    // grid emptied first and its amounts and totals computed again.
    void reprint(const FieldValues &values, const GoodsRows &goods);
    QString templateName() const;

    // Leaving the tab closes its goods picker and list editor.
    void setActive(bool active);
    bool isActive() const { return m_active; }
    // Leaving the tab (or closing on it): the note number is saved when it changed.
    void saveNumber();
    QString savedNumber() const { return m_savedNumber; }

    // Asks for a label's own name and keeps it with the template.
    void renameLabel(QLabel *label);

Q_SIGNALS:
    // A menu entry or button asked for the data window on a table.
    void dataWindowRequested(Slipdesk::TableCode tableCode);
    // "打印预览": the preview of the note with the loaded template.
    void previewRequested();

protected:
    TradeTab(AppContext &context, NoteKind kind, QObject *parent);

    // Called once the subclass built its form into `page`.
    void setUp(QWidget *page, QTableWidget *grid, GoodsPicker &picker, QComboBox *templateCombo, QLineEdit *number,
        const QStringList &extraLabels);
    // Entering the tab: its kind's templates, the goods grid, the goods
    // master and the small lists.
    void enterCommon();
    // A template of this kind was loaded: its number and label captions.
    void loadCommon(const TemplateSettings &settings);
    // "打印登记" up to what both tabs do afterwards: a refusal shown (with the
    // focus where it belongs), the next number shown and kept, failures shown.
    // Nothing when the note was not printed.
    std::optional<TradePosting::PrintResult> printAndPostCommon(bool fromBatch);
    // Before a reprint fills the fields: lists they choose from are loaded.
    virtual void prepareReprint() { }
    // A template of this tab's kind was loaded: the tab's own part of it.
    virtual void templateLoaded(const QString &name) = 0;
    // After a template was chosen in the tab's combo.
    virtual void focusFirstEntry() = 0;
    void connectMenu(const QList<std::pair<QAction *, TableCode>> &entries);

    AppContext &m_context;
    NoteKind m_kind;
    QWidget *m_page = nullptr;
    GoodsGrid *m_goods = nullptr;
    QComboBox *m_templateCombo = nullptr;
    QLineEdit *m_number = nullptr;
    QStringList m_labels; // captions and other labels that belong to the note's values
    QString m_savedNumber;
    bool m_active = false;
};

} // namespace Slipdesk
