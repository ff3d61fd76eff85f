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

// The widgets of the "采购入库" tab, named as the form names them. Creates
// and lays out only; no signal is connected here.
class InboundTabUi
{
public:
    // Builds the tab into `page` (named "TabSheet2").
    void setupUi(QWidget *page);

    QWidget *TabSheet2 = nullptr;
    QLabel *LblInputShop = nullptr;
    QComboBox *CmbInputModel = nullptr;
    QLabel *LblInputJbr = nullptr;
    QComboBox *CmbInputJbr = nullptr;
    QLabel *LblInputType = nullptr;
    QComboBox *CmbInputType = nullptr;
    QLabel *LblInputDate = nullptr;
    QDateEdit *DtpInputDate = nullptr;
    QLabel *LblInputNo = nullptr;
    QLineEdit *EdtInputNo = nullptr;
    QTableWidget *SgInput = nullptr;
    QLabel *LblInputSumCount = nullptr;
    QLineEdit *EdtInputSumMoney = nullptr;
    QPushButton *BtnInputPrn = nullptr;
    QPushButton *BtnInputPreV = nullptr;
    QPushButton *BtnInputPrnLog = nullptr;
    QToolButton *RzMBInput = nullptr;
    QMenu *MenuInMoreData = nullptr;
    QAction *NInGoods = nullptr; // 商品资料
    QAction *NInUnit = nullptr; // 计量单位
    QAction *NInInRemark = nullptr; // 入库备注
    QAction *NInInType = nullptr; // 入库类别
    QAction *NInOutRemark = nullptr; // 出库备注
    QAction *NInSjdw = nullptr; // 收件单位
    QAction *NInJjdw = nullptr; // 寄件单位
};

} // namespace Slipdesk
