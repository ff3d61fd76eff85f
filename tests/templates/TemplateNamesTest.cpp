// Template names read from the data folder's own files get the checks of
// names typed in the template manager: a name that is no plain file-name
// stem is left out of the list and never made into a path.

#include "storage/Codec.h"
#include "storage/IoError.h"
#include "storage/Paths.h"
#include "storage/ProgramSettings.h"
#include "support/TempDir.h"
#include "templates/ItemTable.h"
#include "templates/TemplateFiles.h"
#include "templates/TemplateList.h"
#include "trade/DeliveryQueue.h"
#include "trade/TradeLogs.h"

#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(TemplateNames, BadNamesFromTheSettingsAreLeftOutAndNeverBecomePaths)
{
    TempDir dir;
    const Paths paths(dir.path());
    dir.write(QStringLiteral("SlipdeskPosts.INI"),
        Codec::encode(QStringLiteral("[出库发货单模版列表]\r\n模版总数=4\r\n模版1=出库发货单\r\n"
                                     "模版2=../../outside/evil\r\n模版3=..\r\n模版4=发货单 二.1\r\n"
                                     "[信函快递单模版列表]\r\n模版总数=1\r\n模版1=/etc/passwd\r\n")));
    ProgramSettings settings(paths);
    EXPECT_EQ(TemplateList::peek(settings, ItemTable::Delivery),
        (QStringList {QStringLiteral("出库发货单"), QStringLiteral("发货单 二.1")}));
    EXPECT_EQ(TemplateList::load(settings, ItemTable::Delivery), TemplateList::peek(settings, ItemTable::Delivery));
    // A list of nothing usable shows the kind's default template.
    EXPECT_EQ(TemplateList::peek(settings, ItemTable::Express), QStringList {QStringLiteral("默认B6国内信封")});
    EXPECT_FALSE(TemplateFiles::everyTemplate(paths).contains(QStringLiteral("../../outside/evil")));

    for (const QString &bad : {QStringLiteral("../../outside/evil"), QStringLiteral(".."), QStringLiteral("a\\b"),
             QStringLiteral("换\n行"), QStringLiteral("  "), QStringLiteral(".隐藏"), QStringLiteral("a,b")}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_FALSE(Paths::isFileStem(bad));
        EXPECT_THROW(paths.templateIni(bad), IoError);
        EXPECT_THROW(paths.templateSet(bad), IoError);
        EXPECT_THROW(TradeLogs::logPath(paths, NoteKind::Delivery, bad, 2026), IoError);
        EXPECT_THROW(TradeLogs::detailPath(paths, NoteKind::Delivery, bad, 2026), IoError);
        EXPECT_THROW(DeliveryQueue::file(paths, bad), IoError);
        EXPECT_FALSE(TemplateFiles::acceptableName(bad, {}));
    }
    EXPECT_EQ(
        paths.templateIni(QStringLiteral("出库发货单")), dir.path() + QStringLiteral("用户信函模版/出库发货单.INI"));
    try {
        paths.templateIni(QStringLiteral("../../outside/evil"));
    } catch (const IoError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("“../../outside/evil”不能用作文件名")))
            << e.message().toStdString();
    }
    // An imported file gives its stem as the name: the same rule (blanks and
    // dots have always been kept in imported names).
    EXPECT_FALSE(TemplateFiles::importRefusal(paths, dir.file(QStringLiteral("in/顺丰,2024.SET")), ItemTable::Express)
                     .isEmpty());
    EXPECT_TRUE(TemplateFiles::importRefusal(paths, dir.file(QStringLiteral("in/顺丰 v1.2.SET")), ItemTable::Express)
                    .isEmpty());
    EXPECT_TRUE(
        TemplateFiles::importRefusal(paths, dir.file(QStringLiteral("in/顺丰.SET")), ItemTable::Express).isEmpty());
}
