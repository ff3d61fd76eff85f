#pragma once

#include "templates/FieldValues.h"
#include "trade/TradeNote.h"
#include "trade/ui/InboundTabUi.h"

#include <QObject>

namespace Slipdesk {

class AppContext;
class GoodsGrid;
class GoodsPicker;
class TemplateTab;

// The "采购入库" tab: the handler, the inbound type and the goods grid of one
// purchase inbound note, printed and posted with "打印登记".
class InboundTab : public QObject
{
    Q_OBJECT
public:
    InboundTab(AppContext &context, TemplateTab &templates, GoodsPicker &picker, QWidget *parent);
    ~InboundTab() override;

    QWidget *page() const { return m_page; }
    InboundTabUi &ui() { return m_ui; }
    GoodsGrid *goods() const { return m_goods; }

    FieldValues values() const;
    void setValues(const FieldValues &values);
    TradeNote note() const;
    void setNote(const TradeNote &note);

    void enter();
    // Leaving the tab closes its goods picker and list editor.
    void setActive(bool active);
    // Leaving the tab (or closing on it): the note number is saved when it changed.
    void saveNumber();
    QString savedNumber() const { return m_savedNumber; }

    // "打印登记": prints the note and posts it; false when nothing was printed.
    bool printAndPost();
    void preview();
    // The handler chosen at sender row `row`: the shop name follows it.
    void chooseHandler(int row);
    void renameLabel(QLabel *label);

    // "打印记录": this year's log of the template and its detail log, else
    // last year's; false (the user told) when neither pair exists.
    bool logToBrowse(QString *log, QString *detail) const;

Q_SIGNALS:
    // A menu entry asked for the data window on a table (12 goods, 15 units,
    // 16 and 18 remarks, 17 the inbound types, 3 and 5 the books).
    void dataWindowRequested(int tableCode);
    // "打印记录" found the log to browse (table 20) and its detail log.
    void logRequested(const QString &log, const QString &detail);

private:
    void templateLoaded(const QString &name);
    void fillHandlerCombo();
    void loadInboundTypes();
    void showTotals();
    QString templateName() const;

    AppContext &m_context;
    TemplateTab &m_templates;
    QWidget *m_page = nullptr;
    InboundTabUi m_ui;
    GoodsGrid *m_goods = nullptr;
    QString m_savedNumber;
    bool m_typesStale = true;
    bool m_active = false;
};

} // namespace Slipdesk
