#include "TFRMDataUi.h"

#include "platform/ui/FormBuilder.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Slipdesk {

using namespace FormBuilder;

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &text, const QString &hint = QString())
{
    auto *b = create<QPushButton>(parent, name);
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout *row(QWidget *page)
{
    auto *h = new QHBoxLayout(page);
    h->setContentsMargins(6, 4, 6, 4);
    return h;
}

} // namespace

void TFRMDataUi::setupUi(QWidget *window)
{
    window->setObjectName(QStringLiteral("FRMData"));
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(15);
    window->setFont(font);
    auto *v = new QVBoxLayout(window);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    SD_NEW(PageCData, window);
    PageCData->setOwnerDraw(true);
    PageCData->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    v->addWidget(PageCData);

    // 数据管理
    SD_NEW(TabData, PageCData);
    const QString editHint = QStringLiteral("增加，插入，删除，导入数据后必须保存才能生效");
    BtnAddRow = button(TabData, "BtnAddRow", QStringLiteral("增加(&A)"), editHint);
    BtnInsertRow = button(TabData, "BtnInsertRow", QStringLiteral("插入(&C)"), editHint);
    BtnDelRow = button(TabData, "BtnDelRow", QStringLiteral("删除(&D)"), editHint);
    BtnSaveSg = button(TabData, "BtnSaveSg", QStringLiteral("保存(&S)"), editHint);
    BtnQuerySg = button(TabData, "BtnQuerySg", QStringLiteral("查找(&Q)"));
    BtnOutSg = button(TabData, "BtnOutSg", QStringLiteral("导出(&O)"));
    BtnInputSg = button(TabData, "BtnInputSg", QStringLiteral("导入(&I)"), editHint);
    BtnCheck = button(TabData, "BtnCheck", QStringLiteral("检查(&F)"));
    BtnAgainPrn = button(TabData, "BtnAgainPrn", QStringLiteral("重打(&P)"));
    BtnDeleteAll = button(TabData, "BtnDeleteAll", QStringLiteral("清空(&K)"));
    {
        QHBoxLayout *h = row(TabData);
        for (QPushButton *b : dataButtons())
            h->addWidget(b);
        h->addStretch(1);
    }
    PageCData->addTab(TabData, QStringLiteral("数据管理"));

    // 批量打印
    SD_NEW(TabBatch, PageCData);
    {
        QHBoxLayout *h = row(TabBatch);
        SD_NEW(GrpTskRange, TabBatch);
        GrpTskRange->setTitle(QStringLiteral("批打记录范围"));
        auto *g = new QHBoxLayout(GrpTskRange);
        SD_NEW(EdtTskStartNo, GrpTskRange);
        SD_NEW(EdtTskEndNo, GrpTskRange);
        for (QLineEdit *e : {EdtTskStartNo, EdtTskEndNo})
            e->setFixedWidth(80);
        g->addWidget(new QLabel(QStringLiteral("序号:"), GrpTskRange));
        g->addWidget(new QLabel(QStringLiteral("从"), GrpTskRange));
        g->addWidget(EdtTskStartNo);
        g->addWidget(new QLabel(QStringLiteral("至"), GrpTskRange));
        g->addWidget(EdtTskEndNo);
        BtnStartTsk = button(GrpTskRange, "BtnStartTsk", QStringLiteral("开始批打"));
        g->addWidget(BtnStartTsk);
        h->addWidget(GrpTskRange);
        SD_NEW(ChbContinuePrint, TabBatch);
        ChbContinuePrint->setText(QStringLiteral("一次性将所有数据发送到打印机"));
        h->addWidget(ChbContinuePrint);
        h->addStretch(1);
    }
    PageCData->addTab(TabBatch, QStringLiteral("批量打印"));

    // 查询统计
    SD_NEW(TabQuery, PageCData);
    {
        QHBoxLayout *h = row(TabQuery);
        SD_NEW(GrpSales, TabQuery);
        GrpSales->setTitle(QStringLiteral("销售统计"));
        auto *g = new QHBoxLayout(GrpSales);
        SD_NEW(DtpGroupStart, GrpSales);
        SD_NEW(DtpGroupEnd, GrpSales);
        for (QDateEdit *d : {DtpGroupStart, DtpGroupEnd})
            makeDate(d);
        g->addWidget(new QLabel(QStringLiteral("日期范围"), GrpSales));
        g->addWidget(DtpGroupStart);
        g->addWidget(new QLabel(QStringLiteral("至"), GrpSales));
        g->addWidget(DtpGroupEnd);
        BtnGroupQuery = button(GrpSales, "BtnGroupQuery", QStringLiteral("汇总统计"),
            QStringLiteral("按照商品编码分类，对指定日期范围内的商品销售进行数量，收入，成本，毛利的统计。"));
        g->addWidget(BtnGroupQuery);
        h->addWidget(GrpSales);
        h->addStretch(1);
    }
    PageCData->addTab(TabQuery, QStringLiteral("查询统计"));

    // 汇总联查: kept for the page order; its tab never shows.
    SD_NEW(TabLink, PageCData);
    PageCData->addTab(TabLink, QStringLiteral("汇总联查"));

    SD_NEW(Splitter1, window);
    Splitter1->setOrientation(Qt::Vertical);
    Splitter1->setChildrenCollapsible(false);
    SD_NEW(SgData, Splitter1);
    SD_NEW(SGDetail, Splitter1);
    Splitter1->addWidget(SgData);
    Splitter1->addWidget(SGDetail);
    v->addWidget(Splitter1, 1);

    SD_NEW(CmbGoodsSelect, SgData->viewport());
    CmbGoodsSelect->hide();
}

QList<QPushButton *> TFRMDataUi::dataButtons() const
{
    return {BtnAddRow, BtnInsertRow, BtnDelRow, BtnSaveSg, BtnQuerySg, BtnOutSg, BtnInputSg, BtnCheck, BtnAgainPrn,
        BtnDeleteAll};
}

} // namespace Slipdesk
