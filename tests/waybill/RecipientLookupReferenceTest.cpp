// The look-up's index against a plain scan of every row, over generated books
// with Chinese, ASCII and digit fields, short rows and texts that match every
// row or none.

#include "storage/TextTable.h"
#include "waybill/RecipientLookup.h"

#include <gtest/gtest.h>

#include <random>

using namespace Slipdesk;

namespace {

constexpr int kSearched[]
    = {RecipientLookup::UnitField, RecipientLookup::NameField, RecipientLookup::NickField, RecipientLookup::PhoneField};

class Generator
{
public:
    explicit Generator(unsigned seed)
        : m_random(seed)
    {
    }

    int below(int n) { return int(m_random() % unsigned(n)); }

    // A value of up to `length` characters from a mix of alphabets; a small
    // alphabet so that short texts match often.
    QString value(int length)
    {
        static const QString alphabet = QStringLiteral("张王李北京市有限公司电子贸易aAbBxyZ0123456789-_.@");
        QString out;
        const int n = below(length + 1);
        for (int i = 0; i < n; ++i)
            out.append(alphabet.at(below(int(alphabet.size()))));
        return out;
    }

    // A row of the book: mostly 22 fields, some cut short (also before the
    // searched ones). Telephone numbers start with "0" and nicknames hold
    // "n", so those match every row that has the field.
    QString row()
    {
        QStringList fields(22);
        for (int k = 0; k < 22; ++k)
            fields[k] = value(below(4) == 0 ? 0 : 6);
        fields[RecipientLookup::PhoneField] = u'0' + value(8);
        fields[RecipientLookup::NickField] = value(3) + u'n' + value(3);
        const int kept = below(8) == 0 ? 1 + below(22) : 22;
        return QStringList(fields.mid(0, kept)).join(u',');
    }

    QStringList book(int rows)
    {
        QStringList out;
        for (int i = 0; i < rows; ++i)
            out.append(row());
        return out;
    }

    // Texts of 1-4 characters: pieces of values in the book (found), random
    // ones (mostly found nowhere), and a few that cannot occur in a field.
    QStringList queries(const QStringList &book, int field)
    {
        QStringList out {QStringLiteral("0"), QStringLiteral("n"), QStringLiteral("鑫"), QStringLiteral("A"),
            QStringLiteral("a"), QStringLiteral(","), QStringLiteral("0,"), QStringLiteral(" "), QStringLiteral("京 "),
            QStringLiteral("n\n0")};
        for (int i = 0; i < 60; ++i) {
            const QString v = TextTable::field(book.at(below(int(book.size()))), field);
            if (v.isEmpty())
                continue;
            const int at = below(int(v.size()));
            out.append(v.mid(at, 1 + below(4)));
        }
        for (int i = 0; i < 40; ++i) {
            QString q = value(4);
            if (!q.isEmpty())
                out.append(q);
        }
        return out;
    }

private:
    std::mt19937 m_random;
};

QList<int> referenceFind(const QStringList &book, int field, const QString &text)
{
    QList<int> out;
    if (text.isEmpty())
        return out;
    for (int i = 0; i < book.size(); ++i)
        if (TextTable::field(book.at(i), field).contains(text, Qt::CaseSensitive))
            out.append(i);
    return out;
}

QString referenceItem(const QStringList &book, int i)
{
    const QString &r = book.at(i);
    return QStringList {QString::number(i + 1), TextTable::field(r, 10), TextTable::field(r, 17),
        TextTable::field(r, 8), TextTable::field(r, 13)}
        .join(u',');
}

// Every query of every searched field (and of one other field) gives the same
// rows, in the same order, and the same items as the plain scan.
void expectLikeReference(RecipientLookup &lookup, const QStringList &book, Generator &gen)
{
    for (int field : {kSearched[0], kSearched[1], kSearched[2], kSearched[3], 3}) {
        for (const QString &text : gen.queries(book, field)) {
            const QList<int> expected = referenceFind(book, field, text);
            const QList<int> found = lookup.find(book, field, text);
            ASSERT_EQ(found, expected) << "field " << field << " text '" << text.toStdString() << "'";
            QStringList items;
            for (int i : expected)
                items.append(referenceItem(book, i));
            ASSERT_EQ(lookup.items(book, found), items);
            // The widest items of all matches, picked without building them.
            QList<int> widest;
            for (int at : RecipientLookup::widestCandidates(items, 5))
                widest.append(expected.at(at));
            ASSERT_EQ(lookup.widestRows(book, found, 5), widest) << text.toStdString();
        }
    }
}

} // namespace

TEST(RecipientLookupReferenceTest, MatchesAPlainScanOverGeneratedBooks)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        Generator gen(seed);
        const QStringList book = gen.book(400);
        RecipientLookup prepared;
        prepared.prepare(book);
        expectLikeReference(prepared, book, gen);
        // Without preparing first, the first look-up builds what it needs.
        RecipientLookup cold;
        expectLikeReference(cold, book, gen);
    }
}

TEST(RecipientLookupReferenceTest, TextsInEveryRowListEveryRowInOrder)
{
    Generator gen(7);
    QStringList book;
    for (int i = 0; i < 300; ++i) {
        QStringList fields(22);
        fields[RecipientLookup::PhoneField] = u'0' + gen.value(6);
        book.append(fields.join(u','));
    }
    RecipientLookup lookup;
    lookup.prepare(book);
    const QList<int> found = lookup.find(book, RecipientLookup::PhoneField, u"0");
    ASSERT_EQ(found.size(), book.size());
    for (int i = 0; i < found.size(); ++i)
        EXPECT_EQ(found.at(i), i);
    EXPECT_TRUE(lookup.find(book, RecipientLookup::PhoneField, u"00000000000").isEmpty());
}

TEST(RecipientLookupReferenceTest, StaysInStepWithAppendsEditsAndReloads)
{
    Generator gen(11);
    QStringList book = gen.book(200);
    RecipientLookup lookup;
    lookup.prepare(book);
    lookup.find(book, 3, u"0"); // a column outside the shown ones, kept in step too

    // Rows appended one at a time, as prints add them.
    for (int i = 0; i < 20; ++i) {
        book.append(gen.row());
        lookup.prepare(book);
    }
    expectLikeReference(lookup, book, gen);

    // Appended without preparing: the next look-up extends the index.
    book.append(gen.row());
    book.append(gen.row());
    expectLikeReference(lookup, book, gen);

    // Edited in place, shortened, replaced by another book.
    book[5] = gen.row();
    book[0] = QStringLiteral("a,b");
    expectLikeReference(lookup, book, gen);
    book.removeLast();
    expectLikeReference(lookup, book, gen);
    book = gen.book(50);
    expectLikeReference(lookup, book, gen);
    book.clear();
    EXPECT_TRUE(lookup.find(book, RecipientLookup::NameField, u"张").isEmpty());
    book.append(gen.row());
    expectLikeReference(lookup, book, gen);
}
