#include "GoodsMaster.h"

#include "storage/Paths.h"
#include "storage/TextTable.h"

#include <QFileInfo>

namespace Slipdesk::GoodsMaster {

QString fileName() { return QStringLiteral("商品资料.TXT"); }

QStringList samples()
{
    return {QStringLiteral("0101,手机,个,10,1500,翻盖型,1200,示例数码批发部"),
            QStringLiteral("0102,电脑,台,10,3500,宽屏,3000,自己组装机")};
}

QStringList load(const Paths &paths)
{
    const QString path = paths.file(fileName());
    return QFileInfo::exists(path) ? TextTable::load(path) : samples();
}

} // namespace Slipdesk::GoodsMaster
