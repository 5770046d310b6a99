#include "db/queryresult.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/fieldformat.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <optional>

namespace lx {

namespace {

FieldType typeOf(QMetaType t)
{
    switch (t.id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return FieldType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldType::Float;
    case QMetaType::QDate:
        return FieldType::Date;
    case QMetaType::QTime:
        return FieldType::Time;
    default:
        return FieldType::Text;
    }
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}
} // namespace

QueryResult::QueryResult(Connection *connection, const QString &sql, QObject *parent)
    : QObject(parent), m_conn(connection), m_sql(sql)
{}

void QueryResult::open(const QVariantList &values)
{
    std::optional<QSqlError> err;
    std::vector<QVariantList> rows;
    QStringList names;
    QList<FieldType> types;
    try {
        m_conn->ensureOpen();
    } catch (const DbError &) {
        replace({}, {}, {}, false);
        throw;
    }
    {
        QSqlQuery q(m_conn->database());
        q.setForwardOnly(true);
        bool ok = q.prepare(m_sql);
        if (ok) {
            for (int i = 0; i < values.size(); ++i)
                q.bindValue(i, values[i]);
            ok = q.exec();
        }
        if (ok) {
            const QSqlRecord rec = q.record();
            for (int c = 0; c < rec.count(); ++c) {
                names << rec.fieldName(c);
                types << typeOf(rec.field(c).metaType());
            }
            while (q.next()) {
                QVariantList row;
                row.reserve(rec.count());
                for (int c = 0; c < rec.count(); ++c)
                    row << q.value(c);
                rows.push_back(std::move(row));
            }
            ok = !q.lastError().isValid();
        }
        if (!ok)
            err = q.lastError();
        q.finish();
    }
    if (err) {
        replace({}, {}, {}, false);
        throw sqlError(*err);
    }
    replace(std::move(rows), names, types, true);
}

void QueryResult::close()
{
    replace({}, m_names, m_types, false);
}

void QueryResult::replace(std::vector<QVariantList> rows, QStringList names, QList<FieldType> types,
                          bool open)
{
    emit aboutToReset();
    m_rows = std::move(rows);
    m_names = names;
    m_types = types;
    m_open = open;
    emit reset();
}

int QueryResult::columnIndex(const QString &name) const
{
    for (int c = 0; c < m_names.size(); ++c)
        if (m_names[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QVariant QueryResult::value(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return m_rows[size_t(row)].value(column);
}

QVariant QueryResult::value(int row, const QString &column) const
{
    const int c = columnIndex(column);
    if (c < 0)
        throw DbError(QStringLiteral("Campo '%1' não encontrado.").arg(column));
    return value(row, c);
}

QueryModel::QueryModel(QueryResult *result, const QList<Column> &columns, QObject *parent)
    : GridModel(columns, parent), m_result(result)
{
    resolve();
    connect(result, &QueryResult::aboutToReset, this, [this] { beginResetModel(); });
    connect(result, &QueryResult::reset, this, [this] {
        resolve();
        endResetModel();
    });
}

void QueryModel::resolve()
{
    resolveFields([this](const QString &field) { return m_result->columnIndex(field); });
}

int QueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_result->rowCount();
}

QVariant QueryModel::fieldValue(int row, int field) const
{
    return m_result->value(row, field);
}

FieldType QueryModel::fieldType(int field) const
{
    return m_result->columnType(field);
}

QString positionalPlaceholders(const QString &sql)
{
    QString out;
    out.reserve(sql.size());
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            out += c;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            out += c;
        } else if (c == QLatin1Char(':') && i + 1 < sql.size() && isNameChar(sql[i + 1]) &&
                   (i == 0 || !isNameChar(sql[i - 1]))) {
            out += QLatin1Char('?');
            while (i + 1 < sql.size() && isNameChar(sql[i + 1]))
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace lx
