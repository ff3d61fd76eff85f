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
}

TemplateTab::~TemplateTab() = default;

void TemplateTab::setFormKind(int kind, FormKind form)
{
    if (kind >= 0 && kind < 3)
        m_kinds[kind] = std::move(form);
}

// --- The template list ---------------------------------------------------------

int TemplateTab::kind() const
{
    return std::max(0, m_ui.CmbModelType->currentIndex());
}

QString TemplateTab::name() const
{
    const QListWidgetItem *item = m_ui.LBoxModel->currentItem();
    return item ? item->text() : QString();
}

TemplateTab::KindList TemplateTab::list() const
{
    KindList list;
    for (int i = 0; i < m_ui.LBoxModel->count(); ++i)
        list.names.append(m_ui.LBoxModel->item(i)->text());
    list.index = m_ui.LBoxModel->currentRow();
    return list;
}

void TemplateTab::loadList(int kind)
{
    ProgramSettings settings(m_context.paths());
    const QStringList names = TemplateList::load(settings, kind);
    const QSignalBlocker block(m_ui.LBoxModel);
    m_ui.LBoxModel->clear();
    m_ui.LBoxModel->addItems(names);
}

TemplateTab::KindList TemplateTab::startExpress(int lastIndex)
{
    guarded([&] { loadList(ItemTable::Express); });
    const int count = m_ui.LBoxModel->count();
    const QSignalBlocker block(m_ui.LBoxModel);
    m_ui.LBoxModel->setCurrentRow(lastIndex >= 0 && lastIndex <= count - 1 ? lastIndex : 0);
    return list();
}

TemplateTab::KindList TemplateTab::showKind(int kind, const QString &remembered)
{
    if (m_ui.CmbModelType->currentIndex() == kind)
        return list();
    {
        const QSignalBlocker block(m_ui.CmbModelType);
        m_ui.CmbModelType->setCurrentIndex(kind);
    }
    guarded([&] { loadList(kind); });
    KindList shown = list();
    const int index = std::max<int>(0, int(shown.names.indexOf(remembered)));
    shown.index = shown.names.isEmpty() ? -1 : index;
    {
        const QSignalBlocker block(m_ui.LBoxModel);
        m_ui.LBoxModel->setCurrentRow(shown.index);
    }
    loadCurrent();
    return shown;
}

void TemplateTab::chooseTemplate(int index)
{
    {
        const QSignalBlocker block(m_ui.LBoxModel);
        m_ui.LBoxModel->setCurrentRow(index);
    }
    loadCurrent(true);
}

void TemplateTab::showList(QComboBox *combo, const KindList &list)
{
    const QSignalBlocker block(combo);
    Fields::setItems(combo, list.names);
    combo->setCurrentIndex(list.names.isEmpty() ? -1 : list.index);
}

void TemplateTab::follow(int kind, QComboBox *combo)
{
    connect(this, &TemplateTab::templateChosen, combo, [this, kind, combo](int chosenKind, int index) {
        if (chosenKind != kind || combo->count() != m_ui.LBoxModel->count())
            return;
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(index);
    });
}

void TemplateTab::listClicked()
{
    loadCurrent(true);
    Q_EMIT templateChosen(kind(), m_ui.LBoxModel->currentRow());
}

void TemplateTab::kindChosen()
{
    guarded([&] { loadList(kind()); });
    if (!m_active)
        return;
    {
        const QSignalBlocker block(m_ui.LBoxModel);
        m_ui.LBoxModel->setCurrentRow(m_ui.LBoxModel->count() > 0 ? 0 : -1);
    }
    loadCurrent(true);
    m_ui.SgSet->resizeColumnToContents(1);
    m_ui.LBoxModel->setFocus();
}

void TemplateTab::loadCurrent(bool selectFirstRow)
{
    guarded([this] { loadSettings(); });
    loadItemTable();
    if (selectFirstRow && m_ui.SgSet->rowCount() > 0)
        m_ui.SgSet->setCurrentCell(0, m_ui.SgSet->currentColumn() < 0 ? 0 : m_ui.SgSet->currentColumn());
}

void TemplateTab::loadSettings()
{
    const QString template_ = name();
    if (template_.isEmpty())
        return;
    const TemplateSettings settings(m_context.paths(), template_);
    selectPrinter(settings.printer());
    m_ui.RGPaperFX->setItemIndex(settings.feedDirection());
    m_ui.RGPaperSize->setItemIndex(settings.paperSize());
    fillPaperList(settings.otherPaper());
    LabelPaperChoice::show(m_ui, settings.paperSize(), settings.labelPaper());
    m_ui.EdtMoveX->setText(settings.moveX());
    m_ui.EdtMoveY->setText(settings.moveY());
    Q_EMIT templateLoaded(kind(), template_);
}

