#include "finance/core/bills.h"

#include "db/connection.h"
#include "db/dberror.h"
#include "db/filterexpr.h"
#include "db/rowactions.h"
#include "db/tablecache.h"
#include "db/transaction.h"
#include "finance/core/caixa.h"

#include <QList>
#include <QPair>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <functional>

namespace lx::finance {

namespace {
const QString kPaidBillRefusal =
    QStringLiteral("Não é possível alterar contas que possuam parcelas pagas !");

double numberOr0(const QVariant &v)
{
    return v.isNull() ? 0.0 : v.toDouble();
}

/// Follows a cache's reassigned codes while it lives.
class ScopedConnection
{
public:
    ScopedConnection(TableCache *cache, std::function<void(int, int)> follow)
        : m_connection(QObject::connect(cache, &TableCache::codeReassigned, std::move(follow)))
    {}
    ~ScopedConnection() { QObject::disconnect(m_connection); }
    ScopedConnection(const ScopedConnection &) = delete;
    ScopedConnection &operator=(const ScopedConnection &) = delete;

private:
    QMetaObject::Connection m_connection;
};
} // namespace

double instalmentValue(const QString &interestKind, double total, double downPayment, int count,
                       double rate)
{
    const double base = (total - downPayment) / count;
    if (interestKind == QLatin1String("Juros ao Mes"))
        return base + (total / count) * (rate / 100);
    if (interestKind == QLatin1String("Juros ao Ano"))
        return base + (total / count) * (rate / 100 * 12);
    return base;
}

QDate dueDate(const QDate &first, int index)
{
    const QDate month = QDate(first.year(), first.month(), 1).addMonths(index);
    return QDate(month.year(), month.month(), std::min(first.day(), month.daysInMonth()));
}

QString instalmentDescription(int number, const QString &billDescription)
{
    return QString::number(number) + QStringLiteral("ª Parcela - ") + billDescription;
}

Bills::Bills(Connection &connection, TableCache &bills, TableCache &instalments,
             TableCache &expenses, TableCache &summaries)
    : m_conn(connection), m_bills(bills), m_instalments(instalments), m_expenses(expenses),
      m_summaries(summaries)
{}

int Bills::insertNew()
{
    m_bills.open();
    return m_bills.insertWithNextCode(QStringLiteral("CONCODIGO"));
}

QString Bills::inputProblem() const
{
    const TableCache &b = m_bills;
    const QVariant count = b.value(QStringLiteral("CONVEZES"));
    if (count.isNull() || count.toInt() <= 0)
        return QStringLiteral("Informe o número de vezes: um número inteiro maior que zero.");
    if (b.value(QStringLiteral("CONVALOR")).isNull())
        return QStringLiteral("Informe o valor total da conta.");
    if (b.value(QStringLiteral("CONDATA")).isNull())
        return QStringLiteral("Informe a data da conta.");
    if (b.value(QStringLiteral("CONVENCIMENTO")).isNull())
        return QStringLiteral("Informe o vencimento da primeira parcela.");
    if (numberOr0(b.value(QStringLiteral("CONENTRADA"))) < 0)
        return QStringLiteral("O valor da entrada não pode ser negativo.");
    if (numberOr0(b.value(QStringLiteral("CONJUROS"))) < 0)
        return QStringLiteral("Os juros não podem ser negativos.");
    return {};
}

bool Bills::hasPaidInstalment(int billCode) const
{
    m_conn.ensureOpen();
    QSqlQuery q(m_conn.database());
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT COUNT(*) FROM TCONTPAG WHERE CPACONTA = ? AND "
                                  "CPASITUACAO = ?")))
        throw sqlError(q.lastError());
    q.addBindValue(billCode);
    q.addBindValue(kPaidSituation);
    if (!q.exec() || !q.next())
        throw sqlError(q.lastError());
    const bool paid = q.value(0).toInt() > 0;
    q.finish();
    return paid;
}

void Bills::deletePlan(int billCode)
{
    QSqlQuery q(m_conn.database());
    if (!q.prepare(QStringLiteral("DELETE FROM TCONTPAG\nWHERE TCONTPAG.CPACONTA = :CODIGOCONTA")))
        throw sqlError(q.lastError());
    q.bindValue(0, billCode);
    if (!q.exec())
        throw sqlError(q.lastError());
    q.finish();
    m_instalments.applyUpdates();
}

