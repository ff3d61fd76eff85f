#include "TemplateManager.h"

#include "platform/Guarded.h"
#include "platform/MessageService.h"
#include "platform/ui/FileDialogService.h"
#include "storage/FileIo.h"
#include "storage/ProgramSettings.h"
#include "templates/ItemTable.h"
#include "templates/TemplateFiles.h"
#include "templates/TemplateList.h"
#include "templates/ui/TemplateGrid.h"
#include "templates/ui/TemplateTabUi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMimeData>
#include <QMouseEvent>
#include <QRubberBand>

namespace Slipdesk {

namespace {

const QString kEntryFormat = QStringLiteral("application/x-slipdesk-template-entry");

// The items an older express table lacks, in the order they are added.
const QStringList kExpressAdditions {QStringLiteral("第2组标记4"), QStringLiteral("第3组标记5"),
    QStringLiteral("寄件单位网址"), QStringLiteral("物流订单"), QStringLiteral("物品件数"), QStringLiteral("物品重量"),
    QStringLiteral("代收货款"), QStringLiteral("代收货款大写"), QStringLiteral("保价金额"),
    QStringLiteral("保价金额大写"), QStringLiteral("保费"), QStringLiteral("运费"), QStringLiteral("加急费")};
const QString kExpressAdditionTail = QStringLiteral(",打印,150,120,400,0,10,黑体,是,自动换行");
const QStringList kDeliveryAdditions {QStringLiteral(",买家手机,打印,850,250,400,0,10,黑体,是,自动换行"),
    QStringLiteral(",买家电话,打印,1250,250,400,0,10,黑体,是,自动换行"),
    QStringLiteral(",收货邮编,打印,1800,300,200,0,10,黑体,是,自动换行")};
// Header and items of each kind's current built-in table.
constexpr int kCurrentExpressRows = 75;
constexpr int kCurrentDeliveryRows = 25;

// Whether two paths name the same file. Compared without case: the template
// folder is shared with systems whose file names ignore it, and a false
// "same" only skips a copy onto itself.
bool samePath(const QString &a, const QString &b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
               .compare(QDir::cleanPath(QFileInfo(b).absoluteFilePath()), Qt::CaseInsensitive)
        == 0;
}

QString stemOf(const QString &path)
{
    const QFileInfo info(path);
    return info.path() + u'/' + info.completeBaseName();
}

void copyReplacing(const QString &from, const QString &to)
{
    FileIo::writeAtomic(to, FileIo::read(from));
}

} // namespace

TemplateManager::TemplateManager(TemplateTabUi &ui, const Paths &paths, Hooks hooks, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
    , m_paths(paths)
    , m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("TemplateManager"));
    connect(m_ui.N6, &QAction::triggered, this, [this] { addOrCopy(m_ui.N6->data().toInt() == 1); });
    connect(m_ui.N7, &QAction::triggered, this, [this] { addOrCopy(m_ui.N7->data().toInt() == 1); });
    connect(m_ui.NOut, &QAction::triggered, this, [this] { importTemplate(); });
    connect(m_ui.NInput, &QAction::triggered, this, [this] { exportTemplate(); });
    connect(m_ui.MReName, &QAction::triggered, this, [this] { rename(); });
    connect(m_ui.NUpdate, &QAction::triggered, this, [this] { upgrade(); });
    connect(m_ui.MDeleteM, &QAction::triggered, this, [this] { remove(); });
    connect(m_ui.PopupMenu1, &QMenu::aboutToShow, this, [this] {
        m_ui.N1->setVisible(false);
        m_ui.NUpdate->setVisible(false);
    });

    // The list's own drag handling would insert beside the entry under the
    // pointer and say nothing when a drag ends; the drag is run here instead.
    QListWidget *list = m_ui.LBoxModel;
    list->setDragEnabled(false);
    list->setDragDropMode(QAbstractItemView::NoDragDrop);
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
    m_mark = new QRubberBand(QRubberBand::Rectangle, list->viewport());
    m_mark->setObjectName(QStringLiteral("LBoxModelDropMark"));
    m_mark->hide();
}

// --- Helpers --------------------------------------------------------------------------

int TemplateManager::kind() const
{
    return std::max(0, m_ui.CmbModelType->currentIndex());
}

QString TemplateManager::selectedName() const
{
    const QListWidgetItem *item = m_ui.LBoxModel->currentItem();
    return item ? item->text() : QString();
}

QStringList TemplateManager::names() const
{
    QStringList out;
    for (int i = 0; i < m_ui.LBoxModel->count(); ++i)
        out.append(m_ui.LBoxModel->item(i)->text());
    return out;
}

QWidget *TemplateManager::dialogParent() const
{
    return m_ui.TabPrnSet->window();
}

