#pragma once

#include "context/AppContext.h"
#include "datawin/TableCode.h"

#include <QMainWindow>

namespace Slipdesk {

class ClickLabel;
class ClipboardWatch;
class DeliveryTab;
class ExpressTab;
class GoodsPicker;
class InboundTab;
class OrderFill;
class PageControl;
class TFRMData;
struct ReprintData;
class RecipientLookupList;
class TemplateTab;

// The main window: the shell around the express, delivery, inbound and
// template tabs. It holds the run's shared data (the context) and hands it
// to the tabs; it runs the window's creation, show, tab switching and close.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    static QString applicationTitle(); // "Slipdesk网店管家进销存软件"
    static QString versionDate(); // shown before the title in the caption

    // `exeDir` is checked against `tempFolder` (the archive-viewer case);
    // `paths` addresses every data file.
    TForm1(const Paths &paths, const QString &exeDir, const QString &tempFolder, QWidget *parent = nullptr);
    ~TForm1() override;

    // Window creation. Returns false when the program must end without
    // showing the window.
    bool FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();

    // Tab switching as the user does it: leaving (may refuse) and entering.
    bool PageControlMainChanging();
    void PageControlMainChange();
    // Switches like a click on the tab: false when the switch was refused.
    bool switchToPage(int page);

    QString visibleTabMap() const { return m_visibleTabMap; }
    AppContext &context() { return m_context; }
    const Paths &paths() const { return m_context.paths(); }

    PageControl *pageControl() const { return m_pages; }
    ExpressTab *expressTab() const { return m_express; }
    DeliveryTab *deliveryTab() const { return m_delivery; }
    InboundTab *inboundTab() const { return m_inbound; }
    TemplateTab *templateTab() const { return m_templates; }
    OrderFill *orderFill() const { return m_orderFill; }
    RecipientLookupList *lookupList() const { return m_lookup; }
    TFRMData *dataWindow() const { return m_data; }

    // A menu entry or button of a tab asked for the data window on a table.
    void openDataWindow(TableCode tableCode);

Q_SIGNALS:
    // A clipboard change asked for the one-click fill of the page.
    void oneClickFillRequested(int page);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void setActivePage(int page);
    void saveNumberOf(int page);
    void onClipboardTriggered();
    void computeVisibleTabMap();
    void connectDataWindow();
    void connectPreviews();
    void applyReprint(const ReprintData &data);
    void focusFirstEntry();

    AppContext m_context;
    QString m_exeDir;
    QString m_tempFolder;

    QWidget *m_central = nullptr;
    PageControl *m_pages = nullptr;
    ClickLabel *m_help = nullptr;
    RecipientLookupList *m_lookup = nullptr;
    GoodsPicker *m_picker = nullptr;
    OrderFill *m_orderFill = nullptr;
    TemplateTab *m_templates = nullptr;
    ExpressTab *m_express = nullptr;
    DeliveryTab *m_delivery = nullptr;
    InboundTab *m_inbound = nullptr;
    ClipboardWatch *m_clipboard = nullptr;
    TFRMData *m_data = nullptr;

    QString m_visibleTabMap;
    int m_pageLeft = 0; // the page the user left last
    bool m_shown = false;
    bool m_closed = false;
};

} // namespace Slipdesk
