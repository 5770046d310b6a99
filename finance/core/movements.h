#pragma once

#include <QDate>
#include <QString>

namespace lx {
class TableCache;
namespace ui {
class DataSource;
}
} // namespace lx

namespace lx::finance {

class TDM;

/// What sets the expense window apart from the receipt window: the data module's caches and
/// the columns and texts of the movement table.
struct TabelaMovimento
{
    TableCache *const TDM::*cache;
    ui::DataSource *const TDM::*dados;
    TableCache *const TDM::*tipos;
    ui::DataSource *const TDM::*dadosTipos;

    QString codigo;
    QString descricao;
    QString tipo;
    QString valor;
    QString data;
    QString mes;
    QString ano;
    QString nomeTipo; ///< lookup field showing the type's name
    QString chaveTipo;
    QString descricaoTipo;

    QString titulo;
    QString legendaNovo;
    QString rotuloBusca;
    QString dicaTipo;
};

const TabelaMovimento &tabelaGasto();
const TabelaMovimento &tabelaRecebimento();

/// The steps of the expense and receipt windows over the data module's shared caches. Every
/// saved or deleted movement has its month's cash summary recomputed. Each throws DbError.
class Movimento
{
public:
    Movimento(TDM &dm, const TabelaMovimento &tabela);

    const TabelaMovimento &tabela() const { return m_t; }
    TableCache &cache() const;
    TableCache &tipos() const;

    /// Opens the type cache, then the movement cache; a row some window left being edited is
    /// dropped.
    void abrir();
    /// Inserts a movement with the next code (over every row, also those a search hides) and
    /// today's date.
    int novo();
    /// Puts the current movement into edit mode; false when one was already being edited.
    bool alterar();
    /// Converts the date text (dd/mm/yyyy), stores the date with its month and year, posts,
    /// applies and recomputes that month. A text that is not a date stops before anything is
    /// posted.
    void salvar(const QString &textoData);
    void cancelar();
    /// Deletes the current movement, applies and recomputes the month it was in.
    void excluir();

    /// Reads the table again showing only the movements whose description matches texto
    /// (case-insensitive LIKE, % and _ as wildcards); the filter stays on the shared cache.
    void buscar(const QString &texto);
    /// Reads the table again without the filter.
    void mostrarTodos();

    /// (UPPER(col) LIKE UPPER('%texto%')), the text quoted as an SQL literal.
    static QString filtroBusca(const QString &coluna, const QString &texto);
    /// The date of a dd/mm/yyyy text (blanks of a masked box allowed); throws DbError.
    static QDate lerData(const QString &texto);

private:
    void recalcular(const QVariant &mes, const QVariant &ano);

    TDM &m_dm;
    const TabelaMovimento &m_t;
};

} // namespace lx::finance
