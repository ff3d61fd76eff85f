#include "TemplateTab.h"

#include "context/AppContext.h"
#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/PrintJob.h"
#include "platform/PrinterService.h"
#include "platform/ui/WidgetFields.h"
#include "render/Drawing.h"
#include "render/ui/PreviewWindow.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "templates/Offsets.h"
#include "templates/TemplateList.h"
#include "templates/ui/LabelPaperChoice.h"
#include "templates/ui/TemplateEditor.h"
#include "templates/ui/TemplateGrid.h"
#include "templates/ui/TemplateManager.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QScopedValueRollback>
#include <QStyle>

namespace Slipdesk {

TemplateTab::TemplateTab(AppContext &context, QWidget *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("TemplateTab"));
    m_page = new QWidget(parent);
    m_page->setObjectName(QStringLiteral("TabPrnSet"));
    m_ui.setupUi(m_page);
    m_editor = new TemplateEditor(
        m_ui, [this] { return m_active; }, this);
    TemplateManager::Hooks hooks;
    hooks.loadSelected = [this] { listClicked(); };
    // The express tab shows the loaded template's picture, chosen but not
    // yet saved included; without that tab, the one its settings name.
    hooks.backgroundPicture = [this] {
        if (m_pictureShown)
            return m_pictureShown();
        const QString template_ = name();
        if (template_.isEmpty())
            return QString();
        const QString picture
            = m_context.paths().templateDir() + TemplateSettings(m_context.paths(), template_).backgroundPicture();
        return QFileInfo(picture).isFile() ? picture : QString();
    };
    m_manager = new TemplateManager(m_ui, context.paths(), std::move(hooks), this);
    new LabelPaperChoice(m_ui, this);

    connect(m_ui.LBoxModel, &QListWidget::itemClicked, this, [this] { listClicked(); });
    connect(m_ui.CmbModelType, &QComboBox::activated, this, [this] { kindChosen(); });
    connect(m_ui.BtnSaveM, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui.BtnPreviewM, &QPushButton::clicked, this, [this] { openPreview(m_active); });
    connect(m_ui.CmbPrn, &QComboBox::activated, this, [this] { fillPaperList(QString()); });
    connect(m_ui.RGPaperSize, &RadioGroup::clicked, this, [this] { fillPaperList(QString()); });

    LoadedTemplate &template_ = loaded();
    connect(&template_, &LoadedTemplate::listChanged, this, &TemplateTab::showList);
    connect(&template_, &LoadedTemplate::loaded, this, &TemplateTab::showLoaded);
    connect(&template_, &LoadedTemplate::loadFailed, this,
        [](const QString &message) { MessageService::instance().warn(message); });

    // Every edit of the grid, the printer, the paper or the offset is the
    // loaded template's at once: the working tabs print what this tab shows.
    const QAbstractItemModel *grid = m_ui.SgSet->model();
    connect(grid, &QAbstractItemModel::dataChanged, this, &TemplateTab::editsChanged);
    connect(grid, &QAbstractItemModel::rowsInserted, this, &TemplateTab::editsChanged);
    connect(grid, &QAbstractItemModel::rowsRemoved, this, &TemplateTab::editsChanged);
    connect(grid, &QAbstractItemModel::rowsMoved, this, &TemplateTab::editsChanged);
    connect(grid, &QAbstractItemModel::modelReset, this, &TemplateTab::editsChanged);
    connect(m_ui.CmbPrn, &QComboBox::currentIndexChanged, this, &TemplateTab::editsChanged);
    connect(m_ui.CmbPaperList, &QComboBox::currentIndexChanged, this, &TemplateTab::editsChanged);
    connect(m_ui.CmbLabelPaper, &QComboBox::currentIndexChanged, this, &TemplateTab::editsChanged);
    connect(m_ui.CmbLabelPaper, &QComboBox::activated, this, &TemplateTab::editsChanged);
    connect(m_ui.RGPaperFX, &RadioGroup::clicked, this, &TemplateTab::editsChanged);
    connect(m_ui.RGPaperSize, &RadioGroup::clicked, this, &TemplateTab::editsChanged);
    connect(m_ui.EdtMoveX, &QLineEdit::textChanged, this, &TemplateTab::editsChanged);
    connect(m_ui.EdtMoveY, &QLineEdit::textChanged, this, &TemplateTab::editsChanged);
    // The template manager adds, renames, removes and reorders in the list.
    const QAbstractItemModel *names = m_ui.LBoxModel->model();
    connect(names, &QAbstractItemModel::dataChanged, this, &TemplateTab::listEdited);
    connect(names, &QAbstractItemModel::rowsInserted, this, &TemplateTab::listEdited);
    connect(names, &QAbstractItemModel::rowsRemoved, this, &TemplateTab::listEdited);
    connect(names, &QAbstractItemModel::rowsMoved, this, &TemplateTab::listEdited);
    connect(m_ui.LBoxModel, &QListWidget::currentRowChanged, this, &TemplateTab::listEdited);
}

