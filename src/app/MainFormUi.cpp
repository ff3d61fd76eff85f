#include "MainFormUi.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <type_traits>

namespace Slipdesk {

namespace {

template <class T>
T *create(QWidget *parent, const char *name)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

// Creates a widget of the member's type, named after the member.
#define SD_NEW(member, parent) \
    member = create<std::remove_pointer_t<decltype(member)>>(parent, #member)

// Combos the user types into. The window logic keeps the items index for
// index in step with its address lists and looks entries up itself, so Qt
// must neither add typed text as an item nor complete it inline.
void makeTyped(QComboBox *c)
{
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(4);
}

// Pick-only lists. Long entries (template or printer names) must not widen
// the form.
void makePickOnly(QComboBox *c)
{
    c->setEditable(false);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(6);
}

void makeDate(QDateEdit *d)
{
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    d->setDate(QDate::currentDate());
}

void makeReadOnlyAmount(QLineEdit *e)
{
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setText(QStringLiteral("0.00"));
}

// A label that opens a pop-up menu on click (format choices).
void makeClickLabel(QLabel *l, const QString &text, const QString &hint)
{
    l->setText(text);
    l->setToolTip(hint);
    l->setCursor(Qt::PointingHandCursor);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #0000c0;"));
}

// Caption label in front of a field, named after the field.
QLabel *caption(QWidget *parent, const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Cap") + buddy->objectName());
    l->setBuddy(buddy);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// Label + field into a grid of label/field column pairs.
void addField(QGridLayout *g, int row, int pair, const QString &text, QWidget *field, int pairSpan = 1)
{
    g->addWidget(caption(field->parentWidget(), text, field), row, pair * 2);
    g->addWidget(field, row, pair * 2 + 1, 1, pairSpan * 2 - 1);
}

// Named label + field.
void addLabelled(QGridLayout *g, int row, int pair, QLabel *label, QWidget *field, int pairSpan = 1)
{
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(field);
    g->addWidget(label, row, pair * 2);
    g->addWidget(field, row, pair * 2 + 1, 1, pairSpan * 2 - 1);
}

void stretchFieldColumns(QGridLayout *g, int pairs)
{
    for (int i = 0; i < pairs; ++i)
        g->setColumnStretch(i * 2 + 1, 1);
}

QAction *addEntry(QMenu *menu, const char *name, const QString &text)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    return a;
}

QAction *addSeparator(QMenu *menu, const char *name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(QLatin1String(name));
    return a;
}

void makeMenuButton(QToolButton *b, const QString &text, QMenu *menu)
{
    b->setText(text);
    b->setMenu(menu);
    b->setPopupMode(QToolButton::InstantPopup);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QMenu *makeMenu(QWidget *parent, const char *name)
{
    auto *m = new QMenu(parent);
    m->setObjectName(QLatin1String(name));
    return m;
}

void makeGrid(QTableWidget *t, const QStringList &header, int rows, const QList<int> &widths = {})
{
    t->setColumnCount(header.size());
    t->setRowCount(rows);
    t->setHorizontalHeaderLabels(header);
    t->verticalHeader()->setVisible(false);
    t->verticalHeader()->setDefaultSectionSize(20);
    t->verticalHeader()->setMinimumSectionSize(16);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < widths.size() && i < header.size(); ++i)
        t->setColumnWidth(i, widths.at(i));
}

QVBoxLayout *buttonColumn()
{
    auto *v = new QVBoxLayout;
    v->setSpacing(6);
    return v;
}

} // namespace

void MainFormUi::setupUi(QMainWindow *form)
{
    if (form->objectName().isEmpty())
        form->setObjectName(QStringLiteral("TForm1"));
    form->resize(1000, 700);

    SD_NEW(centralWidget, form);
    auto *root = new QVBoxLayout(centralWidget);
    root->setContentsMargins(4, 4, 4, 4);

    SD_NEW(PageControlMain, centralWidget);
    root->addWidget(PageControlMain);

    SD_NEW(TabEmsPrn, PageControlMain);
    SD_NEW(TabFhdPrn, PageControlMain);
    SD_NEW(TabSheet2, PageControlMain);
    SD_NEW(TabPrnSet, PageControlMain);
    PageControlMain->addTab(TabEmsPrn, QStringLiteral("快递打印"));
    PageControlMain->addTab(TabFhdPrn, QStringLiteral("出库发货"));
    PageControlMain->addTab(TabSheet2, QStringLiteral("采购入库"));
    PageControlMain->addTab(TabPrnSet, QStringLiteral("模版设置"));

    SD_NEW(StSoftHelp, PageControlMain);
    StSoftHelp->setText(QStringLiteral("在线帮助"));
    StSoftHelp->setToolTip(QStringLiteral("点击访问软件在线帮助网站"));
    StSoftHelp->setCursor(Qt::PointingHandCursor);
    StSoftHelp->setStyleSheet(QStringLiteral("color: #0000c0; text-decoration: underline; padding: 0 8px;"));
    PageControlMain->setCornerWidget(StSoftHelp, Qt::TopRightCorner);

    setupExpressTab();
    setupDeliveryTab();
    setupInboundTab();
    setupTemplateTab();

    // Pop-ups that the logic moves under the control being typed in.
    SD_NEW(LboxCmbQuery, centralWidget);
    LboxCmbQuery->hide();
    SD_NEW(SgQuery, centralWidget);
    makeGrid(SgQuery, {}, 0);
    SgQuery->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SgQuery->setSelectionBehavior(QAbstractItemView::SelectRows);
    SgQuery->hide();

    form->setCentralWidget(centralWidget);
    PageControlMain->setCurrentIndex(0);
}

QList<QCheckBox *> MainFormUi::markerBoxes() const
{
    return {ChbSelect1, ChbSelect2, ChbSelect3, ChbSelect4, ChbSelect5, ChbSelect6,
            ChbSelect7, ChbSelect8, ChbSelect9, ChbSelect10, Chbselect11};
}

QList<QGroupBox *> MainFormUi::markerGroups() const
{
    return {GBox1, GBox2, GBox3};
}

// ---------------------------------------------------------------- 快递打印

void MainFormUi::setupExpressTab()
{
    QWidget *p = TabEmsPrn;
    auto *v = new QVBoxLayout(p);
    v->setContentsMargins(6, 6, 6, 6);

    auto *top = new QHBoxLayout;
    v->addLayout(top);

    // Recipient block: the fields of an envelope.
    SD_NEW(GBoxSjr, p);
    GBoxSjr->setTitle(QStringLiteral("收件人信息"));
    // Top-aligned so that showing the batch panel beside it does not stretch it.
    top->addWidget(GBoxSjr, 1, Qt::AlignTop);
    QWidget *r = GBoxSjr;
    auto *g = new QGridLayout(r);
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(5);

    SD_NEW(LblLetterSelect, r);
    LblLetterSelect->setText(QStringLiteral("快递单模版"));
    SD_NEW(CmbLetterSelect, r);
    makePickOnly(CmbLetterSelect);
    addLabelled(g, 0, 0, LblLetterSelect, CmbLetterSelect, 2);
    SD_NEW(LblLetterNo, r);
    LblLetterNo->setText(QStringLiteral("信函编号"));
    SD_NEW(EdtEmsNo, r);
    addLabelled(g, 0, 2, LblLetterNo, EdtEmsNo);

    SD_NEW(CmbSjrMc, r);
    makeTyped(CmbSjrMc);
    CmbSjrMc->setToolTip(QStringLiteral("输入姓名任意字词，可以动态模糊查询"));
    SD_NEW(CmbSjrCw, r);
    makeTyped(CmbSjrCw);
    SD_NEW(CmbSjrSy, r);
    makeTyped(CmbSjrSy);
    CmbSjrSy->setEditText(QStringLiteral("收"));
    addField(g, 1, 0, QStringLiteral("收件人"), CmbSjrMc);
    addField(g, 1, 1, QStringLiteral("称谓"), CmbSjrCw);
    addField(g, 1, 2, QStringLiteral("收件语"), CmbSjrSy);

    SD_NEW(CmbSjdwMc, r);
    makeTyped(CmbSjdwMc);
    CmbSjdwMc->setToolTip(QStringLiteral("可以输入关键字词模糊查询收件单位名称\n新的单位信息在信函打印后会自动保存"));
    SD_NEW(CmbSjdwBm, r);
    makeTyped(CmbSjdwBm);
    addField(g, 2, 0, QStringLiteral("收件单位"), CmbSjdwMc, 2);
    addField(g, 2, 2, QStringLiteral("部门"), CmbSjdwBm);

    SD_NEW(EdtSjDwSs, r);
    SD_NEW(EdtSjDwDs, r);
    SD_NEW(EdtSjDwQx, r);
    addField(g, 3, 0, QStringLiteral("省/市"), EdtSjDwSs);
    addField(g, 3, 1, QStringLiteral("地/市"), EdtSjDwDs);
    addField(g, 3, 2, QStringLiteral("区/县"), EdtSjDwQx);

    SD_NEW(EdtSjDwDz, r);
    EdtSjDwDz->setToolTip(QStringLiteral("双击自动清空收件人信息"));
    addField(g, 4, 0, QStringLiteral("通讯地址"), EdtSjDwDz, 3);

    SD_NEW(EdtSjDwTel, r);
    EdtSjDwTel->setToolTip(QStringLiteral("输入电话任意数字，可以动态模糊查询"));
    SD_NEW(EdtSjdwYb, r);
    SD_NEW(EdtTo, r);
    addField(g, 5, 0, QStringLiteral("单位电话"), EdtSjDwTel);
    addField(g, 5, 1, QStringLiteral("邮编"), EdtSjdwYb);
    addField(g, 5, 2, QStringLiteral("目的地"), EdtTo);

    SD_NEW(LblAutoAdd, r);
    makeClickLabel(LblAutoAdd, QStringLiteral("一键填写"), QString());
    LblAutoAdd->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SD_NEW(CmbAddType, r);
    makePickOnly(CmbAddType);
    CmbAddType->addItems({QStringLiteral("有啊地址1"), QStringLiteral("淘宝地址2"),
                          QStringLiteral("淘宝地址3"), QStringLiteral("淘宝地址4"),
                          QStringLiteral("淘宝地址5"), QStringLiteral("淘宝地址6"),
                          QStringLiteral("拍拍地址1")});
    CmbAddType->setToolTip(QStringLiteral("复制的订单地址格式"));
    g->addWidget(LblAutoAdd, 6, 0);
    g->addWidget(CmbAddType, 6, 1);
    stretchFieldColumns(g, 3);

    // Actions of the tab.
    auto *buttons = buttonColumn();
    top->addLayout(buttons);
    SD_NEW(BtnPrint, p);
    BtnPrint->setText(QStringLiteral("打印(&P)"));
    SD_NEW(BtnPreview, p);
    BtnPreview->setText(QStringLiteral("预览(&V)"));
    SD_NEW(BtnTskSave, p);
    BtnTskSave->setText(QStringLiteral("保存(&S)"));
    BtnTskSave->setToolTip(QStringLiteral("将当前内容先保存到批打数据中，以后进行批量打印"));
    SD_NEW(BtnTskData, p);
    BtnTskData->setText(QStringLiteral("批打数据"));
    BtnTskData->setToolTip(QStringLiteral("浏览当前信函的批量打印数据。"));
    SD_NEW(BtnPrnLog, p);
    BtnPrnLog->setText(QStringLiteral("打印记录"));
    BtnPrnLog->setToolTip(QStringLiteral("浏览当前快递单的打印记录"));

    SD_NEW(RzMBtnFromToDw, p);
    MenuFromToDw = makeMenu(RzMBtnFromToDw, "MenuFromToDw");
    NFromSjdw = addEntry(MenuFromToDw, "NFromSjdw", QStringLiteral("收件单位"));
    MenuFromToDw->addSeparator();
    NFromJjdw = addEntry(MenuFromToDw, "NFromJjdw", QStringLiteral("寄件单位"));
    makeMenuButton(RzMBtnFromToDw, QStringLiteral("收寄单位"), MenuFromToDw);
    RzMBtnFromToDw->setToolTip(QStringLiteral("浏览收件单位和寄件单位信息。"));

    SD_NEW(RzMBtnMoreData, p);
    MenuMoreData = makeMenu(RzMBtnMoreData, "MenuMoreData");
    NSjdwBm = addEntry(MenuMoreData, "NSjdwBm", QStringLiteral("收件部门"));
    NSjrCw = addEntry(MenuMoreData, "NSjrCw", QStringLiteral("收件称谓"));
    NSjrSy = addEntry(MenuMoreData, "NSjrSy", QStringLiteral("收件语"));
    MenuMoreData->addSeparator();
    NLetterWP = addEntry(MenuMoreData, "NLetterWP", QStringLiteral("信函物品"));
    NLetterLy = addEntry(MenuMoreData, "NLetterLy", QStringLiteral("信函留言"));
    makeMenuButton(RzMBtnMoreData, QStringLiteral("更多数据"), MenuMoreData);

    SD_NEW(RzMBtnSysSet, p);
    MenuSysSet = makeMenu(RzMBtnSysSet, "MenuSysSet");
    NAbout = addEntry(MenuSysSet, "NAbout", QStringLiteral("关于..."));
    makeMenuButton(RzMBtnSysSet, QStringLiteral("系统设置"), MenuSysSet);

    for (QWidget *b : std::initializer_list<QWidget *>{BtnPrint, BtnPreview, BtnTskSave, BtnTskData,
                                                       BtnPrnLog, RzMBtnFromToDw, RzMBtnMoreData,
                                                       RzMBtnSysSet}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }

    SD_NEW(GroupBTsk, p);
    GroupBTsk->setTitle(QStringLiteral("批量打印"));
    auto *tg = new QGridLayout(GroupBTsk);
    SD_NEW(SpinEditTsk, GroupBTsk);
    SpinEditTsk->setRange(1, 1);
    SpinEditTsk->setMinimumWidth(64);
    SD_NEW(LblAllTsk, GroupBTsk);
    LblAllTsk->setText(QStringLiteral("1"));
    addField(tg, 0, 0, QStringLiteral("当前"), SpinEditTsk);
    addField(tg, 1, 0, QStringLiteral("总数"), LblAllTsk);
    GroupBTsk->hide();
    buttons->addWidget(GroupBTsk);
    buttons->addStretch(1);

    // Detail cards.
    SD_NEW(PageControlFjxx, p);
    v->addWidget(PageControlFjxx, 1);
    SD_NEW(TabJjdw, PageControlFjxx);
    SD_NEW(TabSjdw, PageControlFjxx);
    SD_NEW(TabXhxx, PageControlFjxx);
    SD_NEW(TabWpxx, PageControlFjxx);
    SD_NEW(TabXxsz, PageControlFjxx);
    PageControlFjxx->addTab(TabJjdw, QStringLiteral("寄件单位"));
    PageControlFjxx->addTab(TabSjdw, QStringLiteral("收件单位"));
    PageControlFjxx->addTab(TabXhxx, QStringLiteral("信函信息"));
    PageControlFjxx->addTab(TabWpxx, QStringLiteral("物品信息"));
    PageControlFjxx->addTab(TabXxsz, QStringLiteral("选项设置"));

    setupSenderPage();
    setupRecipientPage();
    setupLetterPage();
    setupGoodsPage();
    setupOptionsPage();
}

void MainFormUi::setupSenderPage()
{
    QWidget *p = TabJjdw;
    auto *g = new QGridLayout(p);
    g->setVerticalSpacing(5);

    SD_NEW(CmbJjDwMc, p);
    makeTyped(CmbJjDwMc);
    SD_NEW(CmbJjrMc, p);
    makeTyped(CmbJjrMc);
    SD_NEW(EdtJjDwJbrQm, p);
    EdtJjDwJbrQm->setToolTip(QStringLiteral("不同的快递可以设置不同的快递经办人，软件会自动保存。"));
    addField(g, 0, 0, QStringLiteral("寄件单位"), CmbJjDwMc, 2);
    addField(g, 0, 2, QStringLiteral("寄件人"), CmbJjrMc);
    addField(g, 0, 3, QStringLiteral("经办人签名"), EdtJjDwJbrQm);

    SD_NEW(EdtJjDwSs, p);
    SD_NEW(EdtJjDwDs, p);
    SD_NEW(EdtJjDwQx, p);
    SD_NEW(EdtFrom, p);
    addField(g, 1, 0, QStringLiteral("省/市"), EdtJjDwSs);
    addField(g, 1, 1, QStringLiteral("地/市"), EdtJjDwDs);
    addField(g, 1, 2, QStringLiteral("区/县"), EdtJjDwQx);
    addField(g, 1, 3, QStringLiteral("始发地"), EdtFrom);

    SD_NEW(EdtJjDwDz, p);
    SD_NEW(EdtJjDwYb, p);
    addField(g, 2, 0, QStringLiteral("通讯地址"), EdtJjDwDz, 3);
    addField(g, 2, 3, QStringLiteral("邮编"), EdtJjDwYb);

    SD_NEW(EdtJjDwTel, p);
    SD_NEW(EdtJjDwFax, p);
    SD_NEW(EdtJjDwDm, p);
    SD_NEW(EdtJjDwTax, p);
    addField(g, 3, 0, QStringLiteral("单位电话"), EdtJjDwTel);
    addField(g, 3, 1, QStringLiteral("传真"), EdtJjDwFax);
    addField(g, 3, 2, QStringLiteral("代码"), EdtJjDwDm);
    addField(g, 3, 3, QStringLiteral("税号"), EdtJjDwTax);

    SD_NEW(EdtJjDwWeb, p);
    SD_NEW(EdtJjDwBank, p);
    SD_NEW(EdtJjDwBankId, p);
    addField(g, 4, 0, QStringLiteral("网址"), EdtJjDwWeb);
    addField(g, 4, 1, QStringLiteral("银行"), EdtJjDwBank);
    addField(g, 4, 2, QStringLiteral("账号"), EdtJjDwBankId, 2);

    SD_NEW(EdtJjrTel1, p);
    SD_NEW(EdtJjrMobile, p);
    SD_NEW(EdtJjrWW, p);
    SD_NEW(EdtJjrIM, p);
    addField(g, 5, 0, QStringLiteral("寄件人电话"), EdtJjrTel1);
    addField(g, 5, 1, QStringLiteral("手机"), EdtJjrMobile);
    addField(g, 5, 2, QStringLiteral("昵称"), EdtJjrWW);
    addField(g, 5, 3, QStringLiteral("聊天"), EdtJjrIM);

    SD_NEW(EdtJjrPayEmail, p);
    SD_NEW(EdtJjrEmail, p);
    addField(g, 6, 0, QStringLiteral("支付宝"), EdtJjrPayEmail);
    addField(g, 6, 1, QStringLiteral("邮箱"), EdtJjrEmail);

    stretchFieldColumns(g, 4);
    g->setRowStretch(7, 1);
}

void MainFormUi::setupRecipientPage()
{
    QWidget *p = TabSjdw;
    auto *g = new QGridLayout(p);
    g->setVerticalSpacing(5);

    SD_NEW(EdtSjrWW, p);
    SD_NEW(EdtSjrMobile, p);
    SD_NEW(EdtSjrTel1, p);
    addField(g, 0, 0, QStringLiteral("昵称"), EdtSjrWW);
    addField(g, 0, 1, QStringLiteral("手机"), EdtSjrMobile);
    addField(g, 0, 2, QStringLiteral("收件人电话"), EdtSjrTel1);

    SD_NEW(EdtSjrPayEmail, p);
    SD_NEW(EdtSjrEmail, p);
    SD_NEW(EdtSjrIM, p);
    addField(g, 1, 0, QStringLiteral("支付宝"), EdtSjrPayEmail);
    addField(g, 1, 1, QStringLiteral("邮箱"), EdtSjrEmail);
    addField(g, 1, 2, QStringLiteral("聊天"), EdtSjrIM);

    SD_NEW(EdtSjDwFax, p);
    SD_NEW(EdtSjDwDm, p);
    SD_NEW(EdtSjDwType, p);
    addField(g, 2, 0, QStringLiteral("传真"), EdtSjDwFax);
    addField(g, 2, 1, QStringLiteral("代码"), EdtSjDwDm);
    addField(g, 2, 2, QStringLiteral("类别"), EdtSjDwType);

    SD_NEW(EdtSjDwNo, p);
    SD_NEW(EdtSjDwWeb, p);
    addField(g, 3, 0, QStringLiteral("编号"), EdtSjDwNo);
    addField(g, 3, 1, QStringLiteral("网址"), EdtSjDwWeb, 2);

    stretchFieldColumns(g, 3);
    g->setRowStretch(4, 1);
}

void MainFormUi::setupLetterPage()
{
    QWidget *p = TabXhxx;
    auto *v = new QVBoxLayout(p);

    auto *g = new QGridLayout;
    v->addLayout(g);
    SD_NEW(StaticTextDate, p);
    makeClickLabel(StaticTextDate, QStringLiteral("信函日期"), QStringLiteral("点击选择信函日期的打印格式"));
    SD_NEW(DateTimeP, p);
    makeDate(DateTimeP);
    addLabelled(g, 0, 0, StaticTextDate, DateTimeP);
    SD_NEW(CmbLetterLy, p);
    makeTyped(CmbLetterLy);
    addField(g, 0, 1, QStringLiteral("信函留言"), CmbLetterLy, 2);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 3);

