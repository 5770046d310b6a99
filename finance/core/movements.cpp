#include "finance/core/movements.h"

#include "db/dberror.h"
#include "db/tablecache.h"
#include "finance/core/caixa.h"
#include "finance/core/registersteps.h"
#include "finance/tdm.h"

#include <QStringList>

namespace lx::finance {

const TabelaMovimento &tabelaGasto()
{
    static const TabelaMovimento t{&TDM::TBGASTO,
                                   &TDM::DSGASTO,
                                   &TDM::TBTIPOGASTO,
                                   &TDM::DSTIPOGASTO,
                                   QStringLiteral("GASCODIGO"),
                                   QStringLiteral("GASDESCRICAO"),
                                   QStringLiteral("GASTIPO"),
                                   QStringLiteral("GASVALOR"),
                                   QStringLiteral("GASDATA"),
                                   QStringLiteral("GASMES"),
                                   QStringLiteral("GASANO"),
                                   QStringLiteral("tipo"),
                                   QStringLiteral("TGACODIGO"),
                                   QStringLiteral("TGADESCRICAO"),
                                   QStringLiteral("Gastos"),
                                   QStringLiteral("Inserir Novo Gasto"),
                                   QStringLiteral("Localizar Gasto: "),
                                   QStringLiteral("Cadastro de Tipos de Gastos")};
    return t;
}

const TabelaMovimento &tabelaRecebimento()
{
    static const TabelaMovimento t{&TDM::TBRECEBIMENTO,
                                   &TDM::DSRECEBIMENTO,
                                   &TDM::TBTIPOREC,
                                   &TDM::DSTIPOREC,
                                   QStringLiteral("RECCODIGO"),
                                   QStringLiteral("RECDESCRICAO"),
                                   QStringLiteral("RECTIPO"),
                                   QStringLiteral("RECVALOR"),
                                   QStringLiteral("RECDATA"),
                                   QStringLiteral("RECMES"),
                                   QStringLiteral("RECANO"),
                                   QStringLiteral("tiporec"),
                                   QStringLiteral("TRECODIGO"),
                                   QStringLiteral("TREDESCRICAO"),
                                   QStringLiteral("Entrada de Dinheiro"),
                                   QStringLiteral("Inserir Nova Entrada"),
                                   QStringLiteral("Localizar Entrada: "),
                                   QString()};
    return t;
}

Movimento::Movimento(TDM &dm, const TabelaMovimento &tabela) : m_dm(dm), m_t(tabela) {}

TableCache &Movimento::cache() const
{
    return *(m_dm.*m_t.cache);
}

TableCache &Movimento::tipos() const
{
    return *(m_dm.*m_t.tipos);
}

void Movimento::abrir()
{
    tipos().open();
    cache().open();
    if (cache().isEditing())
        cancelarLinha(cache());
}

int Movimento::novo()
{
    const int codigo = cache().insertWithNextCode(m_t.codigo);
    cache().setValue(m_t.data, QDate::currentDate());
    return codigo;
}

bool Movimento::alterar()
{
    if (cache().isEditing())
        return false;
    cache().edit();
    return true;
}

void Movimento::salvar(const QString &textoData)
{
    const QDate data = lerData(textoData);
    TableCache &c = cache();
    c.setValue(m_t.mes, data.month());
    c.setValue(m_t.ano, data.year());
    c.setValue(m_t.data, data);
    gravarLinha(c);
    recalcular(data.month(), data.year());
}

void Movimento::cancelar()
{
    cancelarLinha(cache());
}

void Movimento::excluir()
{
    TableCache &c = cache();
    const QVariant mes = c.value(m_t.mes);
    const QVariant ano = c.value(m_t.ano);
    excluirLinha(c);
    recalcular(mes, ano);
}

void Movimento::recalcular(const QVariant &mes, const QVariant &ano)
{
    // A movement stored without its month (not written by these windows) has no summary.
    const int m = mes.toInt();
    if (mes.isNull() || ano.isNull() || m < 1 || m > 12)
        return;
    atualizarcaixa(m_dm, m, ano.toInt());
}

void Movimento::buscar(const QString &texto)
{
    TableCache &c = cache();
    c.close();
    c.setFiltered(false);
    c.setFilter(filtroBusca(m_t.descricao, texto));
    c.setFiltered(true);
    c.open();
}

void Movimento::mostrarTodos()
{
    TableCache &c = cache();
    c.close();
    c.setFiltered(false);
    c.open();
}

QString Movimento::filtroBusca(const QString &coluna, const QString &texto)
{
    QString literal = QLatin1Char('%') + texto + QLatin1Char('%');
    literal.replace(QLatin1Char('\''), QLatin1String("''"));
    return QStringLiteral("(UPPER(%1) LIKE UPPER('%2'))").arg(coluna, literal);
}

QDate Movimento::lerData(const QString &texto)
{
    const QStringList partes = texto.split(QLatin1Char('/'));
    QDate data;
    if (partes.size() == 3 && partes[2].trimmed().size() == 4) {
        bool okDia = false, okMes = false, okAno = false;
        const int dia = partes[0].trimmed().toInt(&okDia);
        const int mes = partes[1].trimmed().toInt(&okMes);
        const int ano = partes[2].trimmed().toInt(&okAno);
        if (okDia && okMes && okAno)
            data = QDate(ano, mes, dia);
    }
    if (!data.isValid())
        throw DbError(QStringLiteral("'%1' não é uma data válida.").arg(texto));
    return data;
}

} // namespace lx::finance
