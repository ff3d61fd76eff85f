#include "TemplateTabUi.h"

#include "platform/ui/FormBuilder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Slipdesk {

using namespace FormBuilder;

// ---------------------------------------------------------------- 模版设置

void TemplateTabUi::setupUi(QWidget *page)
{
    TabPrnSet = page;
    QWidget *p = TabPrnSet;
    auto *h = new QHBoxLayout(p);
    h->setContentsMargins(6, 6, 6, 6);

    // Template list and management.
    auto *left = new QVBoxLayout;
    h->addLayout(left);
    SD_NEW(CmbModelType, p);
    makePickOnly(CmbModelType);
    CmbModelType->addItems(
        {QStringLiteral("信函快递单模版"), QStringLiteral("出库发货单模版"), QStringLiteral("采购入库单模版")});
    left->addWidget(CmbModelType);
    SD_NEW(LBoxModel, p);
    LBoxModel->setToolTip(QStringLiteral("可以用鼠标拖动模版名称来调整模版的上下顺序。"));
    LBoxModel->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    left->addWidget(LBoxModel, 1);

    SD_NEW(RzMBtnMoreFunc, p);
    PopupMenu1 = makeMenu(RzMBtnMoreFunc, "PopupMenu1");
    N6 = addEntry(PopupMenu1, "N6", QStringLiteral("增加模版"));
    N6->setData(0);
    N7 = addEntry(PopupMenu1, "N7", QStringLiteral("复制模版"));
    N7->setData(1);
    N20 = addSeparator(PopupMenu1, "N20");
    NOut = addEntry(PopupMenu1, "NOut", QStringLiteral("导入模版"));
    NInput = addEntry(PopupMenu1, "NInput", QStringLiteral("导出模版"));
    N3 = addSeparator(PopupMenu1, "N3");
    MReName = addEntry(PopupMenu1, "MReName", QStringLiteral("更改名称"));
    N1 = addSeparator(PopupMenu1, "N1");
    NUpdate = addEntry(PopupMenu1, "NUpdate", QStringLiteral("升级模版"));
    N5 = addSeparator(PopupMenu1, "N5");
    MDeleteM = addEntry(PopupMenu1, "MDeleteM", QStringLiteral("删除模版"));
    N1->setVisible(false);
    NUpdate->setVisible(false);
    makeMenuButton(RzMBtnMoreFunc, QStringLiteral("更多功能"), PopupMenu1);
    left->addWidget(RzMBtnMoreFunc);
    CmbModelType->setFixedWidth(160);
    LBoxModel->setFixedWidth(160);
    RzMBtnMoreFunc->setFixedWidth(160);

    // Item grid. The in-cell editors are siblings of the grid, laid over a
    // cell by the logic and hidden otherwise.
    SD_NEW(SgSet, p);
    makeGrid(SgSet,
        {QStringLiteral("序号"), QStringLiteral("打印项目"), QStringLiteral("是否打印"), QStringLiteral("距左端"),
            QStringLiteral("距上端"), QStringLiteral("宽度"), QStringLiteral("间距"), QStringLiteral("字号"),
            QStringLiteral("字体"), QStringLiteral("自动缩小"), QStringLiteral("换行方式")},
        0, {36, 100, 60, 50, 50, 44, 40, 40, 64, 60, 64});
    h->addWidget(SgSet, 1);
    SD_NEW(SpinEdit1, p);
    SpinEdit1->setRange(-99999, 99999);
    SpinEdit1->hide();
    SD_NEW(CmbSgSelect, p);
    makePickOnly(CmbSgSelect);
    CmbSgSelect->hide();

    // Printer, paper and offset.
    auto *right = new QVBoxLayout;
    h->addLayout(right);

    SD_NEW(GBoxPrinter, p);
    GBoxPrinter->setTitle(QStringLiteral("打印机和纸张"));
    auto *pg = new QVBoxLayout(GBoxPrinter);
    SD_NEW(CmbPrn, GBoxPrinter);
    makePickOnly(CmbPrn);
    pg->addWidget(CmbPrn);
    SD_NEW(RGPaperFX, GBoxPrinter);
    RGPaperFX->setTitle(QStringLiteral("进纸方向"));
    RGPaperFX->setItems({QStringLiteral("横向进纸"), QStringLiteral("纵向进纸")});
    RGPaperFX->setColumns(2);
    RGPaperFX->setItemIndex(0);
    pg->addWidget(RGPaperFX);
    SD_NEW(RGPaperSize, GBoxPrinter);
    RGPaperSize->setTitle(QStringLiteral("纸张尺寸"));
    RGPaperSize->setItems({QStringLiteral("A4"), QStringLiteral("A3"), QStringLiteral("默认"), QStringLiteral("其他")});
    RGPaperSize->setColumns(4);
    RGPaperSize->setItemIndex(0);
    pg->addWidget(RGPaperSize);
    SD_NEW(CmbPaperList, GBoxPrinter);
    makePickOnly(CmbPaperList);
    CmbPaperList->setEnabled(false);
    pg->addWidget(CmbPaperList);
    SD_NEW(CmbLabelPaper, GBoxPrinter);
    makePickOnly(CmbLabelPaper);
    CmbLabelPaper->setToolTip(QStringLiteral("电子面单标签纸：选择后纸张尺寸为“默认”，按所选尺寸打印。"));
    auto *labelRow = new QHBoxLayout;
    labelRow->addWidget(caption(GBoxPrinter, QStringLiteral("标签纸"), CmbLabelPaper));
    labelRow->addWidget(CmbLabelPaper, 1);
    pg->addLayout(labelRow);
    right->addWidget(GBoxPrinter);

    SD_NEW(GBoxMove, p);
    GBoxMove->setTitle(QStringLiteral("整体移动"));
    GBoxMove->setToolTip(QStringLiteral("整体移动的值，在带背景图片预览时是不计算在内的。但实际打印时会计算在内。"));
    auto *mg = new QGridLayout(GBoxMove);
    SD_FIELD(EdtMoveX, GBoxMove, mg, {0, 0}, QStringLiteral("水平"));
    EdtMoveX->setText(QStringLiteral("0"));
    SD_FIELD(EdtMoveY, GBoxMove, mg, {1, 0}, QStringLiteral("垂直"));
    EdtMoveY->setText(QStringLiteral("0"));
    SD_FIELD(CmbMoveLength, GBoxMove, mg, {2, 0}, QStringLiteral("步长"), makePickOnly);
    CmbMoveLength->addItems({QStringLiteral("1厘米"), QStringLiteral("1毫米"), QStringLiteral("0.1毫米")});
    CmbMoveLength->setCurrentIndex(1);
    auto nudge = [&](QPushButton *&b, const char *name, const QString &arrow) {
        b = create<QPushButton>(GBoxMove, name);
        b->setText(arrow);
        b->setFixedSize(32, 26);
    };
    nudge(BtnMoveYUp, "BtnMoveYUp", QStringLiteral("↑"));
    nudge(BtnMoveYDown, "BtnMoveYDown", QStringLiteral("↓"));
    nudge(BtnMoveXLeft, "BtnMoveXLeft", QStringLiteral("←"));
    nudge(BtnMoveXRight, "BtnMoveXRight", QStringLiteral("→"));
    auto *pad = new QGridLayout;
    pad->setSpacing(2);
    pad->addWidget(BtnMoveYUp, 0, 1);
    pad->addWidget(BtnMoveXLeft, 1, 0);
    pad->addWidget(BtnMoveXRight, 1, 2);
    pad->addWidget(BtnMoveYDown, 2, 1);
    mg->addLayout(pad, 3, 0, 1, 2, Qt::AlignHCenter);
    right->addWidget(GBoxMove);

    SD_NEW(BtnSaveM, p);
    BtnSaveM->setText(QStringLiteral("保存(&S)"));
    BtnSaveM->setToolTip(
        QStringLiteral("不同信函模版的设置是独立的。修改了模板设置的内容，必须进行保存后才一直生效。"));
    SD_NEW(BtnPreviewM, p);
    BtnPreviewM->setText(QStringLiteral("预览(V)"));
    auto *bh = new QHBoxLayout;
    bh->addWidget(BtnSaveM);
    bh->addWidget(BtnPreviewM);
    right->addLayout(bh);

    SD_NEW(LblLengthUnit, p);
    LblLengthUnit->setText(QStringLiteral("各种长度单位：0.1毫米。100=1厘米。"));
    LblLengthUnit->setWordWrap(true);
    right->addWidget(LblLengthUnit);
    right->addStretch(1);

    GBoxPrinter->setFixedWidth(220);
    GBoxMove->setFixedWidth(220);
    LblLengthUnit->setFixedWidth(220);
}

} // namespace Slipdesk
