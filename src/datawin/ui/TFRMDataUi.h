#pragma once

#include "datawin/ui/DataGrid.h"
#include "platform/ui/PageControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QWidget>

namespace Slipdesk {

// The widgets of the data window ("FRMData"), named as the form names them.
// Creates and lays out only; no signal is connected here.
class TFRMDataUi
{
public:
    void setupUi(QWidget *window);

    enum Page { DataPage = 0, BatchPage = 1, QueryPage = 2, LinkPage = 3 };

    PageControl *PageCData = nullptr;
    QWidget *TabData = nullptr; // 数据管理
    QWidget *TabBatch = nullptr; // 批量打印
    QWidget *TabQuery = nullptr; // 查询统计
    QWidget *TabLink = nullptr; // 汇总联查, never shown

    QPushButton *BtnAddRow = nullptr;
    QPushButton *BtnInsertRow = nullptr;
    QPushButton *BtnDelRow = nullptr;
    QPushButton *BtnSaveSg = nullptr;
    QPushButton *BtnQuerySg = nullptr;
    QPushButton *BtnOutSg = nullptr;
    QPushButton *BtnInputSg = nullptr;
    QPushButton *BtnCheck = nullptr;
    QPushButton *BtnAgainPrn = nullptr;
    QPushButton *BtnDeleteAll = nullptr;

    QGroupBox *GrpTskRange = nullptr; // 批打记录范围
    QLineEdit *EdtTskStartNo = nullptr;
    QLineEdit *EdtTskEndNo = nullptr;
    QPushButton *BtnStartTsk = nullptr;
    QCheckBox *ChbContinuePrint = nullptr;

    QGroupBox *GrpSales = nullptr; // 销售统计
    QDateEdit *DtpGroupStart = nullptr;
    QDateEdit *DtpGroupEnd = nullptr;
    QPushButton *BtnGroupQuery = nullptr;

    QSplitter *Splitter1 = nullptr;
    DataGrid *SgData = nullptr;
    DataGrid *SGDetail = nullptr;
    QComboBox *CmbGoodsSelect = nullptr;

    QList<QPushButton *> dataButtons() const;
};

} // namespace Slipdesk
