#include "storage/Codec.h"
#include "storage/IniFile.h"
#include "storage/Paths.h"
#include "storage/ProgramSettings.h"
#include "storage/TemplateSettings.h"
#include "support/TempDir.h"

#include <QFileInfo>

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace Slipdesk;
using namespace Qt::StringLiterals;

// ---- folders -------------------------------------------------------------------

TEST(Paths, LayoutBelowTheProgramFolder)
{
    const Paths paths(u"/opt/slipdesk"_s);
    EXPECT_EQ(paths.root(), u"/opt/slipdesk/");
    EXPECT_EQ(Paths(u"/opt/slipdesk/"_s).root(), u"/opt/slipdesk/");
    EXPECT_EQ(paths.file(u"打印记录\\快递打印记录2024.txt"_s), u"/opt/slipdesk/打印记录/快递打印记录2024.txt");
    EXPECT_EQ(paths.templateDir(), u"/opt/slipdesk/用户信函模版/");
    EXPECT_EQ(paths.logDir(), u"/opt/slipdesk/打印记录/");
    EXPECT_EQ(paths.batchDir(), u"/opt/slipdesk/批打数据/");
    EXPECT_EQ(paths.programIni(), u"/opt/slipdesk/SlipdeskPosts.INI");
    EXPECT_EQ(paths.templateIni(u"默认B6国内信封"_s), u"/opt/slipdesk/用户信函模版/默认B6国内信封.INI");
    EXPECT_EQ(paths.templateSet(u"出库发货单"_s), u"/opt/slipdesk/用户信函模版/出库发货单.SET");
}

TEST(Paths, CreatesTheThreeDataFolders)
{
    TempDir dir;
    dir.write(u"打印记录"_s, "a file in the way");
    Paths(dir.path()).createDataFolders(); // the failure for 打印记录 is ignored
    EXPECT_TRUE(QFileInfo(dir.file(u"用户信函模版"_s)).isDir());
    EXPECT_TRUE(QFileInfo(dir.file(u"批打数据"_s)).isDir());
    EXPECT_TRUE(QFileInfo(dir.file(u"打印记录"_s)).isFile());
}

// ---- program settings ------------------------------------------------------------

class ProgramSettingsTest : public ::testing::Test
{
protected:
    TempDir m_dir;
    Paths m_paths {m_dir.path()};
    ProgramSettings m_settings {m_paths};
};

TEST_F(ProgramSettingsTest, DefaultsFromMissingAndFromEmptyFile)
{
    for (const bool emptyFile : {false, true}) {
        SCOPED_TRACE(emptyFile ? "empty file" : "missing file");
        if (emptyFile)
            m_dir.write(u"SlipdeskPosts.INI"_s, QByteArray());
        EXPECT_EQ(m_settings.lastTemplate(), 0);
        EXPECT_FALSE(m_settings.autoCopy());
        EXPECT_EQ(m_settings.sellerMessage(),
            u"收货时请当场清点核对，单、货是否一致。如有疑议，请当面指出，并及时联系卖家。");
        EXPECT_TRUE(m_settings.expressSharedAddress());
        EXPECT_EQ(m_settings.expressAddressType(), 2);
        EXPECT_TRUE(m_settings.deliverySharedAddress());
        EXPECT_EQ(m_settings.deliveryAddressType(), 0);
        for (int kind = 0; kind < 3; ++kind) {
            EXPECT_EQ(m_settings.templateCount(kind), 0);
            EXPECT_TRUE(m_settings.templateNames(kind).isEmpty());
        }
    }
    EXPECT_TRUE(m_dir.read(u"SlipdeskPosts.INI"_s).isEmpty()) << "reading wrote nothing";
}

TEST_F(ProgramSettingsTest, KeysOnDisk)
{
    m_settings.setLastTemplate(3);
    m_settings.setAutoCopy(true);
    m_settings.setExpressSharedAddress(false);
    m_settings.setDeliveryAddressType(1);
    EXPECT_EQ(Codec::decode(m_dir.read(u"SlipdeskPosts.INI"_s)),
        u"[Main]\r\n最后模版=3\r\n自动感应复制操作=1\r\n快递是否共用地址=0\r\n发货地址类型=1\r\n");
    EXPECT_EQ(m_settings.lastTemplate(), 3);
    EXPECT_TRUE(m_settings.autoCopy());
    EXPECT_FALSE(m_settings.expressSharedAddress());
    EXPECT_EQ(m_settings.deliveryAddressType(), 1);
}

