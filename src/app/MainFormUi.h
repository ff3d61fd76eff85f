#pragma once

// Full widget headers, as a generated form header has them: code that uses
// the members needs the complete types.
#include "app/PageControl.h"
#include "app/RadioGroup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QWidget>

namespace Slipdesk {

// Widget tree of the main window: every tab, sub-tab and control, named as the
// window logic addresses them. Creates and lays out only; no signal is
// connected here.
class MainFormUi
{
public:
    void setupUi(QMainWindow *form);

    // The eleven marker check boxes in box order (group 1, 2, 3).
    QList<QCheckBox *> markerBoxes() const;
    // GBox1, GBox2, GBox3.
    QList<QGroupBox *> markerGroups() const;

    // ---- form level ----
    QWidget *centralWidget = nullptr;
    PageControl *PageControlMain = nullptr;
    QWidget *TabEmsPrn = nullptr;   // 快递打印
    QWidget *TabFhdPrn = nullptr;   // 出库发货
    QWidget *TabSheet2 = nullptr;   // 采购入库
    QWidget *TabPrnSet = nullptr;   // 模版设置
    QLabel *StSoftHelp = nullptr;   // 在线帮助 (corner of the main tabs)
    // Floating pop-ups, hidden until the logic places them over a control.
    QListWidget *LboxCmbQuery = nullptr; // recipient look-up list
    QTableWidget *SgQuery = nullptr;     // goods picker

    // ---- 快递打印 ----
    QLabel *LblLetterSelect = nullptr;
    QComboBox *CmbLetterSelect = nullptr;
    QLabel *LblLetterNo = nullptr;
    QLineEdit *EdtEmsNo = nullptr;
    QPushButton *BtnPrint = nullptr;
    QPushButton *BtnPreview = nullptr;
    QPushButton *BtnTskSave = nullptr;
    QPushButton *BtnTskData = nullptr;
    QPushButton *BtnPrnLog = nullptr;
    QToolButton *RzMBtnFromToDw = nullptr;
    QMenu *MenuFromToDw = nullptr;
    QAction *NFromSjdw = nullptr;   // 收件单位
    QAction *NFromJjdw = nullptr;   // 寄件单位
    QToolButton *RzMBtnMoreData = nullptr;
    QMenu *MenuMoreData = nullptr;
    QAction *NSjdwBm = nullptr;     // 收件部门
    QAction *NSjrCw = nullptr;      // 收件称谓
    QAction *NSjrSy = nullptr;      // 收件语
    QAction *NLetterWP = nullptr;   // 信函物品
    QAction *NLetterLy = nullptr;   // 信函留言
    QToolButton *RzMBtnSysSet = nullptr;
    QMenu *MenuSysSet = nullptr;
    QAction *NAbout = nullptr;      // 关于...
    QGroupBox *GroupBTsk = nullptr; // 批量打印, shown during a batch run
    QSpinBox *SpinEditTsk = nullptr;
    QLabel *LblAllTsk = nullptr;

    QGroupBox *GBoxSjr = nullptr;   // recipient block
    QComboBox *CmbSjrMc = nullptr;
    QComboBox *CmbSjrCw = nullptr;
    QComboBox *CmbSjrSy = nullptr;
    QComboBox *CmbSjdwMc = nullptr;
    QComboBox *CmbSjdwBm = nullptr;
    QLineEdit *EdtSjDwSs = nullptr;
    QLineEdit *EdtSjDwDs = nullptr;
    QLineEdit *EdtSjDwQx = nullptr;
    QLineEdit *EdtSjDwDz = nullptr;
    QLineEdit *EdtSjDwTel = nullptr;
    QLineEdit *EdtSjdwYb = nullptr;
    QLineEdit *EdtTo = nullptr;
    QLabel *LblAutoAdd = nullptr;   // 一键填写
    QComboBox *CmbAddType = nullptr;

    PageControl *PageControlFjxx = nullptr;
    QWidget *TabJjdw = nullptr;     // 寄件单位
    QWidget *TabSjdw = nullptr;     // 收件单位
    QWidget *TabXhxx = nullptr;     // 信函信息
    QWidget *TabWpxx = nullptr;     // 物品信息
    QWidget *TabXxsz = nullptr;     // 选项设置

