#pragma once

#include "templates/FieldValues.h"
#include "trade/ui/CaptionLabels.h"
#include "trade/ui/DeliveryTabUi.h"

#include <QObject>

#include <memory>

namespace Slipdesk {

class AppContext;
class GoodsGrid;
class OrderFill;
class RecipientLookupList;
class TemplateTab;
struct OrderResult;

// The "出库发货" tab: the buyer, the goods grid and the seller block of one
// delivery note.
class DeliveryTab : public QObject
{
    Q_OBJECT
public:
    DeliveryTab(AppContext &context, TemplateTab &templates, RecipientLookupList &lookup, OrderFill &orderFill,
        QWidget *parent);
    ~DeliveryTab() override;

    QWidget *page() const { return m_page; }
    DeliveryTabUi &ui() { return m_ui; }

    FieldValues values() const;
    void setValues(const FieldValues &values);

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
    void setActive(bool active) { m_active = active; }
    // Leaving the tab (or closing on it): the note number is saved when it changed.
    void saveNumber();
    // A delivery batch run is in progress: the tab must not be left.
    bool batchRunning() const;
    void fillFromClipboard();

    // The buyer fields from recipient row `row`, leaving `chosenIn` (the buyer
    // combo the row was chosen in, or null) alone; a row out of range empties them.
    void fillBuyer(int row, QWidget *chosenIn);
    bool buyersStale() const { return m_buyersStale; }
    QString savedNumber() const { return m_savedNumber; }

private:
    void templateLoaded(const QString &name);
    void fillBuyerCombos();
    void fillSellerCombo();
    void applyOrder(const OrderResult &results);

    AppContext &m_context;
    TemplateTab &m_templates;
    OrderFill &m_orderFill;
    QWidget *m_page = nullptr;
    DeliveryTabUi m_ui;
    std::unique_ptr<CaptionLabels> m_captions;
    GoodsGrid *m_goods = nullptr;
    QString m_savedNumber;
    bool m_buyersStale = false;
    bool m_active = false;
};

} // namespace Slipdesk