TemplateTab::~TemplateTab() = default;

LoadedTemplate &TemplateTab::loaded() const
{
    return m_context.loadedTemplate();
}

void TemplateTab::setFormKind(int kind, FormKind form)
{
    if (kind >= 0 && kind < 3)
        m_kinds[kind] = std::move(form);
}

// --- The template list ---------------------------------------------------------

int TemplateTab::kind() const
{
    return loaded().kind();
}

QString TemplateTab::name() const
{
    return loaded().name();
}

TemplateTab::KindList TemplateTab::list() const
{
    return loaded().list();
}

TemplateTab::KindList TemplateTab::startExpress(int lastIndex)
{
    return loaded().startExpress(lastIndex);
}

void TemplateTab::chooseTemplate(int index)
{
    m_selectFirstRow = true;
    loaded().choose(index);
}

void TemplateTab::showList()
{
    const QScopedValueRollback showing(m_showing, true);
    const KindList &list = loaded().list();
    {
        const QSignalBlocker block(m_ui.CmbModelType);
        m_ui.CmbModelType->setCurrentIndex(loaded().kind());
    }
    const QSignalBlocker block(m_ui.LBoxModel);
    QStringList shown;
    for (int i = 0; i < m_ui.LBoxModel->count(); ++i)
        shown.append(m_ui.LBoxModel->item(i)->text());
    if (shown != list.names) {
        m_ui.LBoxModel->clear();
        m_ui.LBoxModel->addItems(list.names);
    }
    m_ui.LBoxModel->setCurrentRow(list.index);
}

void TemplateTab::listEdited()
{
    if (m_showing)
        return;
    KindList list;
    for (int i = 0; i < m_ui.LBoxModel->count(); ++i)
        list.names.append(m_ui.LBoxModel->item(i)->text());
    list.index = m_ui.LBoxModel->currentRow();
    loaded().setList(list);
}

void TemplateTab::listClicked()
{
    listEdited();
    loadCurrent(true);
}

void TemplateTab::kindChosen()
{
    const int kind = std::max(0, m_ui.CmbModelType->currentIndex());
    if (!m_active) {
        // Away from this tab only the list follows; the loaded template stays.
        loaded().chooseKind(kind, false);
        return;
    }
    m_selectFirstRow = true;
    loaded().chooseKind(kind);
    m_ui.SgSet->resizeColumnToContents(1);
    m_ui.LBoxModel->setFocus();
}

void TemplateTab::loadCurrent(bool selectFirstRow)
{
    m_selectFirstRow = selectFirstRow;
    loaded().load();
}

void TemplateTab::showLoaded()
{
    {
        const QScopedValueRollback showing(m_showing, true);
        const TemplateSettings::PrintDevice &device = loaded().device();
        // A template without a name (an empty list) leaves the printer
        // settings as they were and shows the built-in items.
        if (!name().isEmpty()) {
            selectPrinter(device.printer);
            m_ui.RGPaperFX->setItemIndex(device.feedDirection);
            m_ui.RGPaperSize->setItemIndex(device.paperSize);
            fillPaperList(device.otherPaper);
            LabelPaperChoice::show(m_ui, device.paperSize, device.labelPaper);
            m_ui.EdtMoveX->setText(device.moveX);
            m_ui.EdtMoveY->setText(device.moveY);
        }
        TemplateGrid::write(m_ui.SgSet, loaded().table());
        if (m_selectFirstRow && m_ui.SgSet->rowCount() > 0)
            m_ui.SgSet->setCurrentCell(0, m_ui.SgSet->currentColumn() < 0 ? 0 : m_ui.SgSet->currentColumn());
        m_selectFirstRow = false;
    }
    // What the widgets chose where the stored printer or paper is missing.
    editsChanged();
}

