#pragma once

// Full widget headers, as a generated form header has them: code that uses
// the members needs the complete types.
#include "platform/ui/ClickLabel.h"
#include "platform/ui/PageControl.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QWidget>

namespace Slipdesk {

// The widgets of the "快递打印" tab, named as the window logic addresses
// them. Creates and lays out only; no signal is connected here.
class ExpressTabUi
{
public:
    // Builds the tab into `page` (named "TabEmsPrn").
    void setupUi(QWidget *page);

    // The eleven marker check boxes in box order (group 1, 2, 3).
    QList<QCheckBox *> markerBoxes() const;
    // GBox1, GBox2, GBox3.
    QList<QGroupBox *> markerGroups() const;
    // The four labels that open a print-format menu: date, amount, cash on
    // delivery, insured value.
    QList<ClickLabel *> formatLabels() const;
    // The six money fields, shown as 1,234.50 once left.
    QList<QLineEdit *> amountFields() const;

    QWidget *TabEmsPrn = nullptr;
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
    QAction *NFromSjdw = nullptr; // 收件单位
    QAction *NFromJjdw = nullptr; // 寄件单位
    QToolButton *RzMBtnMoreData = nullptr;
    QMenu *MenuMoreData = nullptr;
    QAction *NSjdwBm = nullptr; // 收件部门
    QAction *NSjrCw = nullptr; // 收件称谓
    QAction *NSjrSy = nullptr; // 收件语
    QAction *NLetterWP = nullptr; // 信函物品
    QAction *NLetterLy = nullptr; // 信函留言
    QToolButton *RzMBtnSysSet = nullptr;
    QMenu *MenuSysSet = nullptr;
    QAction *NAbout = nullptr; // 关于...
    QGroupBox *GroupBTsk = nullptr; // 批量打印, shown during a batch run
    QSpinBox *SpinEditTsk = nullptr;
    QLabel *LblAllTsk = nullptr;

    QGroupBox *GBoxSjr = nullptr; // recipient block
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
    ClickLabel *LblAutoAdd = nullptr; // 一键填写
    QComboBox *CmbAddType = nullptr;

    PageControl *PageControlFjxx = nullptr;
    QWidget *TabJjdw = nullptr; // 寄件单位
    QWidget *TabSjdw = nullptr; // 收件单位
    QWidget *TabXhxx = nullptr; // 信函信息
    QWidget *TabWpxx = nullptr; // 物品信息
    QWidget *TabXxsz = nullptr; // 选项设置

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
    ClickLabel *StaticTextDate = nullptr; // 信函日期; click opens the date-format menu
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
    ClickLabel *LblJe = nullptr; // 金额; click opens the capital-format menu
    QLineEdit *EdtWpJe = nullptr;
    ClickLabel *LblDSHK = nullptr; // 代收货款
    QLineEdit *EdtDshk = nullptr;
    ClickLabel *LblBJJE = nullptr; // 保价金额
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

private:
    void setupSenderPage();
    void setupRecipientPage();
    void setupLetterPage();
    void setupGoodsPage();
    void setupOptionsPage();
};

} // namespace Slipdesk