QString Bills::save()
{
    TableCache &b = m_bills;
    // What was typed reaches the row first: a text that does not convert stops the save here.
    b.updateRecord();
    if (!b.isEditing())
        throw DbError(QStringLiteral("Não há conta em edição."));
    const QString problem = inputProblem();
    if (!problem.isEmpty())
        return problem;
    int code = b.value(QStringLiteral("CONCODIGO")).toInt();
    if (hasPaidInstalment(code))
        return kPaidBillRefusal;

    const double total = b.value(QStringLiteral("CONVALOR")).toDouble();
    const double downPayment = numberOr0(b.value(QStringLiteral("CONENTRADA")));
    const int count = b.value(QStringLiteral("CONVEZES")).toInt();
    const double rate = numberOr0(b.value(QStringLiteral("CONJUROS")));
    const QString kind = b.value(QStringLiteral("CONTIPOJUROS")).toString();
    const QDate billDate = b.value(QStringLiteral("CONDATA")).toDate();
    const QDate firstDue = b.value(QStringLiteral("CONVENCIMENTO")).toDate();
    const QString description = b.value(QStringLiteral("CONDESCRICAO")).toString();
    const QVariant type = b.value(QStringLiteral("CONTIPO"));
    const double value = instalmentValue(kind, total, downPayment, count, rate);

    // The down payment is one expense per bill: the one an earlier save recorded is replaced.
    m_expenses.open();
    m_instalments.open();
    bool known = false;
    const int earlier = b.value(QStringLiteral("CONPOSSUIENTRADA")).toString().toInt(&known);
    const QString expenseCode = QStringLiteral("GASCODIGO");
    known = known && m_expenses.locate(expenseCode, {earlier});
    QList<QPair<int, int>> months;
    if (known)
        months << qMakePair(m_expenses.value(QStringLiteral("GASMES")).toInt(),
                            m_expenses.value(QStringLiteral("GASANO")).toInt());
    int downCode = downPayment > 0 ? (known ? earlier : m_expenses.nextCode(expenseCode)) : 0;
    b.setValue(QStringLiteral("CONPOSSUIENTRADA"),
               downPayment > 0 ? QVariant(QString::number(downCode)) : QVariant());

    const int plannedDownCode = downCode;
    // A new bill or down payment whose code another program took meanwhile is stored under
    // a fresh one: the plan and the bill's note of its down payment follow it.
    const ScopedConnection billMoved(&b, [&](int from, int to) {
        if (from == code)
            code = to;
    });
    const ScopedConnection downPaymentMoved(&m_expenses, [&](int from, int to) {
        if (from == downCode)
            downCode = to;
    });

    saveRow(b, OnRefusal::Reedit, [&] {
        deletePlan(code);
        if (downPayment > 0) {
            if (known && m_expenses.locate(expenseCode, {earlier})) {
                m_expenses.edit();
            } else {
                m_expenses.insertWithChosenCode(expenseCode, downCode);
            }
            m_expenses.setValue(QStringLiteral("GASMES"), billDate.month());
            m_expenses.setValue(QStringLiteral("GASANO"), billDate.year());
            m_expenses.setValue(QStringLiteral("GASVALOR"), downPayment);
            m_expenses.setValue(QStringLiteral("GASDATA"), billDate);
            m_expenses.setValue(QStringLiteral("GASDESCRICAO"),
                                QStringLiteral("Entrada - ") + description);
            m_expenses.setValue(QStringLiteral("GASTIPO"), type);
            m_expenses.post();
            months << qMakePair(billDate.month(), billDate.year());
        } else if (known && m_expenses.locate(expenseCode, {earlier})) {
            m_expenses.remove();
        }
        m_expenses.applyUpdates();
        if (downCode != plannedDownCode) {
            if (!b.locate(QStringLiteral("CONCODIGO"), {code}))
                throw DbError(QStringLiteral("A conta gravada não foi encontrada para anotar "
                                             "a entrada."));
            b.edit();
            b.setValue(QStringLiteral("CONPOSSUIENTRADA"), QString::number(downCode));
            b.post();
            b.applyUpdates();
        }

        for (int k = 1; k <= count; ++k) {
            m_instalments.insertWithNextCode(QStringLiteral("CPACODIGO"));
            m_instalments.setValue(QStringLiteral("CPADESCRICAO"),
                                   instalmentDescription(k, description));
            m_instalments.setValue(QStringLiteral("CPAVALOR"), value);
            m_instalments.setValue(QStringLiteral("CPADATA"), billDate);
            m_instalments.setValue(QStringLiteral("CPADATAVENC"), dueDate(firstDue, k - 1));
            m_instalments.setValue(QStringLiteral("CPASITUACAO"), kOpenSituation);
            m_instalments.setValue(QStringLiteral("CPATIPO"), type);
            m_instalments.setValue(QStringLiteral("CPACONTA"), code);
            m_instalments.post();
        }
        m_instalments.applyUpdates();

        QList<QPair<int, int>> done;
        for (const auto &m : months) {
            if (done.contains(m))
                continue;
            done << m;
            atualizarcaixa(m_conn, m_summaries, m.first, m.second);
        }
    });
    return {};
}