QString TemplateManager::fileFilter() const
{
    return ProgramSettings::kindName(kind()) + QStringLiteral("(*.Set)");
}

void TemplateManager::loadSelected()
{
    if (m_hooks.loadSelected)
        m_hooks.loadSelected();
}

bool TemplateManager::writeOrder()
{
    return guarded([this] {
        ProgramSettings settings(m_paths);
        TemplateList::save(settings, kind(), names());
    });
}

void TemplateManager::fitListWidth()
{
    QListWidget *list = m_ui.LBoxModel;
    if (list->count() == 0)
        return;
    const QFontMetrics metrics(m_ui.TabPrnSet->window()->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(list->item(i)->text()));
    m_extent = widest + 5;
    // The list scrolls as far as its widest entry reaches: every entry is
    // given the width, keeping its own height.
    for (int i = 0; i < list->count(); ++i) {
        const int height = list->sizeHintForRow(i);
        list->item(i)->setSizeHint(QSize(m_extent, height > 0 ? height : metrics.height()));
    }
}

// --- Add and copy ------------------------------------------------------------------------

void TemplateManager::addOrCopy(bool copy)
{
    QListWidget *list = m_ui.LBoxModel;
    QString name = ProgramSettings::kindName(kind()) + QString::number(list->count() + 1);
    const QString source = selectedName();
    const QString question = QStringLiteral("请输入新模版名称")
        + (copy ? QStringLiteral("-【复制模版】") : QStringLiteral("-【增加模版】"));
    if (!MessageService::instance().prompt(question, name)) {
        m_ui.SgSet->setFocus();
        return;
    }
    QStringList taken;
    if (!guarded([&] { taken = TemplateFiles::everyTemplate(m_paths); }))
        return;
    if (!TemplateFiles::acceptableName(name, taken + names())) {
        MessageService::instance().warn(QStringLiteral("输入的名称不合适"));
        list->setFocus();
        return;
    }

    {
        const QSignalBlocker block(list);
        list->addItem(name);
        list->setCurrentRow(list->count() - 1);
    }
    writeOrder();
    if (copy) {
        // The copy takes the grid as it stands, edits not yet saved
        // included; the source's own files stay as they were saved.
        guarded([&] {
            TemplateGrid::read(m_ui.SgSet).save(m_paths.templateSet(name));
            if (!source.isEmpty() && QFileInfo::exists(m_paths.templateIni(source)))
                copyReplacing(m_paths.templateIni(source), m_paths.templateIni(name));
        });
    } else {
        loadSelected();
    }
    fitListWidth();
    m_ui.SgSet->setFocus();
}

// --- Rename ----------------------------------------------------------------------------------

void TemplateManager::rename()
{
    QListWidgetItem *item = m_ui.LBoxModel->currentItem();
    if (!item)
        return;
    const QString old = item->text();
    QString name = old;
    if (!MessageService::instance().prompt(QStringLiteral("请输入新的模版名称"), name))
        return;
    QStringList taken;
    if (!guarded([&] { taken = TemplateFiles::everyTemplate(m_paths); }))
        return;
    if (!TemplateFiles::acceptableName(name, taken + names(), old)) {
        MessageService::instance().warn(QStringLiteral("不合适的名称"));
        m_ui.LBoxModel->setFocus();
        return;
    }
    // The files first: when they cannot be renamed the list keeps naming
    // the files that are there.
    if (!guarded([&] { TemplateFiles::rename(m_paths, old, name); }))
        return;
    item->setText(name);
    fitListWidth();
    writeOrder();
}

// --- Delete --------------------------------------------------------------------------------

void TemplateManager::remove()
{
    QListWidget *list = m_ui.LBoxModel;
    if (list->count() < 2) {
        MessageService::instance().warn(QStringLiteral("至少要保留一个默认的模版"));
        return;
    }
    const int position = list->currentRow();
    if (position < 0)
        return;
    if (!MessageService::instance().confirm(QStringLiteral("确实删除该模版？"), true)) {
        list->setFocus();
        return;
    }
    const QString name = list->item(position)->text();
    const int templateKind = kind();
    {
        const QSignalBlocker block(list);
        const int lastBefore = list->count() - 1;
        delete list->takeItem(position);
        list->setCurrentRow(position < lastBefore ? position : position - 1);
    }
    writeOrder();
    fitListWidth();
    guarded([&] { TemplateFiles::remove(m_paths, name, templateKind); });
    loadSelected();
}

// --- Export ----------------------------------------------------------------------------------