    auto *markers = new QHBoxLayout;
    v->addLayout(markers);
    // Box tags encode group and position (11, 12, 21 … 35); group tags hold
    // the exclusivity flag, 0 until a template says otherwise.
    auto group = [&](QGroupBox *&box, const char *name, int n, const QString &title,
                     std::initializer_list<QCheckBox **> boxes, std::initializer_list<const char *> names) {
        box = create<QGroupBox>(p, name);
        box->setTitle(title);
        box->setProperty("tag", 0);
        auto *gl = new QGridLayout(box);
        int k = 0;
        auto nameIt = names.begin();
        for (QCheckBox **cb : boxes) {
            *cb = create<QCheckBox>(box, *nameIt++);
            (*cb)->setText(QStringLiteral("标记") + QString::number(k + 1));
            (*cb)->setProperty("tag", n * 10 + k + 1);
            gl->addWidget(*cb, k / 3, k % 3);
            ++k;
        }
        markers->addWidget(box, static_cast<int>(boxes.size()));
    };
    group(GBox1, "GBox1", 1, QStringLiteral("第1组标记"), {&ChbSelect1, &ChbSelect2},
          {"ChbSelect1", "ChbSelect2"});
    group(GBox2, "GBox2", 2, QStringLiteral("第2组标记"),
          {&ChbSelect3, &ChbSelect4, &ChbSelect5, &ChbSelect6},
          {"ChbSelect3", "ChbSelect4", "ChbSelect5", "ChbSelect6"});
    group(GBox3, "GBox3", 3, QStringLiteral("第3组标记"),
          {&ChbSelect7, &ChbSelect8, &ChbSelect9, &ChbSelect10, &Chbselect11},
          {"ChbSelect7", "ChbSelect8", "ChbSelect9", "ChbSelect10", "Chbselect11"});
    v->addStretch(1);
}

void MainFormUi::setupGoodsPage()
{
    QWidget *p = TabWpxx;
    auto *g = new QGridLayout(p);
    g->setVerticalSpacing(5);

    SD_NEW(CmbLetterWP, p);
    makeTyped(CmbLetterWP);
    SD_NEW(EdtWLDD, p);
    addField(g, 0, 0, QStringLiteral("信函物品"), CmbLetterWP, 2);
    addField(g, 0, 2, QStringLiteral("物流订单"), EdtWLDD, 2);

    SD_NEW(EdtWpCount, p);
    SD_NEW(EdtWpWeight, p);
    SD_NEW(LblJe, p);
    makeClickLabel(LblJe, QStringLiteral("金额"), QStringLiteral("点击选择金额大写的打印格式"));
    SD_NEW(EdtWpJe, p);
    addField(g, 1, 0, QStringLiteral("物品件数"), EdtWpCount);
    addField(g, 1, 1, QStringLiteral("物品重量"), EdtWpWeight);
    addLabelled(g, 1, 2, LblJe, EdtWpJe);

    SD_NEW(LblDSHK, p);
    makeClickLabel(LblDSHK, QStringLiteral("代收货款"), QStringLiteral("点击选择代收货款大写的打印格式"));
    SD_NEW(EdtDshk, p);
    SD_NEW(LblBJJE, p);
    makeClickLabel(LblBJJE, QStringLiteral("保价金额"), QStringLiteral("点击选择保价金额大写的打印格式"));
    SD_NEW(EdtBjje, p);
    SD_NEW(EdtBF, p);
    addLabelled(g, 2, 0, LblDSHK, EdtDshk);
    addLabelled(g, 2, 1, LblBJJE, EdtBjje);
    addField(g, 2, 2, QStringLiteral("保费"), EdtBF);

    SD_NEW(EdtYF, p);
    SD_NEW(EdtJJF, p);
    addField(g, 3, 0, QStringLiteral("运费"), EdtYF);
    addField(g, 3, 1, QStringLiteral("加急费"), EdtJJF);

    for (QLineEdit *e : {EdtWpJe, EdtDshk, EdtBjje, EdtBF, EdtYF, EdtJJF})
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    stretchFieldColumns(g, 4);
    g->setRowStretch(4, 1);
}

void MainFormUi::setupOptionsPage()
{
    QWidget *p = TabXxsz;
    auto *g = new QGridLayout(p);
    g->setVerticalSpacing(6);

    SD_NEW(CmbDefJjDw, p);
    makePickOnly(CmbDefJjDw);
    CmbDefJjDw->setToolTip(QStringLiteral(
        "请为当前信函\"选择\"相应的默认单位信息。不同的信函模版，可以分别设置不同的默认寄件单位。"));
    addField(g, 0, 0, QStringLiteral("默认寄件单位"), CmbDefJjDw, 2);

    SD_NEW(ChbFgSjAddress, p);
    ChbFgSjAddress->setText(QStringLiteral("分隔打印收件单位地址"));
    SD_NEW(ChbFgJjAddress, p);
    ChbFgJjAddress->setText(QStringLiteral("分隔打印寄件单位地址"));
    g->addWidget(ChbFgSjAddress, 1, 1);
    g->addWidget(ChbFgJjAddress, 1, 3);

    SD_NEW(ChbPrevShowPic, p);
    ChbPrevShowPic->setText(QStringLiteral("打印预览时显示信函背景图片"));
    ChbPrevShowPic->setToolTip(QStringLiteral("请先将图片文件复制到用户信函模版目录中"));
    g->addWidget(ChbPrevShowPic, 2, 1, 1, 3);

    SD_NEW(EdtBackPicFile, p);
    SD_NEW(BtnPicFile, p);
    BtnPicFile->setText(QStringLiteral("浏览..."));
    addField(g, 3, 0, QStringLiteral("背景图片"), EdtBackPicFile, 2);
    g->addWidget(BtnPicFile, 3, 4);

    SD_NEW(ChbAutoAdd, p);
    ChbAutoAdd->setText(QStringLiteral("自动感应复制操作"));
    g->addWidget(ChbAutoAdd, 4, 1, 1, 3);

    SD_NEW(BtnSavePrnSet, p);
    BtnSavePrnSet->setText(QStringLiteral("保存设置(&S)"));
    g->addWidget(BtnSavePrnSet, 5, 4);

    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 2);
    g->setRowStretch(6, 1);
}

