#pragma once

// Full widget headers, as a generated form header has them: code that uses
// the members needs the complete types.
#include "platform/ui/ClickLabel.h"
#include "platform/ui/RadioGroup.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QWidget>

namespace Slipdesk {

// The widgets of the "出库发货" tab, named as the form names them. Creates
// and lays out only; no signal is connected here.
class DeliveryTabUi
{
public:
    // Builds the tab into `page` (named "TabFhdPrn").
    void setupUi(QWidget *page);

    QWidget *TabFhdPrn = nullptr;
    QLabel *LblShopName = nullptr;
    QComboBox *CmbInvoice = nullptr;
    QLineEdit *EdtInvNo = nullptr;
    QDateEdit *DTPSender = nullptr;
    ClickLabel *LblInvAutoAdd = nullptr; // 一键填写
    QComboBox *CmbInvAddtype = nullptr;
    QLabel *LblBuyerName = nullptr;
    QComboBox *CmbBuyerName = nullptr;
    QLabel *LblBuyerNickName = nullptr;
    QComboBox *CmbBuyerWW = nullptr;
    QLabel *LblbuyerMobile = nullptr;
    QLineEdit *EdtBuyerMobile = nullptr;
    QLabel *LblbuyerTel = nullptr;
    QLineEdit *EdtBuyerTel = nullptr;
    QLabel *LblBuyerAdd = nullptr;
    QLineEdit *EdtAddSs = nullptr;
    QLineEdit *EdtAddDs = nullptr;
    QLineEdit *EdtAddQx = nullptr;
    QLineEdit *EdtAddress = nullptr;
    QLabel *LblBuyerYb = nullptr;
    QLineEdit *EdtBuyerYb = nullptr;
    QTableWidget *SGGoods = nullptr;
    QLabel *LblSumCount = nullptr;
    QLineEdit *EdtPostPrice = nullptr;
    QLineEdit *EdtMoneySumXx = nullptr;
    QLineEdit *EdtInvTotalJE = nullptr;
    QLabel *LblSalerSay = nullptr;
    QComboBox *CmbSalerSay = nullptr;
    QLabel *LblSalerShop = nullptr;
    QLineEdit *EdtSalerShopWeb = nullptr;
    QLabel *LblSalerAdd = nullptr;
    QLineEdit *EdtSalerAdd = nullptr;
    QLabel *LblSalerName = nullptr;
    QComboBox *CmbSalerName = nullptr;
    QLabel *LblSalerNickName = nullptr;
    QLineEdit *EdtSalerWW = nullptr;
    QLabel *LblSalerMobile = nullptr;
    QLineEdit *EdtSalerTel = nullptr;
    QLabel *LblInvEms = nullptr;
    QComboBox *CmbEmsCompany = nullptr;
    QLabel *LblEmsNo = nullptr;
    QLineEdit *EdtInvEmsNo = nullptr;
    QPushButton *BtnInvoicePrn = nullptr;
    QPushButton *BtnInvoicePreview = nullptr;
    QPushButton *BtnInvoiceTskPrn = nullptr;
    QPushButton *BtnInvTskData = nullptr;
    QToolButton *RzMenuBtnOutQuery = nullptr;
    QMenu *MenuOutQuery = nullptr;
    QAction *NQueryLog = nullptr; // 打印记录
    QAction *NQuerySales = nullptr; // 销售统计
    QToolButton *RzMBtnOutMoreData = nullptr;
    QMenu *MenuOutMoreData = nullptr;
    QAction *NOutGoods = nullptr; // 商品资料
    QAction *NOutUnit = nullptr; // 计量单位
    QAction *NOutInRemark = nullptr; // 入库备注
    QAction *NOutOutRemark = nullptr; // 出库备注
    QAction *NOutSjdw = nullptr; // 收件单位
    QAction *NOutJjdw = nullptr; // 寄件单位
    QGroupBox *GBoxInvoiceTsk = nullptr; // 批量打印, shown during a batch run
    QSpinBox *SpinEditInvTsk = nullptr;
    QLabel *LblInvTatol = nullptr;
};

} // namespace Slipdesk