TemplateSettings::PrintDevice TemplateTab::shownDevice() const
{
    TemplateSettings::PrintDevice device;
    device.printer = m_ui.CmbPrn->currentText();
    device.feedDirection = m_ui.RGPaperFX->itemIndex();
    device.paperSize = m_ui.RGPaperSize->itemIndex();
    device.otherPaper = m_ui.CmbPaperList->currentText();
    device.labelPaper = LabelPaperChoice::chosen(m_ui);
    device.moveX = m_ui.EdtMoveX->text();
    device.moveY = m_ui.EdtMoveY->text();
    return device;
}

void TemplateTab::editsChanged()
{
    if (m_showing)
        return;
    loaded().setTable(TemplateGrid::read(m_ui.SgSet));
    loaded().setDevice(shownDevice());
}

void TemplateTab::fillPrinterList()
{
    m_ui.CmbPrn->clear();
    m_ui.CmbPrn->addItems(PrinterService::instance().printerNames());
}

void TemplateTab::selectPrinter(const QString &stored)
{
    const QSignalBlocker block(m_ui.CmbPrn);
    int index = m_ui.CmbPrn->findText(stored);
    if (index < 0)
        index = m_ui.CmbPrn->findText(PrinterService::instance().defaultPrinterName());
    if (index < 0 && m_ui.CmbPrn->count() > 0)
        index = 0;
    m_ui.CmbPrn->setCurrentIndex(index);
}

void TemplateTab::fillPaperList(const QString &stored)
{
    {
        const QSignalBlocker block(m_ui.CmbPaperList);
        m_ui.CmbPaperList->clear();
        const bool other = m_ui.RGPaperSize->itemIndex() == 3 && m_ui.CmbPrn->currentIndex() >= 0;
        m_ui.CmbPaperList->setEnabled(other);
        if (other) {
            m_ui.CmbPaperList->addItems(PrinterService::instance().paperEntries(m_ui.CmbPrn->currentText()));
            const int index = m_ui.CmbPaperList->findText(stored);
            m_ui.CmbPaperList->setCurrentIndex(index >= 0 ? index : (m_ui.CmbPaperList->count() > 0 ? 0 : -1));
        }
    }
    editsChanged();
}

bool TemplateTab::save()
{
    const QString template_ = name();
    if (template_.isEmpty())
        return false;
    const bool saved = guarded([&] {
        TemplateGrid::read(m_ui.SgSet).save(m_context.paths().templateSet(template_));
        TemplateSettings settings(m_context.paths(), template_);
        settings.setPrinter(m_ui.CmbPrn->currentText());
        settings.setFeedDirection(m_ui.RGPaperFX->itemIndex());
        settings.setPaperSize(m_ui.RGPaperSize->itemIndex());
        if (m_ui.RGPaperSize->itemIndex() == 3)
            settings.setOtherPaper(m_ui.CmbPaperList->currentText());
        settings.setLabelPaper(LabelPaperChoice::chosen(m_ui));
        settings.setMoveX(m_ui.EdtMoveX->text());
        settings.setMoveY(m_ui.EdtMoveY->text());
    });
    if (saved)
        MessageService::instance().info(QStringLiteral("模板保存完成！"));
    return saved;
}

// --- The tab ----------------------------------------------------------------------

void TemplateTab::entered()
{
    QTableWidget *grid = m_ui.SgSet;
    const QFontMetrics metrics(grid->font());
    for (int column = 0; column < 2 && column < grid->columnCount(); ++column) {
        int widest = 0;
        if (QTableWidgetItem *header = grid->horizontalHeaderItem(column))
            widest = metrics.horizontalAdvance(header->text());
        for (int row = 0; row < grid->rowCount(); ++row)
            if (QTableWidgetItem *cell = grid->item(row, column))
                widest = std::max(widest, metrics.horizontalAdvance(cell->text()));
        // Four pixels beyond the widest text, plus the margins the style
        // keeps inside a cell, so that no name is cut.
        const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        if (widest > 0)
            grid->setColumnWidth(column, widest + 4 + margins);
    }
    m_editor->selectCell();
    m_editor->gridClick();
    if (m_ui.CmbSgSelect->isVisible())
        m_ui.CmbSgSelect->hide();
}

