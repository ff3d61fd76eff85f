#include "OrderResult.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace Slipdesk {

QStringList OrderResult::keys()
{
    return {QStringLiteral("name"), QStringLiteral("destination"), QStringLiteral("province"), QStringLiteral("city"),
        QStringLiteral("district"), QStringLiteral("address"), QStringLiteral("telephone"), QStringLiteral("postcode"),
        QStringLiteral("mobile"), QStringLiteral("nickname"), QStringLiteral("payment"), QStringLiteral("chat")};
}

QStringList OrderResult::values() const
{
    return {name, destination, province, city, district, address, telephone, postcode, mobile, nickname, payment, chat};
}

QByteArray OrderResult::toJson() const
{
    // QJsonObject sorts its keys, so the object is written by hand; each value
    // is escaped by QJsonDocument through a one-element array.
    const QStringList k = keys();
    const QStringList v = values();
    QByteArray out = "{";
    for (int i = 0; i < k.size(); ++i) {
        if (i)
            out += ',';
        QByteArray value = QJsonDocument(QJsonArray {v.at(i)}).toJson(QJsonDocument::Compact);
        out += '"' + k.at(i).toUtf8() + "\":" + value.mid(1, value.size() - 2);
    }
    out += '}';
    return out;
}

} // namespace Slipdesk
