#pragma once

#include "datawin/BatchRange.h"
#include "trade/ui/DeliveryTabUi.h"
#include "trade/ui/TradeTab.h"

namespace Slipdesk {

class AppContext;
class BatchRun;
class BatchRunControl;
class GoodsPicker;
class OrderFill;
class RecipientLookupList;
struct OrderResult;

// The "出库发货" tab: the buyer, the goods grid and the seller block of one
// delivery note, printed and posted with "打印登记".
class DeliveryTab : public TradeTab
{
    Q_OBJECT
public:
    DeliveryTab(
        AppContext &context, RecipientLookupList &lookup, OrderFill &orderFill, GoodsPicker &picker, QWidget *parent);
    ~DeliveryTab() override;

    DeliveryTabUi &ui() { return m_ui; }

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
    // A delivery batch run is in progress: the tab must not be left.
    bool batchRunning() const;
    BatchRunControl *batch() const { return m_batch; }
    // "开始批打" of the data window on this template's delivery queue.
    void startBatch(const BatchStart &start);
    // "批打保存": the note queued, its goods reserved as pending.
    bool saveToQueue();
    void fillFromClipboard();

    // "打印登记": prints the note and posts it, then takes a running batch to
    // its next note; false when nothing was printed.
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
    bool buyersStale() const { return m_buyersStale; }

private:
    void connectControls();
    bool printOne();
    void loadBatchNote(const BatchRun &run);
    void templateLoaded(const QString &name) override;
    void focusFirstEntry() override;
    void fillBuyerCombos();
    void fillSellerCombo();
    void recipientAppended();
    void applyOrder(const OrderResult &results);
    void showTotals();
    void postageLeft();
    void messageEntered();
    void messageLeft();
    void chooseAddressFormat(int index);

    OrderFill &m_orderFill;
    DeliveryTabUi m_ui;
    BatchRunControl *m_batch = nullptr;
    bool m_buyersStale = false;
};

} // namespace Slipdesk
