#pragma once

#include "app/FieldValues.h"
#include "app/MainFormUi.h"
#include "storage/Paths.h"
#include "trade/SmallLists.h"

#include <QMainWindow>
#include <QStringList>

class QComboBox;
class QLineEdit;

namespace Slipdesk {

class ClipboardWatch;
class ProgramSettings;

// The main window: the express, delivery, inbound and template tabs. It owns
// the in-memory address books, the goods master and the small lists for the
// whole run.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    static QString applicationTitle();  // "Slipdesk网店管家进销存软件"
    static QString versionDate();       // shown before the title in the caption

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
    const QStringList &recipients() const { return m_recipients; }
    const QStringList &senders() const { return m_senders; }
    // The in-memory books, for the parts of the window that change them.
    QStringList &recipientRows() { return m_recipients; }
    QStringList &senderRows() { return m_senders; }

    // The parts of the window that keep their own behaviour.
    class AddressBookController *addressBooks() const { return m_addressBooks; }
    class MarkerGroupsController *markerGroups() const { return m_markers; }
    class TemplateEditorController *templateEditor() const { return m_editor; }
    class OrderFillController *orderFill() const { return m_orderFill; }
    const QStringList &goods() const { return m_goods; }
    QString sellerMessage() const { return m_sellerMessage; }
    SmallLists &smallLists() { return m_smallLists; }
    const Paths &paths() const { return m_paths; }
    MainFormUi &ui() { return m_ui; }

    // The number shown in a document-number field and the value last saved for
    // it; they differ once a print advanced the number.
    static QString savedNumber(const QLineEdit *edit);
    static void setSavedNumber(QLineEdit *edit, const QString &value);

    // The template shown in the list (the current one of its kind).
    int currentKind() const;
    QString currentTemplateName() const;
    // Loads the current template's settings into the controls and its item
    // table into the editor grid.
    void loadCurrentTemplate();
    // Writes the item table and printer settings; false when nothing was saved.
    bool BtnSaveMClick();

    // The four print-format labels (date, amount, cash on delivery, insured
    // value); choosing a format stores it in the current express template.
    QList<class QLabel *> formatLabels() const;
    // The six money fields, shown as 1,234.50 once left.
    QList<QLineEdit *> amountFields() const;
    void chooseFormat(int which, int index);

    // Printing: the waybill on the express tab ("打印(&P)"), and the current
    // template on any canvas (printer page, preview, file).
    bool BtnPrintClick();
    bool printCurrentTemplate(const QString &title);
    void drawCurrentTemplate(class Canvas &canvas, int offsetX, int offsetY);
    FieldValues waybillValues() const;
    struct PrinterSetup printerSetup() const;
    // Opens the preview; on the template tab it stays open beside the grid.
    void openPreview(bool templateTab);
    class PreviewWindow *previewWindow() const { return m_preview; }
    // Tests: never run the preview as a modal window.
    void setPreviewNeverBlocks(bool on) { m_previewNeverBlocks = on; }

    // Creation steps 9 and 10, also used after the books change.
    void fillRecipientCombos();
    void fillSenderCombos();

Q_SIGNALS:
    // A clipboard change asked for the one-click fill of the page.
    void oneClickFillRequested(int page);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Seams the template, printing and trade features fill in.
    void loadTemplateSettings();
    void loadItemTable();
    void saveMarkerStates();
    void refillBuyerCombos();
    void refillGoodsGrids();
    void gridClick(int page);
    void templateGridSelectCell();
    void templateGridClick();

    void CmbLetterSelectEnter();
    void CmbInvoiceEnter();
    void CmbInputModelEnter();
    void saveNumberIfChanged(QLineEdit *edit, QComboBox *templateCombo, const QString &key);

    void loadTemplateList(int kind);
    void selectPrinter(const QString &stored);
    void fillPaperList(const QString &stored);
    void applyCaptions(const QStringList &keys, const QList<class QLabel *> &labels,
                       const class TemplateSettings &settings);
    void templateComboChanged(QComboBox *combo);
    void LBoxModelClick();
    void showFormatMenu(int which);
    bool readOffsets(int &x, int &y) const;
    void afterWaybillPrinted();
    void appendWaybillLog();
    void continueBatch();
    void previewPrintTest();
    void CmbModelTypeChange();
    void switchKind(int kind, QComboBox *combo);
    void prepareGoodsGrid(class QTableWidget *grid, const QString &header);
    // Entering a trade tab: its goods grid, the goods master, the small lists.
    void prepareTradeTab(class QTableWidget *grid, const QString &header);
    void ensureGoodsMaster();
    void onClipboardTriggered();
    void LblAutoAddMouseLeave();
    void LblAutoAddMouseEnter();
    void LblAutoAddClick();
    void computeVisibleTabMap();

    Paths m_paths;
    QString m_exeDir;
    QString m_tempFolder;
    MainFormUi m_ui;

    QStringList m_recipients;
    QStringList m_senders;
    QStringList m_goods;
    QString m_sellerMessage;
    SmallLists m_smallLists;
    QString m_visibleTabMap;
    ClipboardWatch *m_clipboard = nullptr;
    class PreviewWindow *m_preview = nullptr;
    class AddressBookController *m_addressBooks = nullptr;
    class MarkerGroupsController *m_markers = nullptr;
    class TemplateEditorController *m_editor = nullptr;
    class OrderFillController *m_orderFill = nullptr;
    int m_savedOffsetX = 0;
    int m_savedOffsetY = 0;
    bool m_offsetsZeroed = false;
    bool m_previewNeverBlocks = false;
    bool m_created = false;
    bool m_shown = false;
    bool m_closed = false;
};

} // namespace Slipdesk