void TemplateManager::exportTemplate()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    FileDialogService::OpenRequest request;
    request.filter = fileFilter();
    request.defaultSuffix = QStringLiteral("Set");
    request.directory = name;
    const QString chosen = FileDialogService::instance().saveFile(dialogParent(), request);
    if (!chosen.isEmpty()) {
        const QString stem = stemOf(chosen);
        QString picture;
        if (kind() == ItemTable::Express && m_hooks.backgroundPicture)
            picture = m_hooks.backgroundPicture();
        // Copying a file onto itself would first delete it: a target that
        // already is the template's own file (or picture) is left as it is.
        if (!picture.isEmpty() && samePath(picture, stem + QStringLiteral(".JPG")))
            picture.clear();
        bool exported = false;
        const bool done = guarded([&] {
            if (samePath(stem + QStringLiteral(".SET"), m_paths.templateSet(name)))
                exported = QFileInfo::exists(m_paths.templateSet(name)) && QFileInfo::exists(m_paths.templateIni(name));
            else
                exported = TemplateFiles::exportTo(m_paths, name, picture, chosen);
        });
        if (done)
            MessageService::instance().info(
                exported ? QStringLiteral("模版导出完成！") : QStringLiteral("当前模版对应的文件不存在！"));
    }
    m_ui.SgSet->setFocus();
}

// --- Import ----------------------------------------------------------------------------------

void TemplateManager::importTemplate()
{
    FileDialogService::OpenRequest request;
    request.filter = fileFilter();
    request.defaultSuffix = QStringLiteral("Set");
    const QString chosen = FileDialogService::instance().openFile(dialogParent(), request);
    if (chosen.isEmpty()) {
        m_ui.SgSet->setFocus();
        return;
    }
    MessageService &messages = MessageService::instance();
    const QString name = TemplateFiles::importedName(chosen);
    if (name.trimmed().isEmpty()) {
        messages.warn(QStringLiteral("模版文件不全！"));
        m_ui.SgSet->setFocus();
        return;
    }
    QString refusal;
    if (!guarded([&] { refusal = TemplateFiles::importRefusal(m_paths, chosen, kind()); }))
        return;
    if (!refusal.isEmpty()) {
        messages.warn(refusal);
        m_ui.SgSet->setFocus();
        return;
    }
    QListWidget *list = m_ui.LBoxModel;
    const int existing = int(names().indexOf(name));
    if (existing >= 0 && !messages.confirm(QStringLiteral("已经有相同名称的模版存在，是否替换？"), true)) {
        m_ui.SgSet->setFocus();
        return;
    }

    // A file chosen in the template folder itself is the template's own:
    // copying it onto itself would first delete it, so it is taken as it is.
    TemplateFiles::Import result = TemplateFiles::Import::Incomplete;
    const bool copied = guarded([&] {
        if (samePath(QFileInfo(chosen).absolutePath() + u'/', m_paths.templateDir()))
            result = QFileInfo(m_paths.templateSet(name)).isFile() && QFileInfo(m_paths.templateIni(name)).isFile()
                ? TemplateFiles::Import::Done
                : TemplateFiles::Import::Incomplete;
        else
            result = TemplateFiles::importFrom(m_paths, chosen, kind());
    });
    if (!copied) {
        m_ui.SgSet->setFocus();
        return;
    }
    if (result == TemplateFiles::Import::Incomplete) {
        messages.warn(QStringLiteral("模版文件不全！"));
        m_ui.SgSet->setFocus();
        return;
    }

    if (existing < 0) {
        {
            const QSignalBlocker block(list);
            list->insertItem(0, name);
            list->setCurrentRow(0);
        }
        writeOrder();
    } else {
        const QSignalBlocker block(list);
        list->setCurrentRow(existing);
    }
    loadSelected();
    messages.info(QStringLiteral("模版导入完成！"));
    m_ui.SgSet->setFocus();
}

// --- Upgrade ---------------------------------------------------------------------------------

void TemplateManager::upgrade()
{
    MessageService &messages = MessageService::instance();
    const QString notNeeded = QStringLiteral("这个模版目前不需要升级！");
    ItemTable table = TemplateGrid::read(m_ui.SgSet);
    auto append = [&table](const QString &tail) {
        const QString row = QString::number(table.rowCount()) + tail;
        table.rows().append(row.split(u','));
    };
    // The barcode rows a user added are no part of the item set an upgrade
    // brings up to date.
    int rows = table.rowCount();
    for (const QString &item : ItemTable::optionalItems(kind()))
        if (table.findItem(item) >= 0)
            --rows;
    switch (kind()) {
    case ItemTable::Express:
        if (rows == kCurrentExpressRows) {
            messages.warn(notNeeded);
            return;
        }
        for (const QString &item : kExpressAdditions)
            if (table.findItem(item) < 0)
                append(QStringLiteral(",") + item + kExpressAdditionTail);
        break;
    case ItemTable::Delivery:
        if (rows == kCurrentDeliveryRows) {
            messages.warn(notNeeded);
            return;
        }
        for (const QString &tail : kDeliveryAdditions)
            append(tail);
        break;
    default:
        messages.warn(notNeeded);
        return;
    }
    TemplateGrid::write(m_ui.SgSet, table);
    if (m_ui.SgSet->rowCount() > 0)
        m_ui.SgSet->setCurrentCell(m_ui.SgSet->rowCount() - 1, std::max(0, m_ui.SgSet->currentColumn()));
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    if (guarded([&] { TemplateGrid::read(m_ui.SgSet).save(m_paths.templateSet(name)); }))
        messages.info(QStringLiteral("本模版升级完成！\r\n\r\n增加的打印项目默认在最后部分\r\n"
                                     "可以根据需要将打印项目设置行向上拖动到前面。"));
}

