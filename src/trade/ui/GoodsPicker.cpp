#include "GoodsPicker.h"

#include "platform/ui/EventHook.h"
#include "platform/ui/GridDelegate.h"
#include "render/Amounts.h"
#include "trade/GoodsMaster.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>

#include <algorithm>
#include <array>

namespace Slipdesk {

namespace {

using Field = GoodsMaster::Field;

// Rows the list shows before it scrolls.
constexpr int kVisibleRows = 10;
constexpr int kRowHeight = 20;
// The column widths follow the widest text of the first matches only: a
// keystroke may match every line, and measuring them all would cost more
// than the search. Of those rows only the likely widest texts are measured.
constexpr int kSizedRows = 500;
constexpr int kMeasuredPerColumn = 3;
constexpr int kPosition = -1;

struct Layout
{
    QStringList header;
    QList<int> fields;
    QList<Qt::Alignment> alignments;
};

const Layout &layout(NoteKind kind)
{
    constexpr Qt::Alignment L = Qt::AlignLeft;
    constexpr Qt::Alignment C = Qt::AlignHCenter;
    constexpr Qt::Alignment R = Qt::AlignRight;
    static const Layout delivery {
        QStringLiteral("序号,商品编码,商品名称,单位,库存数量,待发数量,售价,出库备注,进价,入库备注").split(u','),
        {kPosition, Field::Code, Field::Name, Field::Unit, Field::Stock, Field::Pending, Field::SalePrice,
            Field::OutRemark, Field::CostPrice, Field::InRemark},
        {C, L, L, C, C, C, R, C, R, C}};
    static const Layout inbound {
        QStringLiteral("序号,商品编码,商品名称,单位,库存数量,进价,入库备注,售价,出库备注").split(u','),
        {kPosition, Field::Code, Field::Name, Field::Unit, Field::Stock, Field::CostPrice, Field::InRemark,
            Field::SalePrice, Field::OutRemark},
        {C, L, L, C, C, R, C, R, C}};
    return kind == NoteKind::Delivery ? delivery : inbound;
}

bool isPrice(int field)
{
    return field == Field::SalePrice || field == Field::CostPrice;
}

// The first N fields of a goods line as views; missing fields are empty.
template<std::size_t N> std::array<QStringView, N> splitLine(QStringView line)
{
    std::array<QStringView, N> out {};
    qsizetype start = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const qsizetype comma = line.indexOf(u',', start);
        const qsizetype end = comma < 0 ? line.size() : comma;
        out[i] = line.mid(start, end - start);
        if (comma < 0)
            break;
        start = comma + 1;
    }
    return out;
}

// Screen width in half-em units: wide (CJK) characters count double.
int estimatedWidth(QStringView text)
{
    int units = 0;
    for (QChar c : text)
        units += c.unicode() >= 0x2E80 ? 2 : 1;
    return units;
}

} // namespace

// The rows of the picker: one per goods line found, its columns read from the
// goods master when they are painted.
class GoodsPickerModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void reset(const GoodsMaster *goods, NoteKind kind, QList<int> positions)
    {
        beginResetModel();
        m_goods = goods;
        m_layout = &layout(kind);
        m_positions = std::move(positions);
        endResetModel();
    }

    const QList<int> &positions() const { return m_positions; }
    const GoodsMaster *goods() const { return m_goods; }
    const Layout &columns() const { return *m_layout; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_positions.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_layout->fields.size());
    }

    QString text(int row, int column) const
    {
        if (!m_goods || row < 0 || row >= m_positions.size() || column < 0 || column >= m_layout->fields.size())
            return QString();
        const int position = m_positions.at(row);
        const int field = m_layout->fields.at(column);
        if (field == kPosition)
            return QString::number(position + 1);
        const QString value = m_goods->field(position, field);
        return isPrice(field) ? formatGrouped(amountOrZero(value)) : value;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return text(index.row(), index.column());
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(m_layout->alignments.value(index.column()) | Qt::AlignVCenter);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal)
            return {};
        if (role == Qt::DisplayRole)
            return m_layout->header.value(section);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    const GoodsMaster *m_goods = nullptr;
    const Layout *m_layout = &layout(NoteKind::Delivery);
    QList<int> m_positions;
};

