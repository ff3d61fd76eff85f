#pragma once

#include <QString>
#include <QStringList>

namespace Slipdesk {

// The twelve values read out of a copied order text. Every value starts empty;
// a format sets only what it finds.
struct OrderResult
{
    QString name;
    QString destination;
    QString province;
    QString city;
    QString district;
    QString address;
    QString telephone;
    QString postcode;
    QString mobile;
    QString nickname;
    QString payment; // 支付宝 account
    QString chat; // chat account (财付通 / QQ)

    // The keys in the order above, as the command line prints them.
    static QStringList keys();
    // The values in the order of keys().
    QStringList values() const;
    // One JSON object on one line, keys in the order of keys().
    QByteArray toJson() const;

    bool isEmpty() const { return values().join(QString()).isEmpty(); }
    bool operator==(const OrderResult &) const = default;
};

} // namespace Slipdesk