QString Bills::payProblem(const TableCache &billInstalments)
{
    if (billInstalments.isEmpty())
        return QStringLiteral("Não há prestação para baixar.");
    if (billInstalments.value(QStringLiteral("CPASITUACAO")).toString() == kPaidSituation)
        return QStringLiteral("Você já baixou esta conta no sistema !");
    return {};
}

QString Bills::pay(TableCache &billInstalments, int instalmentCode, const QString &dateText)
{
    if (!dateText.contains(QRegularExpression(QStringLiteral("\\d"))))
        return QStringLiteral("Preencha a data de pagamento antes de baixar a conta !");
    const QDate date = QDate::fromString(dateText.trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!date.isValid())
        return QStringLiteral("'%1' não é uma data de pagamento válida.").arg(dateText);
    if (!billInstalments.locate(QStringLiteral("CPACODIGO"), {instalmentCode}))
        throw DbError(QStringLiteral("A prestação %1 não foi encontrada.").arg(instalmentCode));
    const QString problem = payProblem(billInstalments);
    if (!problem.isEmpty())
        return problem;

    m_expenses.open();
    Transaction tx(m_conn);
    m_expenses.insertWithNextCode(QStringLiteral("GASCODIGO"));
    m_expenses.setValue(QStringLiteral("GASMES"), date.month());
    m_expenses.setValue(QStringLiteral("GASANO"), date.year());
    m_expenses.setValue(QStringLiteral("GASVALOR"),
                        billInstalments.value(QStringLiteral("CPAVALOR")));
    m_expenses.setValue(QStringLiteral("GASDATA"), date);
    m_expenses.setValue(QStringLiteral("GASDESCRICAO"),
                        billInstalments.value(QStringLiteral("CPADESCRICAO")));
    m_expenses.setValue(QStringLiteral("GASTIPO"),
                        billInstalments.value(QStringLiteral("CPATIPO")));
    m_expenses.post();
    m_expenses.applyUpdates();
    billInstalments.edit();
    billInstalments.setValue(QStringLiteral("CPASITUACAO"), kPaidSituation);
    billInstalments.setValue(QStringLiteral("CPADATAPAG"), date);
    billInstalments.post();
    billInstalments.applyUpdates();
    atualizarcaixa(m_conn, m_summaries, date.month(), date.year());
    tx.commit();
    return {};
}

QString Bills::removeInstalment(TableCache &billInstalments)
{
    if (!billInstalments.isEmpty() &&
        billInstalments.value(QStringLiteral("CPASITUACAO")).toString() == kPaidSituation)
        return QStringLiteral("Não é possível excluir uma prestação já paga !");
    deleteRow(billInstalments);
    return {};
}

void Bills::removeBill()
{
    m_instalments.open();
    const int code = m_bills.value(QStringLiteral("CONCODIGO")).toInt();
    deleteRow(m_bills, [&] { deletePlan(code); });
}

void Bills::search(const QString &text)
{
    m_bills.close();
    m_bills.setFiltered(false);
    m_bills.setFilter(searchFilter(text));
    m_bills.setFiltered(true);
    m_bills.open();
}

QString Bills::searchFilter(const QString &text)
{
    return containsFilter(QStringLiteral("CONDESCRICAO"), text);
}

} // namespace lx::finance
