#pragma once

#include <QStringList>

namespace Slipdesk {

class Paths;

// The goods master "商品资料.TXT": 商品编码,商品名称,计量单位,库存数量,售价,出库备注,进价,
// 入库备注,待发数量. Loaded once, on first use.
namespace GoodsMaster {

QString fileName();
QStringList samples();
QStringList load(const Paths &paths);

} // namespace GoodsMaster
} // namespace Slipdesk
