#include "finance/core/registersteps.h"

#include "db/dberror.h"
#include "db/tablecache.h"

#include <vector>

namespace lx::finance {

namespace {

std::vector<QVariant> valoresDigitados(const TableCache &cache)
{
    std::vector<QVariant> valores;
    for (int f = 0; f < cache.fieldCount(); ++f)
        valores.push_back(cache.fieldDef(f).isLookup() ? QVariant() : cache.value(f));
    return valores;
}

/// Reads the table again and puts the refused row back into edit mode with what was typed.
void refazerEdicao(TableCache &cache, bool inserindo, const std::vector<QVariant> &valores)
{
    cache.refresh();
    const QString codigo = cache.fieldDef(0).name;
    if (inserindo || !cache.locate(codigo, {valores[0]}))
        cache.insert();
    else
        cache.edit();
    for (int f = 0; f < cache.fieldCount(); ++f)
        if (!cache.fieldDef(f).isLookup())
            cache.setValue(f, valores[size_t(f)]);
}

} // namespace

void gravarLinha(TableCache &cache)
{
    // Bound controls write what was typed now, so that it can be kept if the server refuses.
    cache.updateRecord();
    const bool inserindo = cache.state() == TableCache::Insert;
    const std::vector<QVariant> valores = valoresDigitados(cache);
    const int linhas = cache.recordCount();
    cache.post();
    // A filter hides a posted row that does not match it.
    const bool visivel = cache.recordCount() == linhas;
    try {
        cache.applyUpdates(0);
    } catch (const DbError &) {
        if (visivel) {
            cache.edit();
        } else {
            try {
                refazerEdicao(cache, inserindo, valores);
            } catch (const DbError &) {
                // The server's refusal is the error the user needs to see.
            }
        }
        throw;
    }
}

void cancelarLinha(TableCache &cache)
{
    cache.cancel();
    if (cache.pendingCount() > 0)
        cache.refresh();
}

void excluirLinha(TableCache &cache)
{
    cache.remove();
    try {
        cache.applyUpdates(0);
    } catch (const DbError &) {
        try {
            cache.refresh();
        } catch (const DbError &) {
            // The server's refusal is the error the user needs to see.
        }
        throw;
    }
}

Cadastro::Cadastro(TableCache &cache, const QString &campoCodigo)
    : m_cache(cache), m_campoCodigo(campoCodigo)
{}

int Cadastro::novo()
{
    m_cache.open();
    return m_cache.insertWithNextCode(m_campoCodigo);
}

void Cadastro::alterar()
{
    m_cache.edit();
}

void Cadastro::salvar()
{
    gravarLinha(m_cache);
    m_cache.refresh();
}

void Cadastro::cancelar()
{
    cancelarLinha(m_cache);
}

void Cadastro::excluir()
{
    excluirLinha(m_cache);
}

} // namespace lx::finance
