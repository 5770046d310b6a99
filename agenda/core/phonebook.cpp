#include "agenda/core/phonebook.h"

#include "db/filterexpr.h"
#include "db/rowactions.h"
#include "db/tablecache.h"

namespace lx::agenda {

namespace {
QString text(const TableCache &cache, const char *field)
{
    return cache.value(QString::fromLatin1(field)).toString();
}
} // namespace

const QString PhoneBook::codeSql = QStringLiteral("select max(TCONTATO.CODIGO) from TCONTATO");

PhoneBook::PhoneBook(TableCache &contacts) : m_cache(contacts) {}

QString PhoneBook::searchFilter(const QString &text)
{
    return containsFilter(QStringLiteral("NOME"), text);
}

void PhoneBook::reload()
{
    m_cache.close();
    m_cache.open();
}

void PhoneBook::search(const QString &text)
{
    // Build the expression first: a malformed one leaves the current search in force.
    const QString filter = searchFilter(text);
    m_cache.setFiltered(false);
    m_cache.setFilter(filter);
    m_cache.setFiltered(true);
    m_cache.first();
}

int PhoneBook::insertNew()
{
    return m_cache.insertWithServerCode(codeSql, QStringLiteral("CODIGO"));
}

Contact PhoneBook::edit()
{
    m_cache.edit();
    return current();
}

Contact PhoneBook::current() const
{
    if (!m_cache.isOpen() || (m_cache.isEmpty() && !m_cache.isEditing()))
        return {};
    return {text(m_cache, "NOME"), text(m_cache, "TELEFONE1"), text(m_cache, "TELEFONE2"),
            text(m_cache, "ENDERECO"), text(m_cache, "EMAIL")};
}

void PhoneBook::save(const Contact &contact)
{
    m_cache.setValue(QStringLiteral("NOME"), contact.nome);
    m_cache.setValue(QStringLiteral("TELEFONE1"), contact.telefone1);
    m_cache.setValue(QStringLiteral("TELEFONE2"), contact.telefone2);
    m_cache.setValue(QStringLiteral("ENDERECO"), contact.endereco);
    m_cache.setValue(QStringLiteral("EMAIL"), contact.email);
    saveRow(m_cache, OnRefusal::Reedit);
}

void PhoneBook::cancel()
{
    cancelRow(m_cache);
}

void PhoneBook::remove()
{
    deleteRow(m_cache);
}

} // namespace lx::agenda