GoodsPicker::GoodsPicker(QWidget *area, QObject *parent)
    : QObject(parent)
    , m_area(area)
    , m_table(new QTableView(area))
    , m_model(new GoodsPickerModel(this))
    , m_delegate(new GridDelegate(m_table))
{
    setObjectName(QStringLiteral("GoodsPicker"));
    m_table->setObjectName(QStringLiteral("SgQuery"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(m_delegate);
    m_delegate->setAlignments(layout(m_kind).alignments);
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setMinimumSectionSize(16);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setTabKeyNavigation(false);
    // Taken by a click or from the grid, never by tabbing through the window.
    m_table->setFocusPolicy(Qt::ClickFocus);
    m_table->hide();

    connect(
        m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
            m_delegate->setMarkedRow(current.isValid() ? current.row() : -1);
            m_table->viewport()->update();
        });
    // A click takes the row when the list has the focus, which the press gave it.
    connect(m_table, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (!m_table->hasFocus() || !index.isValid())
            return;
        setCurrentRow(index.row());
        take();
    });
    m_wheelHook = EventHook::on(m_table->viewport(), QEvent::Wheel, [this](QEvent *event) { return wheel(event); });
}

GoodsPicker::~GoodsPicker()
{
    // The list lives on with the window area; its hook must not call back here.
    delete m_wheelHook.data();
}

QStringList GoodsPicker::header(NoteKind kind)
{
    return layout(kind).header;
}

QList<int> GoodsPicker::fields(NoteKind kind)
{
    return layout(kind).fields;
}

void GoodsPicker::fill(const GoodsMaster &goods, NoteKind kind, QList<int> positions)
{
    m_kind = kind;
    m_delegate->setAlignments(layout(kind).alignments);
    m_model->reset(&goods, kind, std::move(positions));
    sizeColumns();
    if (m_model->rowCount() > 0)
        setCurrentRow(0);
}

void GoodsPicker::show(const GoodsMaster &goods, NoteKind kind, QList<int> positions, QWidget *cellWidget,
    const QRect &cell, QObject *owner)
{
    if (positions.isEmpty()) {
        hide();
        return;
    }
    m_owner = owner;
    m_wheelRest = 0;
    m_table->setUpdatesEnabled(false);
    fill(goods, kind, std::move(positions));
    place(cellWidget, cell);
    m_table->raise();
    m_table->show();
    m_table->setUpdatesEnabled(true);
}

void GoodsPicker::hide()
{
    m_table->hide();
}

bool GoodsPicker::isShown() const
{
    return !m_table->isHidden();
}

bool GoodsPicker::isShownFor(const QObject *owner) const
{
    return isShown() && m_owner == owner;
}

int GoodsPicker::rowCount() const
{
    return m_model->rowCount();
}