void TemplateTab::windowShown()
{
    m_ui.SgSet->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The list box scrolls horizontally by itself once an entry is wider than it.
    m_ui.LBoxModel->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

// --- Drawing and printing -----------------------------------------------------------

ItemTable TemplateTab::itemTable() const
{
    return loaded().table();
}

PrinterSetup TemplateTab::printerSetup() const
{
    return PrinterSetup::fromDevice(loaded().device());
}

std::optional<QPoint> TemplateTab::offsets() const
{
    // The offset fields are rewritten as integers when left, but a lone "-"
    // can still stand there: refuse before any job or preview starts.
    const PrintSource source = loaded().printSource();
    if (!source.offset)
        MessageService::instance().warn(source.offsetRefusal);
    return source.offset;
}

void TemplateTab::drawForm(Canvas &canvas, QPoint offset) const
{
    const FormKind &form = m_kinds[kind()];
    if (!form.draw)
        return;
    Drawing drawing(canvas, offset.x(), offset.y());
    form.draw(drawing, itemTable());
}

// --- Preview ----------------------------------------------------------------------

void TemplateTab::openPreview(bool onTemplateTab)
{
    if (!offsets())
        return;
    if (!m_preview) {
        m_preview = new PreviewWindow(m_page->window());
        connect(m_preview, &PreviewWindow::itemPlaced, this, &TemplateTab::itemPlaced);
        connect(m_preview, &PreviewWindow::closed, this, &TemplateTab::previewClosed);
    }

    PreviewWindow::Options options;
    if (onTemplateTab)
        options.caption = name() + QStringLiteral(" 打印预览");
    options.templateTab = onTemplateTab;
    const FormKind &form = m_kinds[kind()];
    const QString picture = form.previewPicture ? form.previewPicture() : QString();
    if (!picture.isEmpty() && QFileInfo(picture).isFile()) {
        options.picturePath = picture;
    }
    options.gridTop = m_ui.SgSet->viewport()->mapToGlobal(QPoint(0, 0)).y();
    // A picture preview shows the items where the template puts them on the
    // scanned form, without the overall offset; the offset fields keep
    // showing the offset that is stored and printed.
    const bool onPicture = !options.picturePath.isEmpty();
    // While the preview stays open beside the grid the user may leave a lone
    // "-" in an offset field: the preview keeps the last whole offset then.
    auto lastOffset = std::make_shared<QPoint>(*offsets());
    options.draw = [this, lastOffset, onPicture](Canvas &canvas) {
        if (const std::optional<QPoint> now = loaded().printSource().offset)
            *lastOffset = *now;
        drawForm(canvas, onPicture ? QPoint() : *lastOffset);
    };
    options.printTest = [this] { printTest(); };
    options.toLength = [this](int pixels) {
        const int dpi = m_preview->paintArea()->logicalDpiX();
        return dpi > 0 ? int(Drawing::nearest(Drawing::nearest(double(pixels) / dpi * 10000) * 254.0 / 10000)) : 0;
    };
    m_preview->open(options, !onTemplateTab && !m_previewNeverBlocks);
}

void TemplateTab::itemPlaced(int left, int top, int width)
{
    QTableWidget *grid = m_ui.SgSet;
    const int row = grid->currentRow();
    if (row < 0)
        return;
    const ItemTable header = itemTable();
    const QList<std::pair<QString, int>> cells {
        {QStringLiteral("距左端"), left}, {QStringLiteral("距上端"), top}, {QStringLiteral("宽度"), width}};
    for (const auto &[column, value] : cells) {
        const int c = header.findColumn(column);
        if (c >= 0 && grid->item(row, c))
            grid->item(row, c)->setText(QString::number(value));
    }
    grid->setCurrentCell(row, grid->currentColumn());
    // The preview shows the item at its new place at once.
    if (m_preview)
        m_preview->paintArea()->update();
}

void TemplateTab::previewClosed()
{
    if (m_preview->options().templateTab)
        m_editor->refreshEditor();
}

void TemplateTab::printTest()
{
    if (PrinterService::instance().printerNames().isEmpty())
        return;
    // From a working tab the express print test keeps the waybill's record
    // as that tab's print does; anything else only prints.
    const FormKind &form = m_kinds[kind()];
    if (!m_preview->options().templateTab && form.printTest) {
        m_preview->close();
        form.printTest();
        return;
    }
    const std::optional<QPoint> offset = offsets();
    QString error;
    if (offset) {
        error = printForm(
            PrinterService::instance(), printerSetup(), QString(), [&](Canvas &canvas) { drawForm(canvas, *offset); });
        if (!error.isEmpty())
            MessageService::instance().warn(error);
    }
    m_preview->close();
}

} // namespace Slipdesk
