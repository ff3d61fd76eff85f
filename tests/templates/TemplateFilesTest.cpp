// The files behind the template list's management commands.

#include "templates/TemplateFiles.h"
#include "storage/IniFile.h"
#include "storage/Paths.h"
#include "storage/ProgramSettings.h"
#include "support/TempDir.h"
#include "templates/ItemTable.h"
#include "templates/TemplateList.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Slipdesk;

namespace {

class TemplateFilesTest : public ::testing::Test
{
protected:
    TemplateFilesTest()
    {
        ProgramSettings settings(paths);
        TemplateList::save(settings, ItemTable::Express, {QStringLiteral("顺丰"), QStringLiteral("顺丰副本")});
        TemplateList::save(settings, ItemTable::Delivery, {QStringLiteral("发货单")});
        TemplateList::save(settings, ItemTable::Inbound, {QStringLiteral("入库单")});
    }
    void writeTemplate(const QString &name, const QString &picture = QString())
    {
        dir.write(QStringLiteral("用户信函模版/") + name + QStringLiteral(".SET"), "set of " + name.toUtf8());
        IniFile ini(paths.templateIni(name));
        ini.writeString(QStringLiteral("打印设备"), QStringLiteral("信函号码"), QStringLiteral("SF0001"));
        if (!picture.isEmpty())
            ini.writeString(QStringLiteral("打印设备"), QStringLiteral("背景图片文件路径"), picture);
    }
    bool inTemplates(const QString &file) const { return dir.exists(QStringLiteral("用户信函模版/") + file); }

    TempDir dir;
    Paths paths {dir.path()};
};

} // namespace

TEST_F(TemplateFilesTest, NamesFollowTheRulesAndNoKindSharesOne)
{
    const QStringList all = TemplateFiles::everyTemplate(paths);
    EXPECT_EQ(all.size(), 4);
    EXPECT_TRUE(TemplateFiles::acceptableName(QStringLiteral("圆通"), all));
    for (const QString &bad :
        {QString(), QStringLiteral("  "), QStringLiteral("圆 通"), QStringLiteral("圆通.A"), QStringLiteral("a/b"),
            QStringLiteral("a\\b"), QStringLiteral("a,b"), QStringLiteral("a|b"), QStringLiteral("顺丰")})
        EXPECT_FALSE(TemplateFiles::acceptableName(bad, all)) << bad.toStdString();
    // A name another kind already has is refused too: they share files and logs.
    EXPECT_FALSE(TemplateFiles::acceptableName(QStringLiteral("入库单"), all));
    // Rename to the current name.
    QStringList others = all;
    others.removeOne(QStringLiteral("顺丰"));
    EXPECT_FALSE(TemplateFiles::acceptableName(QStringLiteral("顺丰"), others, QStringLiteral("顺丰")));
    EXPECT_EQ(TemplateFiles::kindOf(paths, QStringLiteral("发货单")), ItemTable::Delivery);
    EXPECT_EQ(TemplateFiles::kindOf(paths, QStringLiteral("无")), -1);
}

TEST_F(TemplateFilesTest, RenameMovesSetAndIniOverAStrayFileAndKeepsThePicture)
{
    writeTemplate(QStringLiteral("顺丰"), QStringLiteral("顺丰.JPG"));
    dir.write(QStringLiteral("用户信函模版/顺丰.JPG"), "jpeg");
    dir.write(QStringLiteral("用户信函模版/圆通.SET"), "stray");
    TemplateFiles::rename(paths, QStringLiteral("顺丰"), QStringLiteral("圆通"));
    EXPECT_EQ(dir.read(QStringLiteral("用户信函模版/圆通.SET")), QByteArray("set of 顺丰"));
    EXPECT_TRUE(inTemplates(QStringLiteral("圆通.INI")));
    EXPECT_FALSE(inTemplates(QStringLiteral("顺丰.SET")));
    EXPECT_FALSE(inTemplates(QStringLiteral("顺丰.INI")));
    EXPECT_TRUE(inTemplates(QStringLiteral("顺丰.JPG")));
}