    // 寄件单位
    QComboBox *CmbJjDwMc = nullptr;
    QComboBox *CmbJjrMc = nullptr;
    QLineEdit *EdtFrom = nullptr;
    QLineEdit *EdtJjDwSs = nullptr;
    QLineEdit *EdtJjDwDs = nullptr;
    QLineEdit *EdtJjDwQx = nullptr;
    QLineEdit *EdtJjDwDz = nullptr;
    QLineEdit *EdtJjDwTel = nullptr;
    QLineEdit *EdtJjDwYb = nullptr;
    QLineEdit *EdtJjDwFax = nullptr;
    QLineEdit *EdtJjDwDm = nullptr;
    QLineEdit *EdtJjDwTax = nullptr;
    QLineEdit *EdtJjDwWeb = nullptr;
    QLineEdit *EdtJjDwBank = nullptr;
    QLineEdit *EdtJjDwBankId = nullptr;
    QLineEdit *EdtJjrTel1 = nullptr;
    QLineEdit *EdtJjrWW = nullptr;
    QLineEdit *EdtJjrMobile = nullptr;
    QLineEdit *EdtJjrPayEmail = nullptr;
    QLineEdit *EdtJjrEmail = nullptr;
    QLineEdit *EdtJjrIM = nullptr;
    QLineEdit *EdtJjDwJbrQm = nullptr;

    // 收件单位
    QLineEdit *EdtSjrWW = nullptr;
    QLineEdit *EdtSjrMobile = nullptr;
    QLineEdit *EdtSjrTel1 = nullptr;
    QLineEdit *EdtSjrPayEmail = nullptr;
    QLineEdit *EdtSjrEmail = nullptr;
    QLineEdit *EdtSjrIM = nullptr;
    QLineEdit *EdtSjDwFax = nullptr;
    QLineEdit *EdtSjDwDm = nullptr;
    QLineEdit *EdtSjDwType = nullptr;
    QLineEdit *EdtSjDwNo = nullptr;
    QLineEdit *EdtSjDwWeb = nullptr;

    // 信函信息
    QLabel *StaticTextDate = nullptr; // 信函日期; click opens the date-format menu
    QDateEdit *DateTimeP = nullptr;
    QComboBox *CmbLetterLy = nullptr;
    QGroupBox *GBox1 = nullptr;
    QGroupBox *GBox2 = nullptr;
    QGroupBox *GBox3 = nullptr;
    QCheckBox *ChbSelect1 = nullptr;
    QCheckBox *ChbSelect2 = nullptr;
    QCheckBox *ChbSelect3 = nullptr;
    QCheckBox *ChbSelect4 = nullptr;
    QCheckBox *ChbSelect5 = nullptr;
    QCheckBox *ChbSelect6 = nullptr;
    QCheckBox *ChbSelect7 = nullptr;
    QCheckBox *ChbSelect8 = nullptr;
    QCheckBox *ChbSelect9 = nullptr;
    QCheckBox *ChbSelect10 = nullptr;
    QCheckBox *Chbselect11 = nullptr;

    // 物品信息
    QLineEdit *EdtWLDD = nullptr;
    QComboBox *CmbLetterWP = nullptr;
    QLineEdit *EdtWpCount = nullptr;
    QLineEdit *EdtWpWeight = nullptr;
    QLabel *LblJe = nullptr;          // 金额; click opens the capital-format menu
    QLineEdit *EdtWpJe = nullptr;
    QLabel *LblDSHK = nullptr;        // 代收货款
    QLineEdit *EdtDshk = nullptr;
    QLabel *LblBJJE = nullptr;        // 保价金额
    QLineEdit *EdtBjje = nullptr;
    QLineEdit *EdtBF = nullptr;
    QLineEdit *EdtYF = nullptr;
    QLineEdit *EdtJJF = nullptr;

