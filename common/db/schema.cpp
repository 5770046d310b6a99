#include "db/schema.h"

#include "db/dberror.h"
#include "db/fbstatus.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <ibase.h>

namespace lx::schema {
namespace {

ColumnDef col(const char *name, FieldType type, int size = 0, bool required = false)
{
    return ColumnDef{QString::fromLatin1(name), type, size, required, {}};
}
ColumnDef key(const char *name)
{
    return col(name, FieldType::Integer, 0, true);
}
ColumnDef text(const char *name, int size)
{
    return col(name, FieldType::Text, size);
}
ColumnDef integer(const char *name)
{
    return col(name, FieldType::Integer);
}
ColumnDef money(const char *name)
{
    return col(name, FieldType::Money);
}
ColumnDef date(const char *name)
{
    return col(name, FieldType::Date);
}

// The names the windows give the columns, used where a message has to name one.
const QHash<QString, QString> &columnLabels()
{
    static const QHash<QString, QString> labels = [] {
        QHash<QString, QString> h;
        const char *const pairs[][2] = {
            {"GASCODIGO", "Código"},
            {"GASVALOR", "Valor"},
            {"GASDATA", "Data"},
            {"GASDESCRICAO", "Descrição"},
            {"GASTIPO", "Tipo"},
            {"GASUSUARIO", "Usuário"},
            {"GASMES", "Mês"},
            {"GASANO", "Ano"},
            {"RECCODIGO", "Código"},
            {"RECVALOR", "Valor"},
            {"RECDATA", "Data"},
            {"RECDESCRICAO", "Descrição"},
            {"RECTIPO", "Tipo"},
            {"RECUSUARIO", "Usuário"},
            {"RECMES", "Mês"},
            {"RECANO", "Ano"},
            {"TGACODIGO", "Código"},
            {"TGADESCRICAO", "Descrição"},
            {"TRECODIGO", "Código"},
            {"TREDESCRICAO", "Descrição"},
            {"CAICODIGO", "Código"},
            {"CAIMES", "Mês"},
            {"CAINOMEMES", "Nome do Mês"},
            {"CAIANO", "Ano"},
            {"CAIVALORDISPONIVEL", "Disponível"},
            {"CAIVALORGASTO", "Gasto"},
            {"CAIVALORRECEBIDO", "Recebido"},
            {"CAIUSUARIO", "Usuário"},
            {"CONCODIGO", "Código"},
            {"CONVALOR", "Valor Total"},
            {"CONJUROS", "Juros"},
            {"CONTIPOJUROS", "Tipo de Juros"},
            {"CONSITUACAO", "Situação"},
            {"CONVEZES", "Número de Vezes"},
            {"CONDATA", "Data"},
            {"CONVENCIMENTO", "Vencimento(1ª Parcela)"},
            {"CONPAGAMENTO", "Pagamento"},
            {"CONDESCRICAO", "Descrição"},
            {"CONTIPO", "Tipo"},
            {"CONENTRADA", "Valor da Entrada"},
            {"CONPOSSUIENTRADA", "Possui Entrada"},
            {"CPACODIGO", "Código"},
            {"CPAVALOR", "Valor"},
            {"CPADATAVENC", "Vencimento"},
            {"CPADATAPAG", "Data de Pagamento"},
            {"CPADATA", "Data"},
            {"CPAVEZES", "Parcela"},
            {"CPASITUACAO", "Situação"},
            {"CPATIPO", "Tipo"},
            {"CPADESCRICAO", "Descrição"},
            {"CPACONTA", "Conta"},
            {"USUCODIGO", "Código"},
            {"USULOGIN", "Usuário"},
            {"USUSENHA", "Senha"},
            {"CODIGO", "Código"},
            {"NOME", "Nome"},
            {"TELEFONE1", "Telefone"},
            {"CELULAR", "Celular"},
            {"TELEFONE2", "Telefone 2"},
            {"EMAIL", "Email"},
            {"ENDERECO", "Endereço"},
            {"BAIRRO", "Bairro"},
            {"CIDADE", "Cidade"},
            {"FAX", "Fax"},
            {"TITULO", "Título"},
            {"DESCRICAO", "Descrição"},
            {"DATA", "Data"},
            {"HORA", "Hora"},
        };
        for (const auto &p : pairs)
            h.insert(QString::fromLatin1(p[0]), QString::fromUtf8(p[1]));
        return h;
    }();
    return labels;
}

QList<TableDef> buildTables()
{
    QList<TableDef> all = {
        {"TGASTO",
         {key("GASCODIGO"), money("GASVALOR"), date("GASDATA"), text("GASDESCRICAO", 80),
          integer("GASTIPO"), integer("GASUSUARIO"), integer("GASMES"), integer("GASANO")}},
        {"TRECEBIMENTO",
         {key("RECCODIGO"), money("RECVALOR"), date("RECDATA"), text("RECDESCRICAO", 80),
          integer("RECTIPO"), integer("RECUSUARIO"), integer("RECMES"), integer("RECANO")}},
        {"TTIPOGASTO", {key("TGACODIGO"), text("TGADESCRICAO", 40)}},
        {"TTIPORECEB", {key("TRECODIGO"), text("TREDESCRICAO", 40)}},
        {"TCAIXAMES",
         {key("CAICODIGO"), integer("CAIMES"), text("CAINOMEMES", 20), integer("CAIANO"),
          money("CAIVALORDISPONIVEL"), money("CAIVALORGASTO"), money("CAIVALORRECEBIDO"),
          integer("CAIUSUARIO")}},
        {"TCONTA",
         {key("CONCODIGO"), money("CONVALOR"), col("CONJUROS", FieldType::Float),
          text("CONTIPOJUROS", 20), text("CONSITUACAO", 20), integer("CONVEZES"), date("CONDATA"),
          date("CONVENCIMENTO"), date("CONPAGAMENTO"), text("CONDESCRICAO", 80), integer("CONTIPO"),
          money("CONENTRADA"), text("CONPOSSUIENTRADA", 10)}},
        {"TCONTPAG",
         {key("CPACODIGO"), money("CPAVALOR"), date("CPADATAVENC"), date("CPADATAPAG"),
          date("CPADATA"), integer("CPAVEZES"), text("CPASITUACAO", 20), integer("CPATIPO"),
          text("CPADESCRICAO", 80), integer("CPACONTA")}},
        {"TUSUARIO", {key("USUCODIGO"), text("USULOGIN", 20), text("USUSENHA", 20)}},
        {"TCONTATO",
         {key("CODIGO"), text("NOME", 50), text("TELEFONE1", 16), text("CELULAR", 16),
          text("TELEFONE2", 16), text("EMAIL", 50), text("ENDERECO", 100), text("BAIRRO", 50),
          text("CIDADE", 30), text("FAX", 16)}},
        {"TCOMPROMISSO",
         {key("CODIGO"), text("TITULO", 80), text("DESCRICAO", 400), date("DATA"),
          col("HORA", FieldType::Time)}},
    };
    for (TableDef &t : all)
        for (ColumnDef &c : t.columns)
            c.label = columnLabels().value(c.name);
    return all;
}

QString sqlType(const ColumnDef &c)
{
    switch (c.type) {
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::Money:
    case FieldType::Float:
        return QStringLiteral("DOUBLE PRECISION");
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::Time:
        return QStringLiteral("TIME");
    case FieldType::Text:
        return QStringLiteral("VARCHAR(%1)").arg(c.size);
    }
    return {};
}

// Indexes for the monthly summaries, the per-type charts, the listings by period,
// the instalments of a bill and the day's appointments. A month has one summary row: two
// programs creating it at once cannot both succeed.
const char *const kIndexes[] = {
    "CREATE INDEX IX_GASTO_MESANO ON TGASTO (GASMES, GASANO)",
    "CREATE INDEX IX_GASTO_DATA ON TGASTO (GASDATA)",
    "CREATE INDEX IX_RECEBIMENTO_MESANO ON TRECEBIMENTO (RECMES, RECANO)",
    "CREATE INDEX IX_RECEBIMENTO_DATA ON TRECEBIMENTO (RECDATA)",
    "CREATE UNIQUE INDEX IX_CAIXAMES_MESANO ON TCAIXAMES (CAIMES, CAIANO)",
    "CREATE INDEX IX_CONTPAG_CONTA ON TCONTPAG (CPACONTA)",
    "CREATE INDEX IX_COMPROMISSO_DATA ON TCOMPROMISSO (DATA)",
    "CREATE INDEX IX_CONTATO_NOME ON TCONTATO (NOME)",
};

QString quoted(const QString &s)
{
    QString q = s;
    q.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

// Runs one statement through the client library, turning a failure into DbError.
void execImmediate(isc_db_handle *db, isc_tr_handle *tr, const QByteArray &sql)
{
    ISC_STATUS_ARRAY status;
    if (isc_dsql_execute_immediate(status, db, tr, 0, sql.constData(), 3, nullptr))
        throw DbError(fbStatusText(status));
}

} // namespace

const QList<TableDef> &tables()
{
    static const QList<TableDef> all = buildTables();
    return all;
}

const TableDef &table(const QString &name)
{
    for (const TableDef &t : tables())
        if (t.name == name)
            return t;
    throw DbError(QStringLiteral("Tabela desconhecida: %1").arg(name));
}

QStringList ddl()
{
    QStringList out;
    for (const TableDef &t : tables()) {
        QStringList cols;
        for (const ColumnDef &c : t.columns)
            cols << QStringLiteral("%1 %2%3").arg(c.name, sqlType(c),
                                                  c.required ? QStringLiteral(" NOT NULL") : "");
        cols << QStringLiteral("CONSTRAINT PK_%1 PRIMARY KEY (%2)").arg(t.name, t.columns[0].name);
        out << QStringLiteral("CREATE TABLE %1 (%2)").arg(t.name, cols.join(QStringLiteral(", ")));
    }
    for (const char *ix : kIndexes)
        out << QString::fromLatin1(ix);
    out << QStringLiteral("INSERT INTO TUSUARIO (USUCODIGO, USULOGIN, USUSENHA) "
                          "VALUES (1, 'VELKAN', 'VELKAN')");
    return out;
}

void createDatabase(const QString &path, const QString &user, const QString &password)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("O arquivo %1 já existe; nada foi alterado.").arg(path));

    const QByteArray create =
        QStringLiteral("CREATE DATABASE %1 USER %2 PASSWORD %3 PAGE_SIZE 8192 "
                       "DEFAULT CHARACTER SET WIN1252")
            .arg(quoted(path), quoted(user), quoted(password))
            .toUtf8();
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    execImmediate(&db, &tr, create);

    ISC_STATUS_ARRAY status;
    auto fail = [&](const QString &message) {
        if (tr)
            isc_rollback_transaction(status, &tr);
        isc_detach_database(status, &db);
        throw DbError(message);
    };
    // DDL must be committed before the tables can take rows.
    const QStringList statements = ddl();
    for (const QString &sql : statements) {
        if (isc_start_transaction(status, &tr, 1, &db, 0, nullptr))
            fail(fbStatusText(status));
        try {
            execImmediate(&db, &tr, sql.toUtf8());
        } catch (const DbError &e) {
            fail(e.message());
        }
        if (isc_commit_transaction(status, &tr))
            fail(fbStatusText(status));
    }
    isc_detach_database(status, &db);
}

} // namespace lx::schema