// ---------------------------------------------------------------- 出库发货

void MainFormUi::setupDeliveryTab()
{
    QWidget *p = TabFhdPrn;
    auto *h = new QHBoxLayout(p);
    h->setContentsMargins(6, 6, 6, 6);
    auto *v = new QVBoxLayout;
    h->addLayout(v, 1);

    SD_NEW(LblShopName, p);
    LblShopName->setText(QStringLiteral("店铺名称"));
    LblShopName->setAlignment(Qt::AlignCenter);
    {
        QFont f = LblShopName->font();
        f.setPointSize(f.pointSize() + 5);
        f.setBold(true);
        LblShopName->setFont(f);
    }
    v->addWidget(LblShopName);

    auto *g = new QGridLayout;
    g->setVerticalSpacing(5);
    v->addLayout(g);

    SD_NEW(CmbInvoice, p);
    makePickOnly(CmbInvoice);
    SD_NEW(EdtInvNo, p);
    SD_NEW(DTPSender, p);
    makeDate(DTPSender);
    SD_NEW(LblInvAutoAdd, p);
    makeClickLabel(LblInvAutoAdd, QStringLiteral("一键填写"), QString());
    SD_NEW(CmbInvAddtype, p);
    makePickOnly(CmbInvAddtype);
    CmbInvAddtype->setToolTip(QStringLiteral("复制的订单地址格式"));
    addField(g, 0, 0, QStringLiteral("发货单"), CmbInvoice);
    addField(g, 0, 1, QStringLiteral("发货单号"), EdtInvNo);
    addField(g, 0, 2, QStringLiteral("发货日期"), DTPSender);
    addLabelled(g, 0, 3, LblInvAutoAdd, CmbInvAddtype);

    auto named = [p](QLabel *&label, const char *name, const QString &text) {
        label = create<QLabel>(p, name);
        label->setText(text);
    };
    named(LblBuyerName, "LblBuyerName", QStringLiteral("买家姓名"));
    SD_NEW(CmbBuyerName, p);
    makeTyped(CmbBuyerName);
    named(LblBuyerNickName, "LblBuyerNickName", QStringLiteral("昵称"));
    SD_NEW(CmbBuyerWW, p);
    makeTyped(CmbBuyerWW);
    named(LblbuyerMobile, "LblbuyerMobile", QStringLiteral("手机"));
    SD_NEW(EdtBuyerMobile, p);
    named(LblbuyerTel, "LblbuyerTel", QStringLiteral("电话"));
    SD_NEW(EdtBuyerTel, p);
    addLabelled(g, 1, 0, LblBuyerName, CmbBuyerName);
    addLabelled(g, 1, 1, LblBuyerNickName, CmbBuyerWW);
    addLabelled(g, 1, 2, LblbuyerMobile, EdtBuyerMobile);
    addLabelled(g, 1, 3, LblbuyerTel, EdtBuyerTel);

    named(LblBuyerAdd, "LblBuyerAdd", QStringLiteral("收货地址"));
    SD_NEW(EdtAddSs, p);
    EdtAddSs->setPlaceholderText(QStringLiteral("省/市"));
    SD_NEW(EdtAddDs, p);
    EdtAddDs->setPlaceholderText(QStringLiteral("地/市"));
    SD_NEW(EdtAddQx, p);
    EdtAddQx->setPlaceholderText(QStringLiteral("区/县"));
    SD_NEW(EdtAddress, p);
    EdtAddress->setToolTip(QStringLiteral("双击自动清空买家和商品信息"));
    named(LblBuyerYb, "LblBuyerYb", QStringLiteral("邮编"));
    SD_NEW(EdtBuyerYb, p);
    {
        auto *addr = new QHBoxLayout;
        addr->setSpacing(4);
        addr->addWidget(EdtAddSs, 1);
        addr->addWidget(EdtAddDs, 1);
        addr->addWidget(EdtAddQx, 1);
        addr->addWidget(EdtAddress, 4);
        LblBuyerAdd->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        LblBuyerAdd->setBuddy(EdtAddSs);
        g->addWidget(LblBuyerAdd, 2, 0);
        g->addLayout(addr, 2, 1, 1, 5);
        addLabelled(g, 2, 3, LblBuyerYb, EdtBuyerYb);
    }
    stretchFieldColumns(g, 4);

    SD_NEW(SGGoods, p);
    makeGrid(SGGoods,
             {QStringLiteral("序号"), QStringLiteral("商品编码"), QStringLiteral("商品名称"),
              QStringLiteral("单位"), QStringLiteral("数量"), QStringLiteral("售价"),
              QStringLiteral("金额"), QStringLiteral("出库备注"), QStringLiteral("进价"),
              QStringLiteral("入库备注")},
             30, {40, 81, 217, 46, 44, 70, 93, 135, 76, 149});
    v->addWidget(SGGoods, 1);

    auto *totals = new QGridLayout;
    v->addLayout(totals);
    SD_NEW(LblSumCount, p);
    LblSumCount->setText(QStringLiteral("0"));
    LblSumCount->setMinimumWidth(60);
    SD_NEW(EdtPostPrice, p);
    EdtPostPrice->setText(QStringLiteral("0.00"));
    EdtPostPrice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SD_NEW(EdtMoneySumXx, p);
    makeReadOnlyAmount(EdtMoneySumXx);
    SD_NEW(EdtInvTotalJE, p);
    makeReadOnlyAmount(EdtInvTotalJE);
    addField(totals, 0, 0, QStringLiteral("商品数量"), LblSumCount);
    addField(totals, 0, 1, QStringLiteral("邮递费用"), EdtPostPrice);
    addField(totals, 0, 2, QStringLiteral("货款小计"), EdtMoneySumXx);
    addField(totals, 0, 3, QStringLiteral("金额合计"), EdtInvTotalJE);
    stretchFieldColumns(totals, 4);

    auto *s = new QGridLayout;
    s->setVerticalSpacing(5);
    v->addLayout(s);
    named(LblSalerSay, "LblSalerSay", QStringLiteral("卖家留言"));
    SD_NEW(CmbSalerSay, p);
    makeTyped(CmbSalerSay);
    addLabelled(s, 0, 0, LblSalerSay, CmbSalerSay, 4);

    named(LblSalerShop, "LblSalerShop", QStringLiteral("店铺网址"));
    SD_NEW(EdtSalerShopWeb, p);
    named(LblSalerAdd, "LblSalerAdd", QStringLiteral("卖家地址"));
    SD_NEW(EdtSalerAdd, p);
    addLabelled(s, 1, 0, LblSalerShop, EdtSalerShopWeb, 2);
    addLabelled(s, 1, 2, LblSalerAdd, EdtSalerAdd, 2);

    named(LblSalerName, "LblSalerName", QStringLiteral("卖家姓名"));
    SD_NEW(CmbSalerName, p);
    makeTyped(CmbSalerName);
    named(LblSalerNickName, "LblSalerNickName", QStringLiteral("昵称"));
    SD_NEW(EdtSalerWW, p);
    named(LblSalerMobile, "LblSalerMobile", QStringLiteral("手机"));
    SD_NEW(EdtSalerTel, p);
    addLabelled(s, 2, 0, LblSalerName, CmbSalerName);
    addLabelled(s, 2, 1, LblSalerNickName, EdtSalerWW);
    addLabelled(s, 2, 2, LblSalerMobile, EdtSalerTel);

    named(LblInvEms, "LblInvEms", QStringLiteral("快递"));
    SD_NEW(CmbEmsCompany, p);
    makePickOnly(CmbEmsCompany);
    named(LblEmsNo, "LblEmsNo", QStringLiteral("单号"));
    SD_NEW(EdtInvEmsNo, p);
    addLabelled(s, 3, 0, LblInvEms, CmbEmsCompany);
    addLabelled(s, 3, 1, LblEmsNo, EdtInvEmsNo);
    stretchFieldColumns(s, 4);

    auto *buttons = buttonColumn();
    h->addLayout(buttons);
    SD_NEW(BtnInvoicePrn, p);
    BtnInvoicePrn->setText(QStringLiteral("打印登记"));
    SD_NEW(BtnInvoicePreview, p);
    BtnInvoicePreview->setText(QStringLiteral("打印预览"));
    SD_NEW(BtnInvoiceTskPrn, p);
    BtnInvoiceTskPrn->setText(QStringLiteral("批打保存"));
    SD_NEW(BtnInvTskData, p);
    BtnInvTskData->setText(QStringLiteral("批打数据"));
    BtnInvTskData->setToolTip(QStringLiteral("浏览当前发货单的批量打印数据，即等待发货的商品信息。"));

    SD_NEW(RzMenuBtnOutQuery, p);
    MenuOutQuery = makeMenu(RzMenuBtnOutQuery, "MenuOutQuery");
    NQueryLog = addEntry(MenuOutQuery, "NQueryLog", QStringLiteral("打印记录"));
    MenuOutQuery->addSeparator();
    NQuerySales = addEntry(MenuOutQuery, "NQuerySales", QStringLiteral("销售统计"));
    makeMenuButton(RzMenuBtnOutQuery, QStringLiteral("查询统计"), MenuOutQuery);
    RzMenuBtnOutQuery->setToolTip(QStringLiteral("查询打印记录和销售统计情况"));

    SD_NEW(RzMBtnOutMoreData, p);
    MenuOutMoreData = makeMenu(RzMBtnOutMoreData, "MenuOutMoreData");
    NOutGoods = addEntry(MenuOutMoreData, "NOutGoods", QStringLiteral("商品资料"));
    NOutUnit = addEntry(MenuOutMoreData, "NOutUnit", QStringLiteral("计量单位"));
    MenuOutMoreData->addSeparator();
    NOutInRemark = addEntry(MenuOutMoreData, "NOutInRemark", QStringLiteral("入库备注"));
    MenuOutMoreData->addSeparator();
    NOutOutRemark = addEntry(MenuOutMoreData, "NOutOutRemark", QStringLiteral("出库备注"));
    MenuOutMoreData->addSeparator();
    NOutSjdw = addEntry(MenuOutMoreData, "NOutSjdw", QStringLiteral("收件单位"));
    MenuOutMoreData->addSeparator();
    NOutJjdw = addEntry(MenuOutMoreData, "NOutJjdw", QStringLiteral("寄件单位"));
    makeMenuButton(RzMBtnOutMoreData, QStringLiteral("基础数据"), MenuOutMoreData);

    for (QWidget *b : std::initializer_list<QWidget *>{BtnInvoicePrn, BtnInvoicePreview, BtnInvoiceTskPrn,
                                                       BtnInvTskData, RzMenuBtnOutQuery, RzMBtnOutMoreData}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }

    SD_NEW(GBoxInvoiceTsk, p);
    GBoxInvoiceTsk->setTitle(QStringLiteral("批量打印"));
    auto *tg = new QGridLayout(GBoxInvoiceTsk);
    SD_NEW(SpinEditInvTsk, GBoxInvoiceTsk);
    SpinEditInvTsk->setRange(1, 1);
    SpinEditInvTsk->setMinimumWidth(64);
    SD_NEW(LblInvTatol, GBoxInvoiceTsk);
    LblInvTatol->setText(QStringLiteral("1"));
    addField(tg, 0, 0, QStringLiteral("当前"), SpinEditInvTsk);
    addField(tg, 1, 0, QStringLiteral("总数"), LblInvTatol);
    GBoxInvoiceTsk->hide();
    buttons->addWidget(GBoxInvoiceTsk);
    buttons->addStretch(1);
}

