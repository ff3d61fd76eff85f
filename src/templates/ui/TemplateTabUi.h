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

// The widgets of the "模版设置" tab, named as the form names them. Creates
// and lays out only; no signal is connected here.
class TemplateTabUi
{
public:
    // Builds the tab into `page` (named "TabPrnSet").
    void setupUi(QWidget *page);

    QWidget *TabPrnSet = nullptr;
    QComboBox *CmbModelType = nullptr;
    QListWidget *LBoxModel = nullptr;
    QToolButton *RzMBtnMoreFunc = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *N6 = nullptr; // 增加模版 (tag 0)
    QAction *N7 = nullptr; // 复制模版 (tag 1)
    QAction *N20 = nullptr; // separator
    QAction *NOut = nullptr; // 导入模版
    QAction *NInput = nullptr; // 导出模版
    QAction *N3 = nullptr; // separator
    QAction *MReName = nullptr; // 更改名称
    QAction *N1 = nullptr; // separator, hidden
    QAction *NUpdate = nullptr; // 升级模版, hidden
    QAction *N5 = nullptr; // separator
    QAction *MDeleteM = nullptr; // 删除模版
    QTableWidget *SgSet = nullptr;
    QSpinBox *SpinEdit1 = nullptr; // in-cell number editor over SgSet
    QComboBox *CmbSgSelect = nullptr; // in-cell list editor over SgSet
    QGroupBox *GBoxPrinter = nullptr;
    QComboBox *CmbPrn = nullptr;
    RadioGroup *RGPaperFX = nullptr;
    RadioGroup *RGPaperSize = nullptr;
    QComboBox *CmbPaperList = nullptr;
    QComboBox *CmbLabelPaper = nullptr; // label paper sizes, with "默认"
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
};

} // namespace Slipdesk