    // 选项设置
    QComboBox *CmbDefJjDw = nullptr;
    QCheckBox *ChbFgSjAddress = nullptr;
    QCheckBox *ChbFgJjAddress = nullptr;
    QCheckBox *ChbPrevShowPic = nullptr;
    QLineEdit *EdtBackPicFile = nullptr;
    QPushButton *BtnPicFile = nullptr;
    QCheckBox *ChbAutoAdd = nullptr;
    QPushButton *BtnSavePrnSet = nullptr;

    // ---- 出库发货 ----
    QLabel *LblShopName = nullptr;
    QComboBox *CmbInvoice = nullptr;
    QLineEdit *EdtInvNo = nullptr;
    QDateEdit *DTPSender = nullptr;
    QLabel *LblInvAutoAdd = nullptr;  // 一键填写
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
    QAction *NQueryLog = nullptr;     // 打印记录
    QAction *NQuerySales = nullptr;   // 销售统计
    QToolButton *RzMBtnOutMoreData = nullptr;
    QMenu *MenuOutMoreData = nullptr;
    QAction *NOutGoods = nullptr;     // 商品资料
    QAction *NOutUnit = nullptr;      // 计量单位
    QAction *NOutInRemark = nullptr;  // 入库备注
    QAction *NOutOutRemark = nullptr; // 出库备注
    QAction *NOutSjdw = nullptr;      // 收件单位
    QAction *NOutJjdw = nullptr;      // 寄件单位
    QGroupBox *GBoxInvoiceTsk = nullptr; // 批量打印, shown during a batch run
    QSpinBox *SpinEditInvTsk = nullptr;
    QLabel *LblInvTatol = nullptr;

    // ---- 采购入库 ----
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
    QAction *NInGoods = nullptr;      // 商品资料
    QAction *NInUnit = nullptr;       // 计量单位
    QAction *NInInRemark = nullptr;   // 入库备注
    QAction *NInInType = nullptr;     // 入库类别
    QAction *NInOutRemark = nullptr;  // 出库备注
    QAction *NInSjdw = nullptr;       // 收件单位
    QAction *NInJjdw = nullptr;       // 寄件单位

    // ---- 模版设置 ----
    QComboBox *CmbModelType = nullptr;
    QListWidget *LBoxModel = nullptr;
    QToolButton *RzMBtnMoreFunc = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *N6 = nullptr;        // 增加模版 (tag 0)
    QAction *N7 = nullptr;        // 复制模版 (tag 1)
    QAction *N20 = nullptr;       // separator
    QAction *NOut = nullptr;      // 导入模版
    QAction *NInput = nullptr;    // 导出模版
    QAction *N3 = nullptr;        // separator
    QAction *MReName = nullptr;   // 更改名称
    QAction *N1 = nullptr;        // separator, hidden
    QAction *NUpdate = nullptr;   // 升级模版, hidden
    QAction *N5 = nullptr;        // separator
    QAction *MDeleteM = nullptr;  // 删除模版
    QTableWidget *SgSet = nullptr;
    QSpinBox *SpinEdit1 = nullptr;    // in-cell number editor over SgSet
    QComboBox *CmbSgSelect = nullptr; // in-cell list editor over SgSet
    QGroupBox *GBoxPrinter = nullptr;
    QComboBox *CmbPrn = nullptr;
    RadioGroup *RGPaperFX = nullptr;
    RadioGroup *RGPaperSize = nullptr;
    QComboBox *CmbPaperList = nullptr;
    QGroupBox *GBoxMove = nullptr;
    QLineEdit *EdtMoveX = nullptr;
    QLineEdit *EdtMoveY = nullptr;
    QComboBox *CmbMoveLength = nullptr;
    QPushButton *BtnMoveYUp = nullptr;
    QPushButton *BtnMoveYDown = nullptr;
    QPushButton *BtnMoveXLeft = nullptr;
    QPushButton *BtnMoveXRight = nullptr;
    QPushButton *BtnSaveM = nullptr;
    QPushButton *BtnPreviewM = nullptr;
    QLabel *LblLengthUnit = nullptr;

private:
    void setupExpressTab();
    void setupSenderPage();
    void setupRecipientPage();
    void setupLetterPage();
    void setupGoodsPage();
    void setupOptionsPage();
    void setupDeliveryTab();
    void setupInboundTab();
    void setupTemplateTab();
};

} // namespace Slipdesk