// ---------------------------------------------------------------- 采购入库

void MainFormUi::setupInboundTab()
{
    QWidget *p = TabSheet2;
    auto *h = new QHBoxLayout(p);
    h->setContentsMargins(6, 6, 6, 6);
    auto *v = new QVBoxLayout;
    h->addLayout(v, 1);

    SD_NEW(LblInputShop, p);
    LblInputShop->setText(QStringLiteral("店铺名称"));
    LblInputShop->setAlignment(Qt::AlignCenter);
    {
        QFont f = LblInputShop->font();
        f.setPointSize(f.pointSize() + 5);
        f.setBold(true);
        LblInputShop->setFont(f);
    }
    v->addWidget(LblInputShop);

    auto *g = new QGridLayout;
    g->setVerticalSpacing(5);
    v->addLayout(g);
    SD_NEW(CmbInputModel, p);
    makePickOnly(CmbInputModel);
    SD_NEW(LblInputNo, p);
    LblInputNo->setText(QStringLiteral("入库单号"));
    SD_NEW(EdtInputNo, p);
    addField(g, 0, 0, QStringLiteral("入库单"), CmbInputModel, 2);
    addLabelled(g, 0, 2, LblInputNo, EdtInputNo);

    SD_NEW(LblInputJbr, p);
    LblInputJbr->setText(QStringLiteral("经办人"));
    SD_NEW(CmbInputJbr, p);
    makeTyped(CmbInputJbr);
    SD_NEW(LblInputType, p);
    LblInputType->setText(QStringLiteral("入库类别"));
    SD_NEW(CmbInputType, p);
    makePickOnly(CmbInputType);
    SD_NEW(LblInputDate, p);
    LblInputDate->setText(QStringLiteral("入库日期"));
    SD_NEW(DtpInputDate, p);
    makeDate(DtpInputDate);
    addLabelled(g, 1, 0, LblInputJbr, CmbInputJbr);
    addLabelled(g, 1, 1, LblInputType, CmbInputType);
    addLabelled(g, 1, 2, LblInputDate, DtpInputDate);
    stretchFieldColumns(g, 3);

    SD_NEW(SgInput, p);
    makeGrid(SgInput,
             {QStringLiteral("序号"), QStringLiteral("商品编码"), QStringLiteral("商品名称"),
              QStringLiteral("单位"), QStringLiteral("数量"), QStringLiteral("进价"),
              QStringLiteral("金额"), QStringLiteral("入库备注"), QStringLiteral("售价"),
              QStringLiteral("出库备注")},
             29, {40, 77, 232, 40, 45, 69, 93, 138, 76, 146});
    v->addWidget(SgInput, 1);

    auto *totals = new QGridLayout;
    v->addLayout(totals);
    SD_NEW(LblInputSumCount, p);
    LblInputSumCount->setText(QStringLiteral("0"));
    LblInputSumCount->setMinimumWidth(60);
    SD_NEW(EdtInputSumMoney, p);
    makeReadOnlyAmount(EdtInputSumMoney);
    addField(totals, 0, 0, QStringLiteral("商品数量"), LblInputSumCount);
    addField(totals, 0, 1, QStringLiteral("货款小计"), EdtInputSumMoney);
    totals->setColumnStretch(4, 2);
    stretchFieldColumns(totals, 2);

    auto *buttons = buttonColumn();
    h->addLayout(buttons);
    SD_NEW(BtnInputPrn, p);
    BtnInputPrn->setText(QStringLiteral("打印登记"));
    BtnInputPrn->setToolTip(QStringLiteral("打印采购入库单，并且更新库存数量、进价等商品资料信息。"));
    SD_NEW(BtnInputPreV, p);
    BtnInputPreV->setText(QStringLiteral("打印预览"));
    SD_NEW(BtnInputPrnLog, p);
    BtnInputPrnLog->setText(QStringLiteral("打印记录"));

    SD_NEW(RzMBInput, p);
    MenuInMoreData = makeMenu(RzMBInput, "MenuInMoreData");
    NInGoods = addEntry(MenuInMoreData, "NInGoods", QStringLiteral("商品资料"));
    NInUnit = addEntry(MenuInMoreData, "NInUnit", QStringLiteral("计量单位"));
    MenuInMoreData->addSeparator();
    NInInRemark = addEntry(MenuInMoreData, "NInInRemark", QStringLiteral("入库备注"));
    NInInType = addEntry(MenuInMoreData, "NInInType", QStringLiteral("入库类别"));
    MenuInMoreData->addSeparator();
    NInOutRemark = addEntry(MenuInMoreData, "NInOutRemark", QStringLiteral("出库备注"));
    MenuInMoreData->addSeparator();
    NInSjdw = addEntry(MenuInMoreData, "NInSjdw", QStringLiteral("收件单位"));
    MenuInMoreData->addSeparator();
    NInJjdw = addEntry(MenuInMoreData, "NInJjdw", QStringLiteral("寄件单位"));
    makeMenuButton(RzMBInput, QStringLiteral("基础数据"), MenuInMoreData);

    for (QWidget *b : std::initializer_list<QWidget *>{BtnInputPrn, BtnInputPreV, BtnInputPrnLog, RzMBInput}) {
        b->setMinimumWidth(96);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
}

// ---------------------------------------------------------------- 模版设置

void MainFormUi::setupTemplateTab()
{
    QWidget *p = TabPrnSet;
    auto *h = new QHBoxLayout(p);
    h->setContentsMargins(6, 6, 6, 6);

    // Template list and management.
    auto *left = new QVBoxLayout;
    h->addLayout(left);
    SD_NEW(CmbModelType, p);
    makePickOnly(CmbModelType);
    CmbModelType->addItems({QStringLiteral("信函快递单模版"), QStringLiteral("出库发货单模版"),
                            QStringLiteral("采购入库单模版")});
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
             {QStringLiteral("序号"), QStringLiteral("打印项目"), QStringLiteral("是否打印"),
              QStringLiteral("距左端"), QStringLiteral("距上端"), QStringLiteral("宽度"),
              QStringLiteral("间距"), QStringLiteral("字号"), QStringLiteral("字体"),
              QStringLiteral("自动缩小"), QStringLiteral("换行方式")},
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
    RGPaperSize->setItems({QStringLiteral("A4"), QStringLiteral("A3"), QStringLiteral("默认"),
                           QStringLiteral("其他")});
    RGPaperSize->setColumns(4);
    RGPaperSize->setItemIndex(0);
    pg->addWidget(RGPaperSize);
    SD_NEW(CmbPaperList, GBoxPrinter);
    makePickOnly(CmbPaperList);
    CmbPaperList->setEnabled(false);
    pg->addWidget(CmbPaperList);
    right->addWidget(GBoxPrinter);

    SD_NEW(GBoxMove, p);
    GBoxMove->setTitle(QStringLiteral("整体移动"));
    GBoxMove->setToolTip(QStringLiteral("整体移动的值，在带背景图片预览时是不计算在内的。但实际打印时会计算在内。"));
    auto *mg = new QGridLayout(GBoxMove);
    SD_NEW(EdtMoveX, GBoxMove);
    EdtMoveX->setText(QStringLiteral("0"));
    SD_NEW(EdtMoveY, GBoxMove);
    EdtMoveY->setText(QStringLiteral("0"));
    addField(mg, 0, 0, QStringLiteral("水平"), EdtMoveX);
    addField(mg, 1, 0, QStringLiteral("垂直"), EdtMoveY);
    SD_NEW(CmbMoveLength, GBoxMove);
    makePickOnly(CmbMoveLength);
    CmbMoveLength->addItems({QStringLiteral("1厘米"), QStringLiteral("1毫米"), QStringLiteral("0.1毫米")});
    CmbMoveLength->setCurrentIndex(1);
    addField(mg, 2, 0, QStringLiteral("步长"), CmbMoveLength);
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
    BtnSaveM->setToolTip(QStringLiteral("不同信函模版的设置是独立的。修改了模板设置的内容，必须进行保存后才一直生效。"));
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

#undef SD_NEW

} // namespace Slipdesk