void TemplateTab::loadItemTable()
{
    const QString template_ = name();
    ItemTable table;
    try {
        table = template_.isEmpty() ? ItemTable::builtIn(kind())
                                    : ItemTable::load(m_context.paths().templateSet(template_), kind());
    } catch (const IoError &e) {
        MessageService::instance().warn(e.message());
        table = ItemTable::builtIn(kind());
    }
    TemplateGrid::write(m_ui.SgSet, table);
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
    const QSignalBlocker block(m_ui.CmbPaperList);
    m_ui.CmbPaperList->clear();
    const bool other = m_ui.RGPaperSize->itemIndex() == 3 && m_ui.CmbPrn->currentIndex() >= 0;
    m_ui.CmbPaperList->setEnabled(other);
    if (!other)
        return;
    m_ui.CmbPaperList->addItems(PrinterService::instance().paperEntries(m_ui.CmbPrn->currentText()));
    const int index = m_ui.CmbPaperList->findText(stored);
    m_ui.CmbPaperList->setCurrentIndex(index >= 0 ? index : (m_ui.CmbPaperList->count() > 0 ? 0 : -1));
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
    return TemplateGrid::read(m_ui.SgSet);
}

PrinterSetup TemplateTab::printerSetup() const
{
    TemplateSettings::PrintDevice device;
    device.printer = m_ui.CmbPrn->currentText();
    device.feedDirection = m_ui.RGPaperFX->itemIndex();
    device.paperSize = m_ui.RGPaperSize->itemIndex();
    device.otherPaper = m_ui.CmbPaperList->currentText();
    device.labelPaper = LabelPaperChoice::chosen(m_ui);
    return PrinterSetup::fromDevice(device);
}

std::optional<QPoint> TemplateTab::offsets() const
{
    // The offset fields are rewritten as integers when left, but a lone "-"
    // can still stand there: refuse before any job or preview starts.
    QString refusal;
    const std::optional<QPoint> offset = Offsets::parse(m_ui.EdtMoveX->text(), m_ui.EdtMoveY->text(), &refusal);
    if (!offset)
        MessageService::instance().warn(refusal);
    return offset;
}

PrintSource TemplateTab::printSource() const
{
    PrintSource source;
    source.table = itemTable();
    source.setup = printerSetup();
    source.offset = Offsets::parse(m_ui.EdtMoveX->text(), m_ui.EdtMoveY->text(), &source.offsetRefusal);
    return source;
}

void TemplateTab::drawForm(Canvas &canvas, QPoint offset) const
{
    const FormKind &form = m_kinds[kind()];
    if (!form.draw)
        return;
    Drawing drawing(canvas, offset.x(), offset.y());
    form.draw(drawing, itemTable());
}

bool TemplateTab::print(const QString &title)
{
    const std::optional<QPoint> offset = offsets();
    if (!offset)
        return false;
    const QString error = printForm(
        PrinterService::instance(), printerSetup(), title, [&](Canvas &canvas) { drawForm(canvas, *offset); });
    if (!error.isEmpty()) {
        MessageService::instance().warn(error);
        return false;
    }
    return true;
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
    m_savedOffset = QPoint();
    m_offsetsZeroed = false;

    PreviewWindow::Options options;
    if (onTemplateTab)
        options.caption = name() + QStringLiteral(" 打印预览");
    options.templateTab = onTemplateTab;
    const FormKind &form = m_kinds[kind()];
    const QString picture = form.previewPicture ? form.previewPicture() : QString();
    if (!picture.isEmpty() && QFileInfo(picture).isFile()) {
        // A picture preview shows the items where the template puts them on
        // the scanned form, without the overall offset.
        m_savedOffset = *offsets();
        m_ui.EdtMoveX->setText(QStringLiteral("0"));
        m_ui.EdtMoveY->setText(QStringLiteral("0"));
        m_offsetsZeroed = true;
        options.picturePath = picture;
    }
    options.gridTop = m_ui.SgSet->viewport()->mapToGlobal(QPoint(0, 0)).y();
    // While the preview stays open beside the grid the user may leave a lone
    // "-" in an offset field: the preview keeps the last whole offset then.
    auto lastOffset = std::make_shared<QPoint>(*offsets());
    options.draw = [this, lastOffset](Canvas &canvas) {
        if (const std::optional<QPoint> now = Offsets::parse(m_ui.EdtMoveX->text(), m_ui.EdtMoveY->text(), nullptr))
            *lastOffset = *now;
        drawForm(canvas, *lastOffset);
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

void TemplateTab::restoreZeroedOffsets()
{
    if (!m_offsetsZeroed)
        return;
    m_ui.EdtMoveX->setText(QString::number(m_savedOffset.x()));
    m_ui.EdtMoveY->setText(QString::number(m_savedOffset.y()));
    m_offsetsZeroed = false;
}

void TemplateTab::previewClosed()
{
    if (m_preview->options().templateTab)
        m_editor->refreshEditor();
    restoreZeroedOffsets();
}

void TemplateTab::printTest()
{
    if (PrinterService::instance().printerNames().isEmpty())
        return;
    restoreZeroedOffsets();
    const bool printed = print(QString());
    m_preview->close();
    if (printed)
        Q_EMIT testPrinted(kind());
}

} // namespace Slipdesk
