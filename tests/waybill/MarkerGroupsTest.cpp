#include "waybill/MarkerGroups.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(MarkerGroupsTest, StatePatterns)
{
    EXPECT_EQ(MarkerGroups::stateText({true, false, true, false}), QStringLiteral("1010"));
    for (const auto &[state, boxes, ticks] :
         {std::tuple{QStringLiteral("1"), 4, QList<bool>{true, false, false, false}},
          {QStringLiteral("01"), 2, QList<bool>{false, true}},
          {QStringLiteral("1x11111"), 5, QList<bool>{true, false, true, true, true}},
          {QString(), 2, QList<bool>{false, false}}})
        EXPECT_EQ(MarkerGroups::ticksFromState(state, boxes), ticks) << state.toStdString();
}

TEST(MarkerGroupsTest, LogForm)
{
    const QStringList captions{QStringLiteral("易碎"), QStringLiteral("加急"), QStringLiteral("到付")};
    EXPECT_EQ(MarkerGroups::logText(captions, {true, true, true}, false), QStringLiteral("易碎+加急+到付"));
    EXPECT_EQ(MarkerGroups::logText(captions, {true, false, true}, true), QStringLiteral("易碎到付"));
    EXPECT_EQ(MarkerGroups::logText(captions, {false, true, false}, false), QStringLiteral("加急"));
    EXPECT_EQ(MarkerGroups::logText(captions, {false, false, false}, false), QString());
}

TEST(MarkerGroupsTest, KeepFirstTicked)
{
    EXPECT_EQ(MarkerGroups::keepFirstTicked({false, true, false, true}), (QList<bool>{false, true, false, false}));
    EXPECT_EQ(MarkerGroups::keepFirstTicked({true, false, true}), (QList<bool>{true, false, false}));
}
