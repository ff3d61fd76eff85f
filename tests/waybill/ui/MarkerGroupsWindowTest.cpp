#include "support/MainWindowFixture.h"

#include "platform/ui/WidgetFields.h"
#include "storage/IniFile.h"
#include "storage/TemplateSettings.h"
#include "waybill/MarkerGroups.h"
#include "waybill/ui/ExpressTab.h"
#include "waybill/ui/MarkerGroupsPanel.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QTabWidget>
#include <QTest>

using namespace Slipdesk;

namespace {

const QString kTemplate = QStringLiteral("默认B6国内信封");

class MarkerGroupsWindowTest : public MainWindowTest
{
protected:
    TemplateSettings settings() const { return TemplateSettings(Paths(dir.path()), kTemplate); }
    void prepareTemplate() const { QDir().mkpath(dir.file(QStringLiteral("用户信函模版"))); }
    QCheckBox *box(int n) const
    {
        return control<QCheckBox>(
            n == 11 ? "Chbselect11" : QStringLiteral("ChbSelect%1").arg(n).toLatin1().constData());
    }
    QString ticks(std::initializer_list<int> numbers) const
    {
        QString out;
        for (int n : numbers)
            out.append(box(n)->isChecked() ? u'1' : u'0');
        return out;
    }
    // A click on the group box's own area (its caption), not on a box, with
    // the card "信函信息" shown as the user sees it.
    void clickGroup(QGroupBox *group, Qt::MouseButton button) const
    {
        control<QTabWidget>("PageControlFjxx")->setCurrentIndex(2);
        QTest::mouseClick(group, button, {}, QPoint(3, 3));
    }
    MarkerGroupsPanel &markers() { return *form->expressTab()->markers(); }
};

} // namespace

TEST_F(MarkerGroupsWindowTest, TemplateLoadSetsCaptionsFlagsAndLastState)
{
    prepareTemplate();
    TemplateSettings s = settings();
    s.setMarkerGroupName(2, QStringLiteral("服务"));
    s.setMarkerName(2, 3, QStringLiteral("保价"));
    s.setMarkerGroupMode(3, 1);
    s.setMarkerLastState(1, QStringLiteral("11")); // exclusive: only the first stays
    s.setMarkerLastState(2, QStringLiteral("1")); // shorter than the group
    s.setMarkerLastState(3, QStringLiteral("10101"));
    open();
    EXPECT_EQ(control<QGroupBox>("GBox2")->title(), QStringLiteral("服务"));
    EXPECT_EQ(control<QGroupBox>("GBox1")->title(), QStringLiteral("第1组标记"));
    EXPECT_EQ(box(5)->text(), QStringLiteral("保价"));
    EXPECT_EQ(box(6)->text(), QStringLiteral("标记4"));
    EXPECT_EQ(markers().groupOf(box(11)) * 10 + markers().placeOf(box(11)), 35);
    EXPECT_EQ(ticks({1, 2}), QStringLiteral("10"));
    EXPECT_EQ(ticks({3, 4, 5, 6}), QStringLiteral("1000"));
    EXPECT_EQ(ticks({7, 8, 9, 10, 11}), QStringLiteral("10101"));
    EXPECT_TRUE(control<QGroupBox>("GBox3")->font().bold());
    EXPECT_FALSE(control<QGroupBox>("GBox1")->font().bold());
    EXPECT_FALSE(box(7)->font().bold());
    EXPECT_FALSE(markers().changed());
}

TEST_F(MarkerGroupsWindowTest, ExclusiveGroupUnticksTheOthers)
{
    open();
    box(3)->click();
    box(4)->click();
    EXPECT_EQ(ticks({3, 4, 5, 6}), QStringLiteral("0100"));
    EXPECT_TRUE(markers().changed());
    // Several allowed: both stay.
    clickGroup(control<QGroupBox>("GBox1"), Qt::LeftButton);
    box(1)->click();
    box(2)->click();
    EXPECT_EQ(ticks({1, 2}), QStringLiteral("11"));
}

TEST_F(MarkerGroupsWindowTest, TogglingExclusivityWritesAtOnceAndRestyles)
{
    prepareTemplate();
    open();
    auto *group = control<QGroupBox>("GBox3");
    clickGroup(group, Qt::LeftButton);
    EXPECT_FALSE(markers().exclusive(3));
    EXPECT_TRUE(group->font().bold());
    EXPECT_EQ(settings().markerGroupMode(3), 1);

    box(7)->click();
    box(9)->click();
    box(10)->click();
    EXPECT_EQ(ticks({7, 8, 9, 10, 11}), QStringLiteral("10110"));
    clickGroup(group, Qt::LeftButton);
    EXPECT_TRUE(markers().exclusive(3));
    EXPECT_FALSE(group->font().bold());
    EXPECT_EQ(ticks({7, 8, 9, 10, 11}), QStringLiteral("10000"));
    EXPECT_EQ(settings().markerGroupMode(3), 0);

    // A left click on a box is the box's, not the group's.
    QTest::mouseClick(box(8), Qt::LeftButton);
    EXPECT_TRUE(markers().exclusive(3));
}

