#pragma once

#include <QString>

namespace lx {
class TableCache;
}

namespace lx::agenda {

/// What the phone book's entry boxes hold for one contact.
struct Contact
{
    QString nome;
    QString telefone1;
    QString telefone2;
    QString endereco;
    QString email;
};

/// The steps of the phone book over the shared TCONTATO cache: reading it afresh, the live
/// search by name, a new row coded from the server's highest code, change, save, cancel and
/// delete. The search filter stays on the cache across saves, cancels and re-reads. Each step
/// throws DbError.
class PhoneBook
{
public:
    explicit PhoneBook(TableCache &contacts);

    TableCache &cache() const { return m_cache; }

    /// Closes and opens the cache: the contacts as the server holds them now.
    void reload();
    /// Shows only the contacts whose name holds text anywhere, in any case; the first of them
    /// becomes current.
    void search(const QString &text);
    /// Inserts a row whose code is the table's highest code on the server plus one (1 when the
    /// table is empty); returns that code.
    int insertNew();
    /// Puts the current contact into edit mode and returns what it holds.
    Contact edit();
    /// The current contact (the row being edited, while one is).
    Contact current() const;
    /// Stores the contact into the row being edited, posts and applies. When the post or the
    /// server refuses, the row is being edited again holding contact.
    void save(const Contact &contact);
    /// Drops the row being edited.
    void cancel();
    /// Deletes the current contact and applies; when the server refuses, the table is read
    /// again and the contact is back.
    void remove();

    static const QString codeSql;
    /// (UPPER(NOME) LIKE UPPER('%text%')), the text quoted as an SQL literal.
    static QString searchFilter(const QString &text);

private:
    TableCache &m_cache;
};

} // namespace lx::agenda