int GoodsPicker::currentRow() const
{
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void GoodsPicker::setCurrentRow(int row)
{
    const int count = rowCount();
    if (count == 0)
        return;
    row = std::clamp(row, 0, count - 1);
    const QModelIndex index = m_model->index(row, 0);
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollTo(index);
}

void GoodsPicker::step(int rows)
{
    setCurrentRow(std::max(currentRow(), 0) + rows);
}

int GoodsPicker::position(int row) const
{
    return m_model->positions().value(row, -1);
}

QString GoodsPicker::text(int row, int field) const
{
    const qsizetype column = m_model->columns().fields.indexOf(field);
    return column < 0 ? QString() : m_model->text(row, int(column));
}

void GoodsPicker::take()
{
    const int row = currentRow();
    if (!isShown() || row < 0)
        return;
    Q_EMIT taken(m_owner, row);
}

void GoodsPicker::sizeColumns()
{
    const Layout &columns = m_model->columns();
    const QList<int> &positions = m_model->positions();
    const QHeaderView *header = m_table->horizontalHeader();
    const QFontMetrics cellFont = m_table->fontMetrics();
    const QFontMetrics headerFont = header->fontMetrics();
    // The header shows its text inside the style's margins.
    const int headerMargin = 2 * m_table->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int columnCount = int(columns.fields.size());

    // The likely widest texts of every column among the first rows, judged
    // by their characters; only those are measured with the font.
    struct Candidate
    {
        int units = -1;
        int row = -1;
    };
    QList<std::array<Candidate, kMeasuredPerColumn>> best(columnCount);
    const QStringList &lines = m_model->goods() ? m_model->goods()->rows() : QStringList();
    const qsizetype sized = std::min<qsizetype>(positions.size(), kSizedRows);
    for (qsizetype row = 0; row < sized; ++row) {
        const int position = positions.at(row);
        if (position < 0 || position >= lines.size())
            continue;
        const auto values = splitLine<GoodsMaster::Pending + 1>(lines.at(position));
        for (int column = 1; column < columnCount; ++column) {
            const int units = estimatedWidth(values[std::size_t(columns.fields.at(column))]);
            auto &slots = best[column];
            const auto smallest = std::min_element(
                slots.begin(), slots.end(), [](const Candidate &a, const Candidate &b) { return a.units < b.units; });
            if (units > smallest->units)
                *smallest = {units, int(row)};
        }
    }

    for (int column = 0; column < columnCount; ++column) {
        int widest = 0;
        if (column == 0) {
            // Positions ascend: the last one has the most digits.
            if (!positions.isEmpty())
                widest = cellFont.horizontalAdvance(QString::number(positions.last() + 1));
        } else {
            for (const Candidate &c : best.at(column))
                if (c.row >= 0)
                    widest = std::max(widest, cellFont.horizontalAdvance(m_model->text(c.row, column)));
        }
        const int headerWidth = headerFont.horizontalAdvance(columns.header.at(column)) + headerMargin;
        m_table->setColumnWidth(column, std::max(widest + 4, headerWidth));
    }
}

void GoodsPicker::place(QWidget *cellWidget, const QRect &cell)
{
    const QPoint at
        = m_area->mapFromGlobal(cellWidget->mapToGlobal(QPoint(cell.left(), cell.top() + cell.height() + 1)));
    const int count = rowCount();
    const int frame = 2 * m_table->frameWidth();
    int width = frame;
    for (int column = 0; column < m_model->columnCount(); ++column)
        width += m_table->columnWidth(column);
    if (count > kVisibleRows)
        width += m_table->verticalScrollBar()->sizeHint().width();
    const int roomRight = m_area->width() - at.x();
    bool scrollsSideways = false;
    if (width > roomRight && roomRight >= 200) {
        width = roomRight;
        scrollsSideways = true;
    }
    const int headerHeight = m_table->horizontalHeader()->sizeHint().height();
    int height = frame + headerHeight + std::min(count, kVisibleRows) * kRowHeight;
    if (scrollsSideways)
        height += m_table->horizontalScrollBar()->sizeHint().height();
    const int roomBelow = m_area->height() - at.y();
    const int least = frame + headerHeight + 3 * kRowHeight;
    if (height > roomBelow && roomBelow >= least)
        height = roomBelow;
    m_table->setGeometry(at.x(), at.y(), width, height);
}

bool GoodsPicker::wheel(QEvent *event)
{
    // The wheel moves the selection a row per notch and never takes a row: a
    // row is taken by a click or Enter only.
    const auto *turn = static_cast<QWheelEvent *>(event);
    m_wheelRest += turn->angleDelta().y();
    const int notches = m_wheelRest / 120;
    m_wheelRest -= notches * 120;
    if (notches != 0)
        step(-notches);
    return true;
}

} // namespace Slipdesk
