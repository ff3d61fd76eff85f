#include "waybill/MarkerGroups.h"
#include "storage/Paths.h"
#include "storage/TemplateSettings.h"
#include "support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(MarkerGroupsTest, StatePatterns)
{
    EXPECT_EQ(MarkerGroups::stateText({true, false, true, false}), QStringLiteral("1010"));
    for (const auto &[state, boxes, ticks] :
        {std::tuple {QStringLiteral("1"), 4, QList<bool> {true, false, false, false}},
            {QStringLiteral("01"), 2, QList<bool> {false, true}},
            {QStringLiteral("1x11111"), 5, QList<bool> {true, false, true, true, true}},
            {QString(), 2, QList<bool> {false, false}}})
        EXPECT_EQ(MarkerGroups::ticksFromState(state, boxes), ticks) << state.toStdString();
}

TEST(MarkerGroupsTest, LogForm)
{
    const QStringList captions {QStringLiteral("易碎"), QStringLiteral("加急"), QStringLiteral("到付")};
    EXPECT_EQ(MarkerGroups::logText(captions, {true, true, true}, false), QStringLiteral("易碎+加急+到付"));
    EXPECT_EQ(MarkerGroups::logText(captions, {true, false, true}, true), QStringLiteral("易碎到付"));
    EXPECT_EQ(MarkerGroups::logText(captions, {false, true, false}, false), QStringLiteral("加急"));
    EXPECT_EQ(MarkerGroups::logText(captions, {false, false, false}, false), QString());
}

TEST(MarkerGroupsTest, KeepFirstTicked)
{
    EXPECT_EQ(MarkerGroups::keepFirstTicked({false, true, false, true}), (QList<bool> {false, true, false, false}));
    EXPECT_EQ(MarkerGroups::keepFirstTicked({true, false, true}), (QList<bool> {true, false, false}));
}

TEST(MarkerGroupsTest, BoxesAreNumberedThroughTheGroups)
{
    EXPECT_EQ(MarkerGroups::boxControl(1, 1), QStringLiteral("ChbSelect1"));
    EXPECT_EQ(MarkerGroups::boxControl(2, 4), QStringLiteral("ChbSelect6"));
    EXPECT_EQ(MarkerGroups::boxControl(3, 4), QStringLiteral("ChbSelect10"));
    EXPECT_EQ(MarkerGroups::boxControl(3, 5), QStringLiteral("Chbselect11"));
}

// The log fields come from the template's captions and exclusivity and the
// ticks of the entry values, each cleaned of commas.
TEST(MarkerGroupsTest, LogFieldsOfATemplate)
{
    TempDir dir;
    QDir().mkpath(dir.file(QStringLiteral("用户信函模版")));
    TemplateSettings settings(Paths(dir.path()), QStringLiteral("顺丰"));
    settings.setMarkerGroupMode(2, 1);
    settings.setMarkerName(2, 1, QStringLiteral("易碎"));
    settings.setMarkerName(2, 4, QStringLiteral("到,付"));
    settings.setMarkerName(3, 5, QStringLiteral("保价"));
    const FieldValues values {{QStringLiteral("ChbSelect3"), QStringLiteral("1")},
        {QStringLiteral("ChbSelect6"), QStringLiteral("1")}, {QStringLiteral("Chbselect11"), QStringLiteral("1")}};
    EXPECT_EQ(MarkerGroups::logFields(settings, values),
        (QStringList {QString(), QStringLiteral("易碎+到付"), QStringLiteral("保价")}));
}
