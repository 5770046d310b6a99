#pragma once

#include "db/gridmodel.h"
#include "db/schema.h"

#include <QList>
#include <QObject>
#include <QVariant>

#include <vector>

namespace lx {

class Connection;

/// The rows of one SELECT held in memory: run with positional values, read forward-only to
/// the end, and the statement released at once so no transaction stays open behind it.
class QueryResult : public QObject
{
    Q_OBJECT
public:
    QueryResult(Connection *connection, const QString &sql, QObject *parent = nullptr);

    QString sql() const { return m_sql; }
    Connection *connection() const { return m_conn; }

    /// Runs the query (connecting when needed) with values bound by position and reads every
    /// row. Throws DbError; the result is then closed and empty.
    void open(const QVariantList &values = {});
    /// Drops the rows.
    void close();
    bool isOpen() const { return m_open; }

    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return int(m_names.size()); }
    QString columnName(int column) const { return m_names.value(column); }
    /// -1 when there is no such column (names compare case-insensitively).
    int columnIndex(const QString &name) const;
    FieldType columnType(int column) const { return m_types.value(column, FieldType::Text); }

    QVariant value(int row, int column) const;
    /// Throws DbError naming the column when there is none.
    QVariant value(int row, const QString &column) const;

signals:
    void aboutToReset();
    void reset();

private:
    void replace(std::vector<QVariantList> rows, QStringList names, QList<FieldType> types,
                 bool open);

    Connection *m_conn;
    QString m_sql;
    bool m_open = false;
    QStringList m_names;
    QList<FieldType> m_types;
    std::vector<QVariantList> m_rows;
};

/// sql with every :name placeholder outside quoted text replaced by ?, in the order they
/// stand: a name that stands twice takes a value at each place.
QString positionalPlaceholders(const QString &sql);

/// A read-only table model over a query result, with chosen columns and titles; a column
/// whose field the result lacks shows empty.
class QueryModel : public GridModel
{
    Q_OBJECT
public:
    QueryModel(QueryResult *result, const QList<Column> &columns, QObject *parent = nullptr);

    QueryResult *result() const { return m_result; }
    int rowCount(const QModelIndex &parent = {}) const override;

protected:
    QVariant fieldValue(int row, int field) const override;
    FieldType fieldType(int field) const override;

private:
    void resolve();
    QueryResult *m_result;
};

} // namespace lx
