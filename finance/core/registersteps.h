#pragma once

#include <QString>

namespace lx {
class TableCache;
}

namespace lx::finance {

/// Posts the row being edited and applies the cache's changes. When the server refuses, the
/// row goes back into edit mode holding what was typed, and the DbError is raised again.
void gravarLinha(TableCache &cache);

/// Drops the row being edited. A change that the server refused earlier and that is still
/// pending is dropped too, by reading the table again.
void cancelarLinha(TableCache &cache);

/// Deletes the current row and applies. When the server refuses, the table is read again (the
/// row comes back) and the DbError is raised again. Throws DbError on an empty cache.
void excluirLinha(TableCache &cache);

/// The steps of a register window over one cache: new row with the next code, change, save
/// (apply and read the table again), cancel and delete. Each throws DbError.
class Cadastro
{
public:
    Cadastro(TableCache &cache, const QString &campoCodigo);

    TableCache &cache() const { return m_cache; }
    QString campoCodigo() const { return m_campoCodigo; }

    /// Opens the cache and inserts a row whose code is the highest code plus one.
    int novo();
    /// Puts the current row into edit mode; on an empty cache this starts a row with no code.
    void alterar();
    /// Posts, applies and reads the table again (the first row becomes current).
    void salvar();
    void cancelar();
    /// Deletes the current row at once and applies; the cache is not read again.
    void excluir();

private:
    TableCache &m_cache;
    QString m_campoCodigo;
};

} // namespace lx::finance
