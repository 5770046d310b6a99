#include "db/connection.h"
#include "db/dberror.h"
#include "db/schema.h"
#include "db/tablecache.h"
#include "db/transaction.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace lx;

// scripts/backup and scripts/restore on a database a program holds open.
class TstBackup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void roundTripWhileInUse();
    void restoreRefusesDatabaseInUse();

private:
    /// Runs a script of scripts/ on the database path; returns its exit code.
    static int runScript(const QString &name, const QStringList &args, const QString &database,
                         QByteArray *errors = nullptr);
    /// Every row of every table, in code order, as text.
    static QStringList dump(Connection &conn);
    static void fill(const test::TestDb &db);
};

void TstBackup::initTestCase()
{
    if (test::TestDb::serverMode())
        QSKIP("the scripts back up the embedded database file");
    if (QStandardPaths::findExecutable("gbak").isEmpty())
        QSKIP("gbak is not installed (firebird3.0-utils)");
}

int TstBackup::runScript(const QString &name, const QStringList &args, const QString &database,
                         QByteArray *errors)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LX_BUILD", LX_BUILD_DIR);
    env.insert("LX_DATABASE", database);
    // The scripts choose the Firebird root themselves.
    env.remove("FIREBIRD");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(LX_SCRIPTS "/") + name, args);
    if (!p.waitForFinished(120000))
        return -1;
    if (errors)
        *errors = p.readAllStandardError();
    else if (p.exitCode() != 0)
        qWarning("%s", p.readAllStandardError().constData());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QStringList TstBackup::dump(Connection &conn)
{
    conn.ensureOpen();
    QStringList rows;
    for (const TableDef &t : schema::tables()) {
        QSqlQuery q(conn.database());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(t.name, t.columns[0].name)))
            throw DbError(q.lastError().text());
        while (q.next()) {
            QStringList values{t.name};
            for (int i = 0; i < q.record().count(); ++i) {
                const QVariant v = q.value(i);
                values << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            }
            rows << values.join(QLatin1Char('|'));
        }
        q.finish();
    }
    return rows;
}

void TstBackup::fill(const test::TestDb &db)
{
    db.exec("INSERT INTO TTIPOGASTO VALUES (1, 'Alimentação')");
    db.exec("INSERT INTO TTIPOGASTO VALUES (2, NULL)");
    db.exec("INSERT INTO TTIPORECEB VALUES (1, 'Salário')");
    db.exec("INSERT INTO TGASTO VALUES (1, 1234.5, '2024-03-10', 'Feira de março', 1, NULL, 3, "
            "2024)");
    db.exec("INSERT INTO TGASTO VALUES (2, 0.1, '2024-02-29', 'Pão', 1, NULL, 2, 2024)");
    db.exec("INSERT INTO TRECEBIMENTO VALUES (1, 5000, '2024-03-05', 'Salário', 1, NULL, 3, "
            "2024)");
    db.exec("INSERT INTO TCAIXAMES VALUES (1, 3, 'Março', 2024, 3765.5, 1234.5, 5000, NULL)");
    db.exec("INSERT INTO TCONTA (CONCODIGO, CONVALOR, CONJUROS, CONTIPOJUROS, CONVEZES, CONDATA, "
            "CONVENCIMENTO, CONDESCRICAO, CONTIPO, CONENTRADA, CONPOSSUIENTRADA) VALUES "
            "(1, 1200, 2.5, 'Juros ao Mes', 2, '2024-03-10', '2024-04-15', 'Geladeira', 1, 200, "
            "'3')");
    db.exec("INSERT INTO TCONTPAG VALUES (1, 530, '2024-04-15', NULL, '2024-03-10', NULL, "
            "'Aberto', 1, '1ª Parcela - Geladeira', 1)");
    db.exec("INSERT INTO TCONTPAG VALUES (2, 530, '2024-05-15', '2024-05-14', '2024-03-10', NULL, "
            "'Pago', 1, '2ª Parcela - Geladeira', 1)");
    db.exec("INSERT INTO TCONTATO (CODIGO, NOME, TELEFONE1, EMAIL, CIDADE) VALUES "
            "(1, 'José Araújo', '(11) 5555-0101', 'jose@example.com', 'São Paulo')");
    db.exec("INSERT INTO TCOMPROMISSO VALUES (1, 'Dentista', 'Levar exames', '2024-03-12', "
            "'14:30:00')");
}

void TstBackup::roundTripWhileInUse()
{
    test::TestDb db;
    fill(db);
    const QString path = db.folder() + "FINANCEIRO.GDB";
    // A program has the database open, in the middle of a change it has not committed.
    auto program = db.connect();
    TableCache types(program.get(), "TTIPOGASTO");
    types.open();
    Transaction pending(*program);
    types.insert();
    types.setValue("TGACODIGO", 3);
    types.setValue("TGADESCRICAO", QString("não gravado"));
    types.applyUpdates();

    QTemporaryDir out;
    const QString backup = out.filePath("copia.fbk");
    QCOMPARE(runScript("backup", {backup}, path), 0);
    QVERIFY(QFile::exists(backup));
    // A second backup under the same name would overwrite the first: refused.
    QByteArray errors;
    QCOMPARE(runScript("backup", {backup}, path, &errors), 1);
    QVERIFY2(errors.contains("já existe"), errors.constData());

    QDir(out.path()).mkdir("restored");
    const QString restored = out.filePath("restored/FINANCEIRO.GDB");
    QCOMPARE(runScript("restore", {backup, restored}, path), 0);
    pending.rollback();

    const QString alias = out.filePath("alias.txt");
    QFile f(alias);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(out.filePath("restored").toLocal8Bit() + "\n");
    f.close();
    Connection copy("COPIA");
    copy.setUp(alias, "/nonexistent/");

    const QStringList original = dump(*program);
    QVERIFY(original.size() > 10);
    QCOMPARE(dump(copy), original);
}

void TstBackup::restoreRefusesDatabaseInUse()
{
    test::TestDb db;
    fill(db);
    const QString path = db.folder() + "FINANCEIRO.GDB";
    QTemporaryDir out;
    const QString backup = out.filePath("copia.fbk");
    QCOMPARE(runScript("backup", {backup}, path), 0);

    auto program = db.connect();
    program->ensureOpen();
    db.exec("INSERT INTO TTIPOGASTO VALUES (9, 'depois da cópia')");
    QByteArray errors;
    QCOMPARE(runScript("restore", {backup, path}, path, &errors), 1);
    QVERIFY2(errors.contains("aberto"), errors.constData());
    // Nothing was replaced: the row saved after the backup is still there.
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM TTIPOGASTO WHERE TGACODIGO = 9").toInt(), 1);
    QCOMPARE(QDir(db.folder()).entryList(QDir::Files).size(), 1);
}

QTEST_GUILESS_MAIN(TstBackup)
#include "tst_backup.moc"
