#include "waybill/WaybillRender.h"
#include "render/FontMapping.h"
#include "storage/Paths.h"
#include "support/TempDir.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Slipdesk;

TEST(WaybillRender, FieldFileTakesNameValueLines)
{
    const FieldValues values
        = FieldValues::fromFieldFile("CmbSjrMc=王小二\r\nChbFgSjAddress=1\n\nno equals\nEdtWpJe=1=2\n");
    EXPECT_EQ(values.value(QStringLiteral("CmbSjrMc")), QStringLiteral("王小二"));
    EXPECT_EQ(values.value(QStringLiteral("ChbFgSjAddress")), QStringLiteral("1"));
    EXPECT_EQ(values.value(QStringLiteral("EdtWpJe")), QStringLiteral("1=2"));
    EXPECT_EQ(values.size(), 3);
}

TEST(WaybillRender, OpsPlaceItemsAtTheirTemplatePositions)
{
    FontMapping::install();
    TempDir dir;
    WaybillRender::Options options;
    options.templateName = QStringLiteral("默认B6国内信封");
    options.values = {{QStringLiteral("CmbSjrMc"), QStringLiteral("王小二")}};
    options.out = dir.file(QStringLiteral("w.ops"));
    options.printableOffset = QPoint(50, 40);
    ASSERT_EQ(WaybillRender::render(Paths(dir.path()), options), QString());
    // 收件人姓名 stands at left 600, top 750 (0.1 mm): at 600 dpi 1417, 1772.
    const QByteArray ops = dir.read(QStringLiteral("w.ops"));
    EXPECT_TRUE(ops.contains("\"x\":1367,\"y\":1732")) << ops.constData();
    EXPECT_TRUE(ops.contains("王小二"));

    options.preview = true;
    options.out = dir.file(QStringLiteral("p.png"));
    ASSERT_EQ(WaybillRender::render(Paths(dir.path()), options), QString());
    EXPECT_TRUE(QFileInfo(options.out).size() > 0);
}