// --- Reorder by dragging -----------------------------------------------------------------

QMimeData *TemplateManager::entryDragData(int row) const
{
    auto *data = new QMimeData;
    // The process and this list: a drop is taken only from a drag of its own.
    const QByteArray origin
        = QByteArray::number(QCoreApplication::applicationPid()) + ':' + QByteArray::number(quintptr(this)) + ':';
    data->setData(kEntryFormat, origin + QByteArray::number(row));
    if (row >= 0 && row < m_ui.LBoxModel->count())
        data->setText(m_ui.LBoxModel->item(row)->text());
    return data;
}

int TemplateManager::draggedRow(const QMimeData *data) const
{
    if (!data || !data->hasFormat(kEntryFormat))
        return -1;
    const QList<QByteArray> parts = data->data(kEntryFormat).split(':');
    if (parts.size() != 3 || parts[0] != QByteArray::number(QCoreApplication::applicationPid())
        || parts[1] != QByteArray::number(quintptr(this)))
        return -1;
    bool ok = false;
    const int row = parts[2].toInt(&ok);
    return ok && row >= 0 && row < m_ui.LBoxModel->count() ? row : -1;
}

bool TemplateManager::moveEntry(int from, int to)
{
    QListWidget *list = m_ui.LBoxModel;
    if (from < 0 || to < 0 || from >= list->count() || to >= list->count())
        return false;
    // The same template stays selected: nothing is loaded again.
    const QSignalBlocker block(list);
    if (from != to)
        list->insertItem(to, list->takeItem(from));
    list->setCurrentRow(to);
    return true;
}

void TemplateManager::dragEnded()
{
    writeOrder();
    m_mark->hide();
    m_pressRow = -1;
}

void TemplateManager::markEntry(const QPoint &pos)
{
    QListWidget *list = m_ui.LBoxModel;
    const QModelIndex index = list->indexAt(pos);
    if (!index.isValid()) {
        m_mark->hide();
        return;
    }
    m_mark->setGeometry(list->visualRect(index));
    m_mark->show();
}

void TemplateManager::startDrag(int row)
{
    const QString before = m_loadedBeforeDrag;
    auto *drag = new QDrag(m_ui.LBoxModel);
    drag->setMimeData(entryDragData(row));
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    dragEnded();
    // The press selected the entry it grabbed: when that is not the template
    // the editor shows, the editor follows the selection.
    if (!selectedName().isEmpty() && selectedName() != before)
        loadSelected();
}

bool TemplateManager::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_ui.LBoxModel->viewport())
        return false;
    QListWidget *list = m_ui.LBoxModel;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_pressRow = -1;
        if (mouse->button() == Qt::LeftButton) {
            m_pressPos = mouse->position().toPoint();
            m_pressRow = list->indexAt(m_pressPos).row();
            m_loadedBeforeDrag = selectedName();
        }
        return false;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_pressRow < 0 || !(mouse->buttons() & Qt::LeftButton))
            return false;
        // Moves of a pressed entry belong to the drag; the list would move
        // its selection along with the pointer instead.
        if ((mouse->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            const int row = m_pressRow;
            m_pressRow = -1;
            startDrag(row);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_pressRow = -1;
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (draggedRow(drag->mimeData()) < 0)
            return false;
        markEntry(drag->position().toPoint());
        drag->setDropAction(Qt::MoveAction);
        drag->accept();
        return true;
    }
    case QEvent::DragLeave:
        m_mark->hide();
        return false;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const int from = draggedRow(drop->mimeData());
        if (from < 0)
            return false;
        const QModelIndex target = list->indexAt(drop->position().toPoint());
        if (target.isValid())
            moveEntry(from, target.row());
        m_mark->hide();
        drop->setDropAction(Qt::MoveAction);
        drop->accept();
        return true;
    }
    default:
        return false;
    }
}

} // namespace Slipdesk