TEST_F(MarkerGroupsWindowTest, RenamingThroughThePrompt)
{
    prepareTemplate();
    open();
    messages.answerPrompt(QStringLiteral("易碎"));
    QTest::mouseClick(box(5), Qt::RightButton);
    EXPECT_EQ(box(5)->text(), QStringLiteral("易碎"));
    EXPECT_EQ(settings().markerName(2, 3), QStringLiteral("易碎"));
    ASSERT_EQ(messages.calls().size(), 1);
    EXPECT_EQ(messages.calls().at(0).text, QStringLiteral("请输入标记项目的名称"));
    EXPECT_EQ(messages.calls().at(0).preset, QStringLiteral("标记3"));
    EXPECT_FALSE(box(5)->isChecked());

    messages.answerPrompt(QStringLiteral("增值服务"));
    clickGroup(control<QGroupBox>("GBox2"), Qt::RightButton);
    EXPECT_EQ(control<QGroupBox>("GBox2")->title(), QStringLiteral("增值服务"));
    EXPECT_EQ(settings().markerGroupName(2), QStringLiteral("增值服务"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("请输入标记组的名称"));
    EXPECT_TRUE(markers().exclusive(2));

    // Cancelling leaves caption and settings as they were.
    messages.cancelPrompt();
    QTest::mouseClick(box(11), Qt::RightButton);
    EXPECT_EQ(box(11)->text(), QStringLiteral("标记5"));
    EXPECT_FALSE(IniFile(dir.file(QStringLiteral("用户信函模版/") + kTemplate + QStringLiteral(".INI")))
                     .valueExists(QStringLiteral("业务标记"), QStringLiteral("第3组标记5")));
}

TEST_F(MarkerGroupsWindowTest, LastStateIsSavedOnlyAfterAUserChangeAndComesBack)
{
    prepareTemplate();
    open();
    markers().saveLastStates();
    EXPECT_FALSE(IniFile(dir.file(QStringLiteral("用户信函模版/") + kTemplate + QStringLiteral(".INI")))
                     .valueExists(QStringLiteral("业务标记"), QStringLiteral("第1组标记最后设置")));
    box(2)->click();
    box(6)->click();
    box(11)->click();
    // Leaving the express tab is one of the two save moments.
    ASSERT_TRUE(form->switchToPage(2));
    EXPECT_EQ(settings().markerLastState(1), QStringLiteral("01"));
    EXPECT_EQ(settings().markerLastState(2), QStringLiteral("0001"));
    EXPECT_EQ(settings().markerLastState(3), QStringLiteral("00001"));
    EXPECT_FALSE(markers().changed());

    form.reset();
    open();
    EXPECT_EQ(ticks({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), QStringLiteral("01000100001"));
}

TEST_F(MarkerGroupsWindowTest, LogAndBatchForms)
{
    prepareTemplate();
    TemplateSettings s = settings();
    s.setMarkerGroupMode(2, 1);
    s.setMarkerName(2, 1, QStringLiteral("易碎"));
    s.setMarkerName(2, 2, QStringLiteral("加急"));
    s.setMarkerName(2, 4, QStringLiteral("到,付"));
    s.setMarkerName(1, 2, QStringLiteral("上门"));
    open();
    box(2)->click();
    box(3)->click();
    box(4)->click();
    box(6)->click();
    EXPECT_EQ(markers().logText(1), QStringLiteral("上门"));
    EXPECT_EQ(markers().logText(2), QStringLiteral("易碎+加急+到,付"));
    EXPECT_EQ(markers().logText(3), QString());
    // The log takes the fields as the template names them, cleaned of commas.
    EXPECT_EQ(MarkerGroups::logFields(settings(), form->expressTab()->values()).join(u','),
        QStringLiteral("上门,易碎+加急+到付,"));
    EXPECT_EQ(markers().batchText(), QStringLiteral("01,1101,00000"));

    // A batch field of the wrong length leaves the group alone.
    markers().applyBatchText(3, QStringLiteral("011"));
    EXPECT_EQ(markers().batchText(3), QStringLiteral("00000"));
    markers().applyBatchText(3, QStringLiteral("01100"));
    EXPECT_EQ(markers().batchText(3), QStringLiteral("00100")); // exclusive group: the later tick wins
    markers().applyBatchText(2, QStringLiteral("0011"));
    EXPECT_EQ(markers().batchText(2), QStringLiteral("0011"));
}