TEST_F(TemplateFilesTest, DeleteKeepsAPictureAnotherTemplateStillShows)
{
    writeTemplate(QStringLiteral("顺丰"), QStringLiteral("顺丰.JPG"));
    writeTemplate(QStringLiteral("顺丰副本"), QStringLiteral("顺丰.JPG")); // a copy names its source's picture
    dir.write(QStringLiteral("用户信函模版/顺丰.JPG"), "jpeg");
    TemplateFiles::remove(paths, QStringLiteral("顺丰"), ItemTable::Express);
    EXPECT_FALSE(inTemplates(QStringLiteral("顺丰.SET")));
    EXPECT_FALSE(inTemplates(QStringLiteral("顺丰.INI")));
    EXPECT_TRUE(inTemplates(QStringLiteral("顺丰.JPG")));

    // The list no longer holds the deleted one; the copy was the last to name it.
    ProgramSettings settings(paths);
    TemplateList::save(settings, ItemTable::Express, {QStringLiteral("顺丰副本")});
    TemplateFiles::remove(paths, QStringLiteral("顺丰副本"), ItemTable::Express);
    EXPECT_FALSE(inTemplates(QStringLiteral("顺丰.JPG")));
}

TEST_F(TemplateFilesTest, ExportNeedsSavedFilesAndTakesThePictureAlong)
{
    EXPECT_FALSE(
        TemplateFiles::exportTo(paths, QStringLiteral("顺丰"), QString(), dir.file(QStringLiteral("out/a.Set"))));
    writeTemplate(QStringLiteral("顺丰"));
    dir.write(QStringLiteral("用户信函模版/顺丰.JPG"), "jpeg");
    EXPECT_TRUE(TemplateFiles::exportTo(paths, QStringLiteral("顺丰"), paths.templateDir() + QStringLiteral("顺丰.JPG"),
        dir.file(QStringLiteral("out/a.Set"))));
    EXPECT_EQ(dir.read(QStringLiteral("out/a.SET")), QByteArray("set of 顺丰"));
    EXPECT_TRUE(dir.exists(QStringLiteral("out/a.INI")));
    EXPECT_EQ(dir.read(QStringLiteral("out/a.JPG")), QByteArray("jpeg"));

    // Exported onto its own files, and imported back from them, it stays whole.
    EXPECT_TRUE(TemplateFiles::exportTo(paths, QStringLiteral("顺丰"), paths.templateDir() + QStringLiteral("顺丰.JPG"),
        paths.templateDir() + QStringLiteral("顺丰.Set")));
    EXPECT_EQ(TemplateFiles::importFrom(paths, paths.templateDir() + QStringLiteral("顺丰.SET"), 0),
        TemplateFiles::Import::Done);
    EXPECT_EQ(dir.read(QStringLiteral("用户信函模版/顺丰.SET")), QByteArray("set of 顺丰"));
    EXPECT_EQ(dir.read(QStringLiteral("用户信函模版/顺丰.JPG")), QByteArray("jpeg"));
}

TEST_F(TemplateFilesTest, ImportUsesOnlyThePicturesFileNameAndRefusesAnotherKindsName)
{
    // Files to import, whose settings name a picture outside their folder.
    dir.write(QStringLiteral("in/sub/圆通.SET"), "set of 圆通");
    IniFile(dir.file(QStringLiteral("in/sub/圆通.INI")))
        .writeString(QStringLiteral("打印设备"), QStringLiteral("背景图片文件路径"), QStringLiteral("../../x.jpg"));
    dir.write(QStringLiteral("x.jpg"), "outside");
    dir.write(QStringLiteral("in/sub/x.jpg"), "beside");
    const QString chosen = dir.file(QStringLiteral("in/sub/圆通.SET"));
    EXPECT_EQ(TemplateFiles::importedName(chosen), QStringLiteral("圆通"));
    EXPECT_TRUE(TemplateFiles::importRefusal(paths, chosen, ItemTable::Express).isEmpty());
    EXPECT_EQ(TemplateFiles::importFrom(paths, chosen, ItemTable::Express), TemplateFiles::Import::Done);
    EXPECT_EQ(dir.read(QStringLiteral("用户信函模版/圆通.SET")), QByteArray("set of 圆通"));
    EXPECT_EQ(dir.read(QStringLiteral("用户信函模版/x.jpg")), QByteArray("beside"));
    EXPECT_EQ(dir.read(QStringLiteral("x.jpg")), QByteArray("outside"));
    EXPECT_EQ(IniFile(paths.templateIni(QStringLiteral("圆通")))
                  .readString(QStringLiteral("打印设备"), QStringLiteral("背景图片文件路径")),
        QStringLiteral("x.jpg"));

    // Without its companion settings the import is incomplete.
    dir.write(QStringLiteral("in/单.SET"), "set");
    EXPECT_EQ(TemplateFiles::importFrom(paths, dir.file(QStringLiteral("in/单.SET")), ItemTable::Express),
        TemplateFiles::Import::Incomplete);
    // A delivery template's name imported as an inbound template.
    EXPECT_FALSE(
        TemplateFiles::importRefusal(paths, dir.file(QStringLiteral("in/发货单.SET")), ItemTable::Inbound).isEmpty());
}
