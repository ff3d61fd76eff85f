#pragma once

#include <QStringView>

#include <vector>

// Field labels in copied order texts ("收货人：", "手机", "详细地址"). Internal
// to the smart order reader.
namespace Slipdesk::Smart {

enum class Kind { Free, Name, Mobile, Phone, Address, Region, Postcode, Nickname, Payment, Chat, Ignore };

struct LabelHit
{
    qsizetype begin = 0; // where the label word starts
    qsizetype content = 0; // where its value starts
    Kind kind = Kind::Free;
};

// The labels of `chunk` (a text between field separators), in order. A label
// counts when a colon follows it, when a number follows it directly
// ("电话138…"), or, for names and addresses, when it begins a word and its
// value follows it ("收件人张三", "地址 江苏省…").
// A colon after words that hold a label further in front marks that label
// too ("地址改一下：广西…" is an address); the words go with the label.
std::vector<LabelHit> findLabels(QStringView chunk);

// Whether `chunk` is nothing but a label ("收货人", "【手机号码】",
// "详细地址："), its value then on the next line; sets `kind`.
bool labelOnly(QStringView chunk, Kind *kind);

// Words that only announce a number of no use here ("订单号", "身份证").
bool isNumberNoise(QStringView word);

} // namespace Slipdesk::Smart
