#pragma once

#include <QDate>
#include <QString>

namespace lx {
class Connection;
class TableCache;
} // namespace lx

namespace lx::finance {

/// An instalment's situation from its plan until it is paid, and after.
inline const QString kOpenSituation = QStringLiteral("Aberto");
inline const QString kPaidSituation = QStringLiteral("Pago");

/// The value of each instalment: (V − E) / n, plus (V / n) × J / 100 for "Juros ao Mes" and
/// (V / n) × J / 100 × 12 for "Juros ao Ano"; any other kind, empty included, adds nothing.
/// The interest is flat and charged on the whole total's share.
double instalmentValue(const QString &interestKind, double total, double downPayment, int count,
                       double rate);

/// The due date of instalment index (0 for the first) of a plan whose first instalment falls due
/// on first: a month later each, on first's day, or on the month's last day where the month is
/// shorter.
QDate dueDate(const QDate &first, int index);

/// "1ª Parcela - " and the bill's description.
QString instalmentDescription(int number, const QString &billDescription);

/// The steps of the bills window over the shared caches of bills, of all instalments, of
/// expenses and of the monthly summaries. A save, a payment and a deletion each run in one
/// transaction: all their steps reach the server or none does. The program's own checks come
/// back as the message to show (empty when the step was done); database failures throw
/// DbError.
class Bills
{
public:
    Bills(Connection &connection, TableCache &bills, TableCache &instalments, TableCache &expenses,
          TableCache &summaries);

    TableCache &bills() const { return m_bills; }

    /// Opens the bill cache and inserts a bill whose code is the highest of every bill plus one.
    int insertNew();

    /// Saves the bill being edited and replaces its plan: checks the inputs first (nothing is
    /// done when one is wrong or the bill has a paid instalment), then, in one transaction,
    /// deletes the old plan on the server, records the down payment as an expense (replacing the
    /// one an earlier save recorded, whose code the bill keeps in CONPOSSUIENTRADA), posts and
    /// applies the bill, inserts the new plan with codes above every instalment the cache holds
    /// and recomputes the months the down payment touched. When the server refuses, the bill
    /// is being edited again with what was typed.
    QString save();

    /// Pays the instalment with code instalmentCode of billInstalments (the current bill's
    /// instalments): records an expense of its value in the payment's month, marks it paid on
    /// that date and recomputes that month.
    QString pay(TableCache &billInstalments, int instalmentCode, const QString &dateText);
    /// The refusal to show when the current instalment cannot be paid; empty when it can.
    static QString payProblem(const TableCache &billInstalments);

    /// Deletes the current instalment of billInstalments unless it is paid.
    QString removeInstalment(TableCache &billInstalments);
    /// Deletes the current bill and its whole plan; the expenses it recorded stay.
    void removeBill();

    /// Reads the bill table again showing only the bills whose description matches text.
    void search(const QString &text);
    static QString searchFilter(const QString &text);

private:
    QString inputProblem() const;
    bool hasPaidInstalment(int billCode) const;
    void deletePlan(int billCode);

    Connection &m_conn;
    TableCache &m_bills;
    TableCache &m_instalments;
    TableCache &m_expenses;
    TableCache &m_summaries;
};

} // namespace lx::finance
