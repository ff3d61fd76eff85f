#pragma once

#include "templates/FieldValues.h"
#include "trade/TradeNote.h"
#include "trade/ui/DeliveryTabUi.h"

#include <QObject>

namespace Slipdesk {

class AppContext;
class GoodsGrid;
class GoodsPicker;
class OrderFill;
class RecipientLookupList;
class TemplateTab;
struct OrderResult;

// The "出库发货" tab: the buyer, the goods grid and the seller block of one
// delivery note, printed and posted with "打印登记".
class DeliveryTab : public QObject
{
    Q_OBJECT
public:
    DeliveryTab(AppContext &context, TemplateTab &templates, RecipientLookupList &lookup, OrderFill &orderFill,
        GoodsPicker &picker, QWidget *parent);
    ~DeliveryTab() override;

    QWidget *page() const { return m_page; }
    DeliveryTabUi &ui() { return m_ui; }
    GoodsGrid *goods() const { return m_goods; }

    // The entry fields (label captions included) as values, and back.
    FieldValues values() const;
    void setValues(const FieldValues &values);
    // The whole note: the values and the goods rows.
    TradeNote note() const;
    void setNote(const TradeNote &note);

    // What entering the tab takes over from the express tab: its address
    // formats, its templates (the courier list) and its waybill number.
    struct ExpressLink
    {
        QStringList addressFormats;
        QStringList templates;
        int templateIndex = -1;
        QString waybillNumber;
    };
    void enter(const ExpressLink &express);
    // Leaving the tab closes its goods picker and list editor.
    void setActive(bool active);
    // Leaving the tab (or closing on it): the note number is saved when it changed.
    void saveNumber();
    // A delivery batch run is in progress: the tab must not be left.
    bool batchRunning() const;
    void fillFromClipboard();

    // "打印登记": prints the note and posts it; false when nothing was printed.
    bool printAndPost();
    // "打印预览".
    void preview();

    // The buyer fields from recipient row `row`, leaving `chosenIn` (the buyer
    // combo the row was chosen in, or null) alone; a row out of range empties them.
    void fillBuyer(int row, QWidget *chosenIn);
    // The seller block from sender row `row`; a row out of range changes nothing.
    void fillSeller(int row);
    // Empties the buyer and the goods; refused (false) during a batch run.
    bool clearNote();
    // Asks for a label's own name and keeps it with the template.
    void renameLabel(QLabel *label);
    bool buyersStale() const { return m_buyersStale; }
    QString savedNumber() const { return m_savedNumber; }

Q_SIGNALS:
    // A menu entry or button asked for the data window on a table (12 goods,
    // 15 units, 16 and 18 remarks, 3 and 5 the books, 13 the log, 21 sales,
    // 14 the batch).
    void dataWindowRequested(int tableCode);

private:
    void connectControls();
    void templateLoaded(const QString &name);
    void fillBuyerCombos();
    void fillSellerCombo();
    void recipientAppended();
    void applyOrder(const OrderResult &results);
    void showTotals();
    void postageLeft();
    void messageEntered();
    void messageLeft();
    void chooseAddressFormat(int index);
    QString templateName() const;

    AppContext &m_context;
    TemplateTab &m_templates;
    OrderFill &m_orderFill;
    QWidget *m_page = nullptr;
    DeliveryTabUi m_ui;
    GoodsGrid *m_goods = nullptr;
    QString m_savedNumber;
    bool m_buyersStale = false;
    bool m_active = false;
};

} // namespace Slipdesk