TEST_F(ProgramSettingsTest, LegacyListIsReadOnceAndDeleted)
{
    EXPECT_EQ(m_settings.takeLegacyList(u"计量单位"_s), u"");
    EXPECT_FALSE(m_dir.exists(u"SlipdeskPosts.INI"_s));
    m_dir.write(u"SlipdeskPosts.INI"_s, Codec::encode(u"[Main]\r\n计量单位=件,个,套\r\n最后模版=1\r\n"));
    EXPECT_EQ(m_settings.takeLegacyList(u"计量单位"_s), u"件,个,套");
    EXPECT_EQ(m_settings.takeLegacyList(u"计量单位"_s), u"");
    EXPECT_EQ(Codec::decode(m_dir.read(u"SlipdeskPosts.INI"_s)), u"[Main]\r\n最后模版=1\r\n");
}

TEST_F(ProgramSettingsTest, TemplateListsPerKind)
{
    EXPECT_EQ(ProgramSettings::kindName(0), u"信函快递单模版");
    EXPECT_EQ(ProgramSettings::kindName(1), u"出库发货单模版");
    EXPECT_EQ(ProgramSettings::kindName(2), u"采购入库单模版");
    EXPECT_EQ(ProgramSettings::defaultTemplateName(0), u"默认B6国内信封");
    EXPECT_EQ(ProgramSettings::defaultTemplateName(1), u"出库发货单");
    EXPECT_EQ(ProgramSettings::defaultTemplateName(2), u"采购入库单");

    m_settings.setTemplateNames(1, {u"甲"_s, u"乙"_s, u"丙"_s});
    m_settings.setTemplateNames(1, {u"丁"_s});
    EXPECT_EQ(Codec::decode(m_dir.read(u"SlipdeskPosts.INI"_s)), u"[出库发货单模版列表]\r\n模版总数=1\r\n模版1=丁\r\n");
    EXPECT_EQ(m_settings.templateNames(1), QStringList {u"丁"_s});
    EXPECT_TRUE(m_settings.templateNames(0).isEmpty());

    // Exactly "模版总数" names are read, missing ones as empty text.
    m_dir.write(u"SlipdeskPosts.INI"_s, Codec::encode(u"[信函快递单模版列表]\r\n模版总数=2\r\n模版1=A\r\n模版3=C\r\n"));
    EXPECT_EQ(m_settings.templateNames(0), (QStringList {u"A"_s, u""_s}));
    m_dir.write(u"SlipdeskPosts.INI"_s, Codec::encode(u"[信函快递单模版列表]\r\n模版总数=-1\r\n"));
    EXPECT_TRUE(m_settings.templateNames(0).isEmpty());
}

// ---- template settings -----------------------------------------------------------

class TemplateSettingsTest : public ::testing::Test
{
protected:
    TempDir m_dir;
    Paths m_paths {m_dir.path()};
    TemplateSettings m_settings {m_paths, u"默认B6国内信封"_s};
};

TEST_F(TemplateSettingsTest, DefaultsOfAFreshTemplate)
{
    const TemplateSettings &s = m_settings;
    EXPECT_EQ(s.printer(), u"");
    EXPECT_EQ(s.feedDirection(), 0);
    EXPECT_EQ(s.paperSize(), 0);
    EXPECT_EQ(s.otherPaper(), u"");
    EXPECT_EQ(s.moveX(), u"0");
    EXPECT_EQ(s.moveY(), u"0");
    // express
    EXPECT_EQ(s.defaultSenderIndex(), 0);
    EXPECT_EQ(s.handler(), u"经办人");
    EXPECT_FALSE(s.splitRecipientAddress());
    EXPECT_FALSE(s.splitSenderAddress());
    EXPECT_TRUE(s.previewShowPicture());
    EXPECT_EQ(s.backgroundPicture(), u"默认B6国内信封.JPG");
    EXPECT_EQ(s.dateFormat(), 0);
    EXPECT_EQ(s.amountCapitalFormat(), 1);
    EXPECT_EQ(s.codCapitalFormat(), 0);
    EXPECT_EQ(s.insuredCapitalFormat(), 0);
    EXPECT_EQ(s.waybillNumber(), u"");
    EXPECT_EQ(s.defaultMessage(), u"");
    EXPECT_EQ(s.addressType(), 0);
    // delivery and inbound
    EXPECT_EQ(s.defaultShipperIndex(), 0);
    EXPECT_EQ(s.deliveryNumber(), u"CK000001");
    EXPECT_EQ(s.sellerLastMessage(), u"");
    EXPECT_EQ(s.deliveryAddressType(), 2);
    EXPECT_EQ(s.defaultInboundHandlerIndex(), 0);
    EXPECT_EQ(s.inboundNumber(), u"RK000001");
    EXPECT_EQ(TemplateSettings::deliveryCaptionKeys().size(), 13);
    EXPECT_EQ(TemplateSettings::deliveryCaptionKeys().first(), u"买家姓名值");
    EXPECT_EQ(TemplateSettings::deliveryCaptionKeys().last(), u"快递单号值");
    EXPECT_EQ(TemplateSettings::inboundCaptionKeys(),
        (QStringList {u"入库经办人值"_s, u"入库类别值"_s, u"入库日期值"_s, u"入库单号值"_s}));
    for (const QString &key : TemplateSettings::deliveryCaptionKeys() + TemplateSettings::inboundCaptionKeys())
        EXPECT_EQ(s.captionValue(key), u"");
    EXPECT_FALSE(m_dir.exists(u"用户信函模版"_s));
}

