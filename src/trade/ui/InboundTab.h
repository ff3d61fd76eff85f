#pragma once

#include "trade/ui/InboundTabUi.h"
#include "trade/ui/TradeTab.h"

namespace Slipdesk {

class AppContext;
class GoodsPicker;

// The "采购入库" tab: the handler, the inbound type and the goods grid of one
// purchase inbound note, printed and posted with "打印登记".
class InboundTab : public TradeTab
{
    Q_OBJECT
public:
    InboundTab(AppContext &context, GoodsPicker &picker, QWidget *parent);
    ~InboundTab() override;

    InboundTabUi &ui() { return m_ui; }

    void enter();
    // "打印登记": prints the note and posts it; false when nothing was printed.
    bool printAndPost();
    void preview();
    // The handler chosen at sender row `row`: the shop name follows it.
    void chooseHandler(int row);

protected:
    void prepareReprint() override;

private:
    void templateLoaded(const QString &name) override;
    void focusFirstEntry() override;
    void fillHandlerCombo();
    void loadInboundTypes();
    void showTotals();

    InboundTabUi m_ui;
    bool m_typesStale = true;
};

} // namespace Slipdesk
