#pragma once

#include <QHash>
#include <QString>

#include <type_traits>

namespace Slipdesk {

// A form field named by its form's field enum (WaybillField, DeliveryField,
// InboundField); `controlName` is found next to the enum.
template<typename E>
concept FormField = std::is_enum_v<E> && requires(E field)
{
    {
        controlName(field)
        } -> std::convertible_to<const QString &>;
};

// A tab's entry fields as plain values keyed by control name (`CmbSjrMc`,
// `EdtEmsNo`, …), so that printing, logging, batch rows and parsing work
// without widgets. Check boxes are "1"/"0", dates yyyy-MM-dd.
//
// The core addresses a value through its form's field enum
// (`values.value(WaybillField::CmbSjrMc)`), so that a misspelt field is a
// compile error; the widgets address them by object name.
class FieldValues : public QHash<QString, QString>
{
public:
    using QHash::QHash;
    FieldValues() = default;
    FieldValues(const QHash<QString, QString> &other)
        : QHash(other)
    {
    }

    using QHash::contains;
    using QHash::insert;
    using QHash::remove;
    using QHash::value;

    template<FormField E> QString value(E field) const { return value(controlName(field)); }
    template<FormField E> bool contains(E field) const { return contains(controlName(field)); }
    template<FormField E> void insert(E field, const QString &text) { insert(controlName(field), text); }
    template<FormField E> void remove(E field) { remove(controlName(field)); }
    // Check boxes hold "1" when ticked.
    template<FormField E> bool ticked(E field) const { return value(field) == u"1"; }

    // A field file: "Name=value" lines (UTF-8); blank lines and lines
    // without "=" are skipped.
    static FieldValues fromFieldFile(const QByteArray &utf8);
};

} // namespace Slipdesk