TEST_F(TemplateSettingsTest, MarkerGroups)
{
    struct Group
    {
        int group;
        int markers;
        const char16_t *name;
        const char16_t *state;
    };
    const Group groups[] = {{1, 2, u"第1组标记", u"00"}, {2, 4, u"第2组标记", u"0000"}, {3, 5, u"第3组标记", u"00000"}};
    for (const auto &g : groups) {
        SCOPED_TRACE(g.group);
        EXPECT_EQ(TemplateSettings::markerCount(g.group), g.markers);
        EXPECT_EQ(m_settings.markerGroupName(g.group), QString::fromUtf16(g.name));
        EXPECT_EQ(m_settings.markerGroupMode(g.group), 0);
        EXPECT_EQ(m_settings.markerLastState(g.group), QString::fromUtf16(g.state));
        for (int k = 1; k <= g.markers; ++k)
            EXPECT_EQ(m_settings.markerName(g.group, k), u"标记"_s + QString::number(k));
    }
    m_settings.setMarkerName(2, 3, u"加急"_s);
    m_settings.setMarkerGroupMode(2, 1);
    m_settings.setMarkerLastState(3, u"01001"_s);
    EXPECT_EQ(Codec::decode(m_dir.read(u"用户信函模版/默认B6国内信封.INI"_s)),
        u"[业务标记]\r\n第2组标记3=加急\r\n第2组标记勾选项互斥=1\r\n第3组标记最后设置=01001\r\n");
}

TEST_F(TemplateSettingsTest, PrintDeviceIsSavedTogether)
{
    TemplateSettings::PrintDevice device;
    device.printer = u"HP LaserJet"_s;
    device.paperSize = 1;
    device.otherPaper = u"信封"_s;
    device.moveX = u"-15"_s;
    m_settings.setPrintDevice(device);
    EXPECT_EQ(m_settings.otherPaper(), u"") << "only written while the paper size is 3 (其他)";
    EXPECT_EQ(m_settings.moveX(), u"-15");
    device.paperSize = 3;
    m_settings.setPrintDevice(device);
    const TemplateSettings::PrintDevice back = m_settings.printDevice();
    EXPECT_EQ(back.printer, u"HP LaserJet");
    EXPECT_EQ(back.paperSize, 3);
    EXPECT_EQ(back.otherPaper, u"信封");
    EXPECT_EQ(back.moveY, u"0");
}

TEST_F(TemplateSettingsTest, KindKeysOnDisk)
{
    m_settings.setDeliveryNumber(u"CK000002"_s);
    m_settings.setCaptionValue(u"买家姓名值"_s, u"收货人"_s);
    m_settings.setAddressType(3);
    m_settings.setPreviewShowPicture(false);
    EXPECT_EQ(Codec::decode(m_dir.read(u"用户信函模版/默认B6国内信封.INI"_s)),
        u"[打印设备]\r\n发货单号码=CK000002\r\n买家姓名值=收货人\r\n快递地址类型=3\r\n预览时显示背景图片=0\r\n");
    EXPECT_EQ(m_settings.captionValues({u"买家昵称值"_s, u"买家姓名值"_s}), (QStringList {u""_s, u"收货人"_s}));
}

} // namespace
