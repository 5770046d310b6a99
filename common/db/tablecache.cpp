#include "db/tablecache.h"

#include "db/cachevalues.h"
#include "db/connection.h"
#include "db/dberror.h"
#include "db/fieldformat.h"
#include "db/filterexpr.h"
#include "db/transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>

namespace lx {

using detail::metaTypeOf;
using detail::nullOf;
using detail::sameValue;

FieldDef FieldDef::fromColumn(const ColumnDef &c)
{
    FieldDef f;
    f.name = c.name;
    f.type = c.type;
    f.size = c.size;
    f.required = c.required;
    f.label = c.label;
    if (c.type == FieldType::Date)
        f.editMask = masks::date;
    else if (c.type == FieldType::Time)
        f.editMask = masks::time;
    return f;
}

QVariant TableCache::Column::get(size_t r) const
{
    switch (type) {
    case FieldType::Text: {
        const QString &s = texts[r];
        return s.isNull() ? nullOf(type) : QVariant(s);
    }
    case FieldType::Money:
    case FieldType::Float:
        return nulls[r] ? nullOf(type) : QVariant(reals[r]);
    case FieldType::Integer:
        return nulls[r] ? nullOf(type) : QVariant(ints[r]);
    case FieldType::Date:
        return nulls[r] ? nullOf(type) : QVariant(QDate::fromJulianDay(ints[r]));
    case FieldType::Time:
        return nulls[r] ? nullOf(type) : QVariant(QTime::fromMSecsSinceStartOfDay(ints[r]));
    }
    return {};
}

void TableCache::Column::set(size_t r, const QVariant &v)
{
    // v is already of the column's type (see convert()).
    switch (type) {
    case FieldType::Text:
        texts[r] = v.isNull() ? QString() : v.toString();
        return;
    case FieldType::Money:
    case FieldType::Float:
        nulls[r] = v.isNull();
        reals[r] = v.isNull() ? 0.0 : v.toDouble();
        return;
    case FieldType::Integer:
        nulls[r] = v.isNull();
        ints[r] = v.isNull() ? 0 : v.toInt();
        return;
    case FieldType::Date:
        nulls[r] = v.isNull();
        ints[r] = v.isNull() ? 0 : qint32(v.toDate().toJulianDay());
        return;
    case FieldType::Time:
        nulls[r] = v.isNull();
        ints[r] = v.isNull() ? 0 : v.toTime().msecsSinceStartOfDay();
        return;
    }
}

void TableCache::Column::push(const QVariant &v)
{
    switch (type) {
    case FieldType::Text:
        texts.emplace_back();
        break;
    case FieldType::Money:
    case FieldType::Float:
        reals.push_back(0.0);
        nulls.push_back(true);
        break;
    default:
        ints.push_back(0);
        nulls.push_back(true);
        break;
    }
    const size_t r = type == FieldType::Text                                  ? texts.size() - 1
                     : (type == FieldType::Money || type == FieldType::Float) ? reals.size() - 1
                                                                              : ints.size() - 1;
    if (!v.isNull())
        set(r, v);
}

void TableCache::Column::pop()
{
    if (type == FieldType::Text) {
        texts.pop_back();
        return;
    }
    if (type == FieldType::Money || type == FieldType::Float)
        reals.pop_back();
    else
        ints.pop_back();
    nulls.pop_back();
}

void TableCache::Column::clear()
{
    std::vector<qint32>().swap(ints);
    std::vector<double>().swap(reals);
    std::vector<QString>().swap(texts);
    std::vector<bool>().swap(nulls);
}

TableCache::TableCache(Connection *connection, const QString &table, QObject *parent)
    : QObject(parent), m_conn(connection), m_table(table)
{
    for (const ColumnDef &c : schema::table(table).columns) {
        m_colOf.push_back(int(m_cols.size()));
        m_fields.push_back(FieldDef::fromColumn(c));
        Column col;
        col.type = c.type;
        m_cols.push_back(std::move(col));
    }
}

TableCache::~TableCache() = default;

int TableCache::fieldIndex(const QString &name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int TableCache::requireField(const QString &name) const
{
    const int f = fieldIndex(name);
    if (f < 0)
        throw DbError(QStringLiteral("%1: campo '%2' não encontrado.").arg(m_table, name));
    return f;
}

void TableCache::setEditMask(const QString &field, const QString &mask)
{
    m_fields[size_t(requireField(field))].editMask = mask;
}

void TableCache::setDisplayLabel(const QString &field, const QString &label)
{
    m_fields[size_t(requireField(field))].label = label;
}

void TableCache::addLookup(const QString &name, const QString &keyField, TableCache *lookupCache,
                           const QString &lookupKeyField, const QString &lookupResultField,
                           int size, const QString &label)
{
    requireField(keyField);
    lookupCache->requireField(lookupKeyField);
    lookupCache->requireField(lookupResultField);
    FieldDef f;
    f.name = name;
    f.type = FieldType::Text;
    f.size = size;
    f.label = label;
    f.lookupCache = lookupCache;
    f.keyField = keyField;
    f.lookupKeyField = lookupKeyField;
    f.lookupResultField = lookupResultField;
    m_fields.push_back(f);
    m_colOf.push_back(-1);
    // Views repaint the lookup column when the other cache changes.
    connect(lookupCache, &TableCache::reset, this, [this] {
        if (!m_view.empty())
            emit rowChanged(-1);
    });
}

void TableCache::setCondition(const QString &sqlCondition, const QVariantList &values)
{
    m_condition = sqlCondition;
    m_conditionValues = values;
}

void TableCache::open()
{
    if (isOpen())
        return;
    m_conn->ensureOpen();

    QStringList names;
    for (size_t f = 0; f < m_fields.size(); ++f)
        if (m_colOf[f] >= 0)
            names << m_fields[f].name;
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(names.join(QLatin1Char(',')), m_table);
    if (!m_condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + m_condition;

    QSqlQuery q(m_conn->database());
    q.setForwardOnly(true);
    bool ok = false;
    if (m_conditionValues.isEmpty()) {
        ok = q.exec(sql);
    } else if (q.prepare(sql)) {
        for (const QVariant &v : m_conditionValues)
            q.addBindValue(v);
        ok = q.exec();
    }
    if (!ok)
        throw sqlError(q.lastError());

    emit aboutToReset();
    for (Column &c : m_cols)
        c.clear();
    const int ncols = int(m_cols.size());
    while (q.next()) {
        for (int c = 0; c < ncols; ++c) {
            Column &col = m_cols[size_t(c)];
            const QVariant v = q.value(c);
            // The driver hands back the declared types; convert only what differs.
            if (v.isNull() || v.metaType() == metaTypeOf(col.type) || col.type == FieldType::Text)
                col.push(v);
            else
                col.push(convert(int(c), v));
        }
    }
    const bool failed = q.lastError().isValid();
    const QSqlError err = q.lastError();
    q.finish();
    if (failed) {
        for (Column &c : m_cols)
            c.clear();
        emit reset();
        throw sqlError(err);
    }
    const size_t n = m_cols.empty()                      ? 0
                     : m_cols[0].type == FieldType::Text ? m_cols[0].texts.size()
                     : (m_cols[0].type == FieldType::Money || m_cols[0].type == FieldType::Float)
                         ? m_cols[0].reals.size()
                         : m_cols[0].ints.size();
    m_deleted.assign(n, false);
    m_chosenCodes.clear();
    m_pending.clear();
    m_pendingOf.clear();
    m_state = Browse;
    m_modified = false;
    m_editPhys = -1;
    bump();
    rebuildView();
    m_cur = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    // Rows read inside a transaction may hold its changes: they go if it rolls back.
    if (Transaction::State *tx = Transaction::stateOf(*m_conn))
        tx->readInside.emplace_back(this);
    emit reset();
    emit stateChanged(m_state);
    emit currentRowChanged(m_cur);
}

void TableCache::close()
{
    if (!isOpen())
        return;
    emit aboutToReset();
    for (Column &c : m_cols)
        c.clear();
    m_deleted.clear();
    m_chosenCodes.clear();
    m_view.clear();
    m_pending.clear();
    m_pendingOf.clear();
    m_txStart = TxStart();
    m_buf.clear();
    m_state = Inactive;
    m_cur = -1;
    m_eof = m_bof = true;
    m_modified = false;
    m_editPhys = -1;
    bump();
    emit reset();
    emit stateChanged(m_state);
    emit currentRowChanged(m_cur);
}

void TableCache::refresh()
{
    close();
    open();
}

void TableCache::requireOpen() const
{
    if (!isOpen())
        throw DbError(QStringLiteral("A tabela não está aberta."), m_table);
}

void TableCache::requireEditing() const
{
    if (!isEditing())
        throw DbError(QStringLiteral("O registro não está em edição."), m_table);
}

void TableCache::moveTo(int row)
{
    if (m_view.empty())
        row = -1;
    else
        row = std::clamp(row, 0, int(m_view.size()) - 1);
    if (row == m_cur)
        return;
    m_cur = row;
    emit currentRowChanged(m_cur);
}

void TableCache::setCurrentRow(int row)
{
    requireOpen();
    settle();
    m_bof = m_eof = false;
    moveTo(row);
}

void TableCache::first()
{
    requireOpen();
    settle();
    moveTo(0);
    m_bof = true;
    m_eof = m_view.empty();
}

void TableCache::last()
{
    requireOpen();
    settle();
    moveTo(int(m_view.size()) - 1);
    m_bof = m_view.empty();
    m_eof = true;
}

void TableCache::next()
{
    requireOpen();
    settle();
    m_bof = false;
    if (m_cur + 1 < int(m_view.size()))
        moveTo(m_cur + 1);
    else
        m_eof = true;
}

void TableCache::prior()
{
    requireOpen();
    settle();
    m_eof = false;
    if (m_cur > 0)
        moveTo(m_cur - 1);
    else
        m_bof = true;
}

bool TableCache::locate(const QString &fields, const QVariantList &values)
{
    requireOpen();
    settle();
    const QStringList names = fields.split(QLatin1Char(';'));
    if (names.size() != values.size())
        throw DbError(QStringLiteral("%1: locate com %2 campos e %3 valores.")
                          .arg(m_table)
                          .arg(names.size())
                          .arg(values.size()));
    std::vector<int> fs;
    std::vector<QVariant> vs;
    // Integer, date and time columns compare as the stored integers, without variants.
    std::vector<std::pair<const Column *, qint32>> ints;
    for (int i = 0; i < names.size(); ++i) {
        const int f = requireField(names[i].trimmed());
        QVariant v;
        try {
            v = convert(f, values[i]);
        } catch (const DbError &) {
            return false; // a value that cannot be of the field's type matches no row
        }
        const int c = m_colOf[size_t(f)];
        const FieldType t = m_fields[size_t(f)].type;
        if (c >= 0 && !v.isNull() &&
            (t == FieldType::Integer || t == FieldType::Date || t == FieldType::Time)) {
            Column probe{t, {}, {}, {}, {}};
            probe.push(v);
            ints.emplace_back(&m_cols[size_t(c)], probe.ints[0]);
            continue;
        }
        fs.push_back(f);
        vs.push_back(v);
    }
    for (int row = 0; row < int(m_view.size()); ++row) {
        const int p = phys(row);
        bool all = true;
        for (size_t i = 0; i < ints.size() && all; ++i)
            all = !ints[i].first->nulls[size_t(p)] &&
                  ints[i].first->ints[size_t(p)] == ints[i].second;
        for (size_t i = 0; i < fs.size() && all; ++i)
            all = sameValue(stored(p, fs[i]), vs[i]);
        if (all) {
            m_bof = m_eof = false;
            moveTo(row);
            return true;
        }
    }
    return false;
}

QVariant TableCache::stored(int physRow, int field) const
{
    const int c = m_colOf[size_t(field)];
    if (c >= 0)
        return m_cols[size_t(c)].get(size_t(physRow));
    const FieldDef &f = m_fields[size_t(field)];
    return lookupFor(field, stored(physRow, fieldIndex(f.keyField)));
}

QVariant TableCache::lookupFor(int field, const QVariant &key) const
{
    const FieldDef &f = m_fields[size_t(field)];
    QVariant v = f.lookupCache->lookup(f.lookupKeyField, key, f.lookupResultField);
    if (v.isNull())
        return nullOf(FieldType::Text);
    QString s = v.toString();
    if (f.size > 0 && s.size() > f.size)
        s.truncate(f.size);
    return s;
}

QVariant TableCache::lookup(const QString &keyField, const QVariant &key,
                            const QString &resultField) const
{
    if (!isOpen() || key.isNull())
        return {};
    const int kf = requireField(keyField);
    const int rf = requireField(resultField);
    const int kc = m_colOf[size_t(kf)];
    if (kc >= 0 && m_cols[size_t(kc)].type == FieldType::Integer) {
        // Integer keys (every code) go through an index rebuilt after each change.
        if (m_keyIndexRevision != m_revision || m_keyIndexColumn != kc) {
            m_keyIndex.clear();
            const Column &col = m_cols[size_t(kc)];
            for (int p = int(col.ints.size()) - 1; p >= 0; --p)
                if (!m_deleted[size_t(p)] && !col.nulls[size_t(p)])
                    m_keyIndex.insert(col.ints[size_t(p)], p);
            m_keyIndexRevision = m_revision;
            m_keyIndexColumn = kc;
        }
        bool ok = false;
        const int k = key.toInt(&ok);
        if (!ok)
            return {};
        const auto it = m_keyIndex.constFind(k);
        return it == m_keyIndex.constEnd() ? QVariant() : stored(it.value(), rf);
    }
    for (int p = 0; p < int(m_deleted.size()); ++p)
        if (!m_deleted[size_t(p)] && sameValue(stored(p, kf), key))
            return stored(p, rf);
    return {};
}

QVariant TableCache::value(int field) const
{
    if (m_cur < 0)
        return nullOf(m_fields[size_t(field)].type);
    return value(m_cur, field);
}

QVariant TableCache::value(int row, int field) const
{
    if (row < 0 || row >= int(m_view.size()) || field < 0 || field >= fieldCount())
        return {};
    if (isEditing() && row == m_cur) {
        const int c = m_colOf[size_t(field)];
        if (c >= 0)
            return m_buf[size_t(c)];
        return lookupFor(
            field, m_buf[size_t(m_colOf[size_t(fieldIndex(m_fields[size_t(field)].keyField))])]);
    }
    return stored(phys(row), field);
}

void TableCache::setValue(int field, const QVariant &v)
{
    requireEditing();
    const int c = m_colOf[size_t(field)];
    if (c < 0)
        throw DbError(QStringLiteral("O campo '%1' é somente leitura.")
                          .arg(m_fields[size_t(field)].displayName()),
                      m_table + QLatin1Char('.') + m_fields[size_t(field)].name);
    const QVariant converted = convert(field, v);
    // A code typed over the one the cache chose is the user's: it is never replaced.
    if (field == 0 && converted != m_buf[size_t(c)])
        m_chosenCodes.remove(m_editPhys);
    m_buf[size_t(c)] = converted;
    m_modified = true;
    emit fieldChanged(field);
    emit rowChanged(m_cur);
}

std::vector<QVariant> TableCache::rowValues(int physRow) const
{
    std::vector<QVariant> out;
    out.reserve(m_cols.size());
    for (const Column &c : m_cols)
        out.push_back(c.get(size_t(physRow)));
    return out;
}

void TableCache::insert()
{
    requireOpen();
    settle();
    noteChange();
    const int pos = m_cur < 0 ? 0 : m_cur;
    for (Column &c : m_cols)
        c.push(QVariant());
    m_deleted.push_back(false);
    const int p = int(m_deleted.size()) - 1;
    emit rowsAboutToBeInserted(pos, pos);
    m_view.insert(m_view.begin() + pos, p);
    m_buf.clear();
    for (const Column &c : m_cols)
        m_buf.push_back(nullOf(c.type));
    m_editPhys = p;
    m_modified = false;
    m_state = Insert;
    m_cur = pos;
    m_bof = m_eof = false;
    emit rowsInserted(pos, pos);
    emit stateChanged(m_state);
    emit currentRowChanged(m_cur);
}

void TableCache::edit()
{
    requireOpen();
    if (isEditing())
        return;
    if (m_view.empty()) {
        insert();
        return;
    }
    m_editPhys = phys(m_cur);
    m_buf = rowValues(m_editPhys);
    m_modified = false;
    m_state = Edit;
    emit stateChanged(m_state);
}

void TableCache::post()
{
    requireOpen();
    if (!isEditing())
        throw DbError(QStringLiteral("Não há registro em edição."), m_table);
    updateRecord();
    for (size_t f = 0; f < m_fields.size(); ++f) {
        const int c = m_colOf[f];
        if (c >= 0 && m_fields[f].required && m_buf[size_t(c)].isNull())
            throw DbError(
                QStringLiteral("O campo '%1' precisa ter um valor.").arg(m_fields[f].displayName()),
                m_table + QLatin1Char('.') + m_fields[f].name);
    }
    const int p = m_editPhys;
    noteChange(p);
    if (m_state == Insert)
        addPending(p, Inserted, {});
    else if (!m_pendingOf.contains(p))
        addPending(p, Modified, rowValues(p));
    for (size_t c = 0; c < m_cols.size(); ++c)
        m_cols[c].set(size_t(p), m_buf[c]);
    m_state = Browse;
    m_modified = false;
    m_editPhys = -1;
    bump();
    emit stateChanged(m_state);
    emit rowChanged(m_cur);
    if (m_filterExpr && m_filtered && !rowMatches(p))
        removeFromView(m_cur);
}

void TableCache::cancel()
{
    if (!isEditing())
        return;
    const bool wasInsert = m_state == Insert;
    m_state = Browse;
    m_modified = false;
    m_editPhys = -1;
    if (wasInsert) {
        const int row = m_cur;
        emit rowsAboutToBeRemoved(row, row);
        m_view.erase(m_view.begin() + row);
        dropPhysicalRow();
        emit rowsRemoved(row, row);
        m_cur = -1;
        emit stateChanged(m_state);
        moveTo(row); // announces the row now current, unless none is left
        if (m_cur == -1)
            emit currentRowChanged(m_cur);
    } else {
        emit stateChanged(m_state);
        emit rowChanged(m_cur);
        emit currentRowChanged(m_cur);
    }
}

void TableCache::dropPhysicalRow()
{
    for (Column &c : m_cols)
        c.pop();
    m_deleted.pop_back();
    m_chosenCodes.remove(int(m_deleted.size()));
}

void TableCache::remove()
{
    requireOpen();
    if (m_state == Insert) {
        cancel();
        return;
    }
    if (m_state == Edit)
        cancel();
    if (m_view.empty())
        throw DbError(QStringLiteral("Não há registro para excluir."), m_table);
    const int p = phys(m_cur);
    noteChange(p);
    const auto it = m_pendingOf.constFind(p);
    if (it != m_pendingOf.constEnd() && m_pending[size_t(it.value())].kind == Inserted) {
        // Never reached the server: forget it.
        m_pending.erase(m_pending.begin() + it.value());
        m_pendingOf.clear();
        for (size_t i = 0; i < m_pending.size(); ++i)
            m_pendingOf.insert(m_pending[i].row, int(i));
    } else if (it != m_pendingOf.constEnd()) {
        m_pending[size_t(it.value())].kind = Deleted;
    } else {
        addPending(p, Deleted, rowValues(p));
    }
    m_deleted[size_t(p)] = true;
    bump();
    removeFromView(m_cur);
}

void TableCache::removeFromView(int row)
{
    emit rowsAboutToBeRemoved(row, row);
    m_view.erase(m_view.begin() + row);
    emit rowsRemoved(row, row);
    m_cur = -1;
    moveTo(row); // announces the row now current, unless none is left
    if (m_cur == -1)
        emit currentRowChanged(m_cur);
}

void TableCache::settle()
{
    if (!isEditing())
        return;
    updateRecord();
    if (m_modified)
        post();
    else
        cancel();
}

void TableCache::addRecordUpdater(QObject *owner, std::function<void()> updater)
{
    m_updaters.emplace_back(owner, std::move(updater));
}

void TableCache::updateRecord()
{
    // Plain calls rather than a signal: an updater's error must reach the caller of post().
    const auto updaters = m_updaters;
    for (const auto &u : updaters)
        if (u.first)
            u.second();
    m_updaters.erase(std::remove_if(m_updaters.begin(), m_updaters.end(),
                                    [](const auto &u) { return u.first.isNull(); }),
                     m_updaters.end());
}

void TableCache::addPending(int physRow, Change kind, std::vector<QVariant> old)
{
    m_pendingOf.insert(physRow, int(m_pending.size()));
    m_pending.push_back(Pending{physRow, kind, std::move(old)});
}

int TableCache::nextCode(const QString &codeField)
{
    open();
    settle();
    const int f = requireField(codeField);
    const int c = m_colOf[size_t(f)];
    if (c < 0 || m_fields[size_t(f)].type != FieldType::Integer)
        throw DbError(QStringLiteral("%1: %2 não é um campo de código.").arg(m_table, codeField));
    const Column &col = m_cols[size_t(c)];
    int n = 1;
    for (size_t p = 0; p < m_deleted.size(); ++p)
        if (!m_deleted[p] && !col.nulls[p] && col.ints[p] >= n)
            n = col.ints[p] + 1;
    return n;
}

int TableCache::insertWithNextCode(const QString &codeField)
{
    return insertWithChosenCode(codeField, nextCode(codeField));
}

int TableCache::insertWithChosenCode(const QString &codeField, int code)
{
    insert();
    setValue(codeField, code);
    if (requireField(codeField) == 0)
        m_chosenCodes.insert(m_editPhys);
    return code;
}

bool TableCache::isCodeChosen() const
{
    if (!isEditing() || !m_chosenCodes.contains(m_editPhys))
        return false;
    if (m_state == Insert)
        return true;
    // A new row whose save failed, being edited again before it reached the server.
    const auto it = m_pendingOf.constFind(m_editPhys);
    return it != m_pendingOf.constEnd() && m_pending[size_t(*it)].kind == Inserted;
}

int TableCache::insertWithServerCode(const QString &sql, const QString &codeField)
{
    open();
    m_conn->ensureOpen();
    QSqlQuery q(m_conn->database());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw sqlError(q.lastError());
    const int code = (q.next() && !q.value(0).isNull() ? q.value(0).toInt() : 0) + 1;
    q.finish();
    return insertWithChosenCode(codeField, code);
}

} // namespace lx
