#pragma once

#include "storage/Paths.h"
#include "templates/LoadedTemplate.h"
#include "trade/GoodsMaster.h"
#include "trade/SmallLists.h"

#include <QHash>
#include <QObject>
#include <QStringList>

namespace Slipdesk {

// What the program holds for the whole run, shared by every tab and by the
// command line: the data folder, the recipient and sender books, the goods
// master, the small lists and the pick lists. Each is read from its file at
// start or on first use; it says when one of them changes.
//
// Loading and saving throw IoError with the platform's text and leave the
// list in memory as it was.
class AppContext : public QObject
{
    Q_OBJECT
public:
    explicit AppContext(const Paths &paths, QObject *parent = nullptr);

    const Paths &paths() const { return m_paths; }

    // ---- the template the window prints with ---------------------------------
    LoadedTemplate &loadedTemplate() { return m_template; }
    const LoadedTemplate &loadedTemplate() const { return m_template; }

    // ---- address books ("收件单位.TXT", "寄件单位.TXT") -------------------
    // Reads both books, or their two sample rows when a file is missing.
    void loadAddressBooks();
    void reloadRecipients(); // the data window saved the book
    void reloadSenders();
    // The books replaced in memory (the data window emptied a book: its
    // sample rows again, without writing a file).
    void setRecipients(const QStringList &rows);
    void setSenders(const QStringList &rows);
    const QStringList &recipients() const { return m_recipients; }
    const QStringList &senders() const { return m_senders; }
    // Recipient names (field 10) and unit names (field 8), index for index
    // with the rows.
    const QStringList &recipientNames() const;
    const QStringList &recipientUnits() const;
    // Appends `row` to the recipient file (one write) and then to the book.
    void appendRecipient(const QString &row);

    // ---- goods master, loaded on first use --------------------------------
    GoodsMaster &goods() { return m_goods; }
    const GoodsMaster &goods() const { return m_goods; }
    void ensureGoods();
    // Read again from its file (the data window saved it, or dropped edits).
    void reloadGoods();
    void setGoods(const QStringList &rows);

    // ---- small lists (units, outbound and inbound remarks) ----------------
    SmallLists &smallLists() { return m_smallLists; }
    void ensureSmallLists();
    void saveSmallLists() const;

    // ---- pick lists (table codes 7-11 and the inbound types 17) ------------
    bool pickListLoaded(int code) const { return m_pickLists.contains(code); }
    // The entries; empty when the list is not loaded yet.
    QStringList pickList(int code) const { return m_pickLists.value(code); }
    // Loads the list on first use, from its file or its default entries.
    QStringList loadPickList(int code);
    // Adds `entry` and writes the whole list; on a failure the list stays as
    // the file is.
    void addToPickList(int code, const QString &entry);
    // The file was rewritten elsewhere: the next use reads it again.
    void forgetPickList(int code);
    static QString pickListFile(int code);
    static QString pickListDefaults(int code);

    // ---- settings held for the run ----------------------------------------
    QString sellerMessage() const { return m_sellerMessage; }
    void setSellerMessage(const QString &text) { m_sellerMessage = text; }

    // Frees the lists at the end of the run.
    void clear();

    static constexpr int InboundTypesCode = 17;

Q_SIGNALS:
    // Both books were read at start.
    void addressBooksLoaded();
    void recipientAppended(const QString &row);
    void recipientsReloaded();
    void sendersReloaded();
    void goodsLoaded();
    void pickListChanged(int code);

private:
    void columnsChanged() const { m_columnsValid = false; }

    Paths m_paths;
    LoadedTemplate m_template;
    QStringList m_recipients;
    QStringList m_senders;
    mutable QStringList m_recipientNames;
    mutable QStringList m_recipientUnits;
    mutable bool m_columnsValid = false;
    GoodsMaster m_goods;
    SmallLists m_smallLists;
    QHash<int, QStringList> m_pickLists;
    QString m_sellerMessage;
};

} // namespace Slipdesk
