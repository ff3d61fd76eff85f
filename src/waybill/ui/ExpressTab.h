#pragma once

#include "datawin/BatchRange.h"
#include "datawin/TableCode.h"
#include "forms/FieldValues.h"
#include "templates/LoadedTemplate.h"
#include "waybill/WaybillPage.h"
#include "waybill/ui/ExpressTabUi.h"

#include <QObject>

namespace Slipdesk {

class AppContext;
class BatchRun;
class BatchRunControl;
class Drawing;
class ItemTable;
class MarkerGroupsPanel;
class OrderFill;
class RecipientLookupList;
struct OrderResult;

// The "快递打印" tab: the sender, recipient and consignment fields of one
// express waybill, filled by typing with look-up in the recipient book, from
// the sender book, or from copied order text; printed with the loaded express
// template, and recorded after the print.
class ExpressTab : public QObject
{
    Q_OBJECT
public:
    ExpressTab(AppContext &context, RecipientLookupList &lookup, OrderFill &orderFill, QWidget *parent);

    QWidget *page() const { return m_page; }
    ExpressTabUi &ui() { return m_ui; }
    MarkerGroupsPanel *markers() const { return m_markers; }

    // The entry fields as values keyed by control name, and back.
    FieldValues values() const;
    void setValues(const FieldValues &values);

    // ---- the window's steps -------------------------------------------------------
    // Window creation: the express templates of the list, and the clipboard
    // switch from the settings.
    void setTemplateList(const LoadedTemplate::List &list);
    void setAutoCopy(bool on);
    bool autoCopy() const;
    // The tab is entered: its template kind current, a stale recipient list
    // refilled, the focus on the recipient's name.
    void enter();
    void setActive(bool active) { m_active = active; }
    // Leaving the tab (or closing on it): the waybill number and the marker
    // state are saved when they changed.
    void saveNumberAndMarkers();
    // A waybill batch run is in progress: the tab must not be left.
    bool batchRunning() const;
    BatchRunControl *batch() const { return m_batch; }
    // "开始批打" of the data window on the express queue.
    void startBatch(const BatchStart &start);
    // "保存(&S)": the entry fields appended to the express queue.
    bool saveToQueue();
    // The clipboard watch asked for a one-click fill on this tab.
    void fillFromClipboard();
    // Shows the "收件单位" card.
    void showRecipientCard();

    QStringList templateNames() const;
    int templateIndex() const;
    QStringList addressFormats() const;

    // ---- printing ---------------------------------------------------------------
    // "打印(&P)": prints the waybill and records it, then takes a running
    // batch to its next row; false when nothing was printed.
    bool print();
    // The preview's "打印测试": printed without a job title and recorded as
    // a print is.
    void printTest();
    // The waybill drawn with the values of the fields.
    void draw(Drawing &drawing, const ItemTable &table) const;
    // The scanned form behind the preview (empty when it is not shown), and
    // the picture the options card names, chosen but not yet saved included.
    QString previewPicture() const;
    QString backgroundPicture() const { return m_ui.EdtBackPicFile->text(); }
    // The print formats kept with the template (date and capital amounts).
    const WaybillPage::Formats &formats() const { return m_formats; }
    void chooseFormat(int which, int index);
    // The number last saved to the template settings.
    QString savedNumber() const { return m_savedNumber; }

    // ---- address books --------------------------------------------------------------
    // Which recipient field a fill leaves alone: the one the user is choosing in.
    enum FillMode { KeepName = 0, KeepUnit = 1, FillAll = -1 };
    // Recipient fields from book row `row`; a row out of range empties them.
    void fillRecipient(int row, int mode);
    // Sender fields from book row `row`; a row out of range changes nothing.
    void fillSender(int row);
    // Empties the recipient and goods fields; refused (false) during a batch run.
    bool clearRecipient();
    // Loads a pick-list combo from its file (or its defaults) when it is empty.
    void ensurePickList(QComboBox *combo);
    bool recipientsStale() const { return m_recipientsStale; }

    // ---- express template options ("选项设置") ---------------------------------------
    void choosePicture();
    void saveOptions();

Q_SIGNALS:
    // A menu entry asked for the data window on a table: 3 recipients,
    // 5 senders, 7-11 the pick lists.
    void dataWindowRequested(Slipdesk::TableCode tableCode);
    void autoCopyToggled(bool on);
    // "预览(&V)": the preview of the waybill with the loaded template.
    void previewRequested();

private:
    void connectControls();
    void templateLoaded(const QString &name);
    void templateComboChosen();
    bool printOne();
    bool printWaybill(bool testPrint);
    void loadBatchRow(const BatchRun &run);
    void updateHints();
    void fillRecipientCombos();
    void fillSenderCombos();
    void recipientAppended();
    void recipientsReloaded();
    void sendersReloaded();
    void pickListChanged(int code);
    void applyOrder(const OrderResult &results);
    void chooseAddressFormat(int index);
    void showFormatMenu(int which);
    void writeTemplateText(const QString &key, const QString &value);
    void fitDropDownWidth(QComboBox *combo);

    AppContext &m_context;
    RecipientLookupList &m_lookup;
    OrderFill &m_orderFill;
    QWidget *m_page = nullptr;
    ExpressTabUi m_ui;
    MarkerGroupsPanel *m_markers = nullptr;
    BatchRunControl *m_batch = nullptr;
    WaybillPage::Formats m_formats;
    QString m_savedNumber;
    bool m_recipientsStale = false;
    bool m_active = false;
};

} // namespace Slipdesk
