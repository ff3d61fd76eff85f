#pragma once

#include "forms/FieldValues.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace Slipdesk {

// What a field holds, as the queue, the log and the window treat it.
enum class FieldKind : quint8 {
    Text,
    Amount, // money: shortest decimal form out of a queue row, grouped when left
    Date, // yyyy-MM-dd
    Check, // "1" ticked, "0" clear
    Label, // a caption or a computed total shown in a label
};

// How a field takes part beyond its columns.
namespace FieldFlag {
enum : quint8 {
    None = 0,
    Reprint = 1, // "重打" copies it back from the log
    Cleared = 2, // emptied with the recipient (or buyer) and the goods
    Mirror = 4, // filled from its book column, never written to the book
};
} // namespace FieldFlag

inline constexpr int NoColumn = -1;

// One row of a form's field table: the control the field is shown in and
// where the field lives in each file that keeps it.
struct FieldSpec
{
    const char16_t *control;
    qint8 recipientColumn; // "收件单位.TXT"
    qint8 senderColumn; // "寄件单位.TXT"
    qint8 queueColumn; // the form's batch queue row
    qint8 logColumn; // the form's yearly log line; fields sharing one are joined by "|"
    FieldKind kind;
    quint8 flags;

    bool has(quint8 flag) const { return (flags & flag) != 0; }
};

// Each form kind declares its fields once, as an X-macro list of rows
//   X(control, recipient column, sender column, queue column, log column, kind, flags)
// from which its enum (named after the controls) and its table are made.
#define SLIPDESK_FIELD_ENUMERATOR(control, ...) control,
#define SLIPDESK_FIELD_SPEC(control, recipient, sender, queue, log, kind, flags)                                       \
    {u"" #control, recipient, sender, queue, log, FieldKind::kind, quint8(flags)},

// The generic walks over a form's table. `E` is a field enum ending in
// `Count`, with `fieldSpec(E)` and `controlName(E)` beside it.
namespace FormFields {

// The control names of a table, in its order.
template<std::size_t N> QStringList controlNames(const FieldSpec (&fields)[N])
{
    QStringList names;
    names.reserve(qsizetype(N));
    for (const FieldSpec &spec : fields)
        names.append(QString::fromUtf16(spec.control));
    return names;
}

template<typename E> constexpr int count()
{
    return int(E::Count);
}

template<typename E> QList<E> all()
{
    QList<E> fields;
    fields.reserve(count<E>());
    for (int i = 0; i < count<E>(); ++i)
        fields.append(E(i));
    return fields;
}

template<typename E, typename Pred> QList<E> where(Pred &&pred)
{
    QList<E> fields;
    for (int i = 0; i < count<E>(); ++i)
        if (pred(fieldSpec(E(i))))
            fields.append(E(i));
    return fields;
}

// The field shown in control `name`, if the form has one.
template<typename E> std::optional<E> byControl(QStringView name)
{
    for (int i = 0; i < count<E>(); ++i)
        if (controlName(E(i)) == name)
            return E(i);
    return std::nullopt;
}

// The field a book row's column is read into and written from (mirrors
// left out); nothing when no field keeps that column.
template<typename E> std::optional<E> atRecipientColumn(int column)
{
    for (int i = 0; i < count<E>(); ++i) {
        const FieldSpec &spec = fieldSpec(E(i));
        if (spec.recipientColumn == column && !spec.has(FieldFlag::Mirror))
            return E(i);
    }
    return std::nullopt;
}
template<typename E> std::optional<E> atQueueColumn(int column)
{
    for (int i = 0; i < count<E>(); ++i)
        if (fieldSpec(E(i)).queueColumn == column)
            return E(i);
    return std::nullopt;
}

// The fields sharing log column `column`, in table order.
template<typename E> QList<E> atLogColumn(int column)
{
    return where<E>([column](const FieldSpec &spec) { return spec.logColumn == column; });
}

// Every field with a recipient column, mirrors included, filled from `cells`
// (a recipient book row split into its fields); fields in `keep` left out.
template<typename E> FieldValues fromRecipientCells(const QStringList &cells, const QList<E> &keep = {})
{
    FieldValues values;
    for (int i = 0; i < count<E>(); ++i) {
        const FieldSpec &spec = fieldSpec(E(i));
        if (spec.recipientColumn != NoColumn && !keep.contains(E(i)))
            values.insert(E(i), cells.value(spec.recipientColumn));
    }
    return values;
}

// The recipient book's fields of form `from` moved to the fields of form
// `to` that keep the same column (a buyer and a waybill recipient are one
// person); `to`'s mirrors follow their column too.
template<typename To, typename From> FieldValues asRecipientOf(const FieldValues &from)
{
    QStringList cells;
    for (int i = 0; i < count<From>(); ++i) {
        const FieldSpec &spec = fieldSpec(From(i));
        if (spec.recipientColumn == NoColumn || spec.has(FieldFlag::Mirror))
            continue;
        while (cells.size() <= spec.recipientColumn)
            cells.append(QString());
        cells[spec.recipientColumn] = from.value(From(i));
    }
    FieldValues out;
    for (int i = 0; i < count<To>(); ++i) {
        const FieldSpec &spec = fieldSpec(To(i));
        if (spec.recipientColumn != NoColumn && spec.recipientColumn < cells.size()
            && atRecipientColumn<From>(spec.recipientColumn))
            out.insert(To(i), cells.at(spec.recipientColumn));
    }
    return out;
}

} // namespace FormFields
} // namespace Slipdesk
