#pragma once

#include "platform/PrinterSetup.h"
#include "templates/ItemTable.h"
#include "templates/LoadedTemplate.h"
#include "templates/PrintSource.h"
#include "templates/ui/TemplateTabUi.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

namespace Slipdesk {

class AppContext;
class Canvas;
class Drawing;
class PreviewWindow;
class TemplateEditor;
class TemplateManager;

// The "模版设置" tab: the template list of the current kind, the editor grid
// with the loaded template's item table, its printer, paper and overall
// offset. It shows and edits the context's loaded template, which every
// print and preview of the working tabs uses, unsaved edits included; it
// owns the preview window for all three kinds.
class TemplateTab : public QObject
{
    Q_OBJECT
public:
    TemplateTab(AppContext &context, QWidget *parent);
    ~TemplateTab() override;

    QWidget *page() const { return m_page; }
    TemplateTabUi &ui() { return m_ui; }
    TemplateEditor *editor() const { return m_editor; }
    TemplateManager *manager() const { return m_manager; }
    // The background picture the express tab shows for the loaded template,
    // which "导出模版" takes along.
    void setPictureShown(std::function<QString()> shown) { m_pictureShown = std::move(shown); }

    // What the preview shows of a working tab's form (the window's shell
    // hands each tab's form in): the form drawn with its values, (express)
    // the scanned form behind it, and the print test that keeps the
    // record as the tab's print does (none: the test only prints).
    struct FormKind
    {
        std::function<void(Drawing &, const ItemTable &)> draw;
        std::function<QString()> previewPicture;
        std::function<void()> printTest;
    };
    void setFormKind(int kind, FormKind form);

    // ---- the template list --------------------------------------------------
    using KindList = LoadedTemplate::List;
    // Window creation: the express list with the template of `lastIndex`
    // selected (the first when out of range).
    KindList startExpress(int lastIndex);
    KindList list() const;
    int kind() const; // the kind the list shows
    QString name() const; // the loaded template; empty when the list is empty
    // The template at `index` of the list chosen, its first item row current.
    void chooseTemplate(int index);
    // Loads the current template's settings and then its item table;
    // `selectFirstRow` also puts the grid's current cell on its first row.
    void loadCurrent(bool selectFirstRow = false);
    // A click in the template list: the selected template is loaded (its
    // first item row current) and the working tab of its kind follows.
    void listClicked();
    // Fills the printer list with the installed printers.
    void fillPrinterList();

    // ---- what the prints read ------------------------------------------------
    ItemTable itemTable() const;
    PrinterSetup printerSetup() const;
    // The overall offset; when it is not a whole number the user is told
    // and nothing is returned.
    std::optional<QPoint> offsets() const;
    // Draws the loaded template's form of the current kind.
    void drawForm(Canvas &canvas, QPoint offset) const;

    // ---- preview --------------------------------------------------------------
    // Opens the preview; on this tab it stays open beside the grid. A
    // non-integer offset is refused as for a print.
    void openPreview(bool onTemplateTab);
    PreviewWindow *previewWindow() const { return m_preview; }
    // Tests: never run the preview as a modal window.
    void setPreviewNeverBlocks(bool on) { m_previewNeverBlocks = on; }

    // ---- the tab itself -----------------------------------------------------------
    // The tab was entered (column widths, the editor over the current cell)
    // or left.
    void entered();
    void setActive(bool active) { m_active = active; }
    bool isActive() const { return m_active; }
    // Window show: row highlighting and the list's scrolling.
    void windowShown();
    // "保存(&S)": the item table and the printer settings; false when nothing
    // was saved.
    bool save();

private:
    LoadedTemplate &loaded() const;
    void showList();
    void showLoaded();
    void editsChanged();
    void listEdited();
    TemplateSettings::PrintDevice shownDevice() const;
    void selectPrinter(const QString &stored);
    void fillPaperList(const QString &stored);
    void kindChosen();
    void printTest();
    void itemPlaced(int left, int top, int width);
    void previewClosed();

    AppContext &m_context;
    QWidget *m_page = nullptr;
    TemplateTabUi m_ui;
    TemplateEditor *m_editor = nullptr;
    TemplateManager *m_manager = nullptr;
    std::function<QString()> m_pictureShown;
    FormKind m_kinds[3];
    PreviewWindow *m_preview = nullptr;
    bool m_previewNeverBlocks = false;
    bool m_active = false;
    // Set while the widgets show what the loaded template holds, so that
    // showing it is not taken for an edit.
    bool m_showing = false;
    bool m_selectFirstRow = false;
};

} // namespace Slipdesk
