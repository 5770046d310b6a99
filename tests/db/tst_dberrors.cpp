#include "db/connection.h"
#include "db/dberror.h"
#include "db/tablecache.h"
#include "db/transaction.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace lx;

// The server's common errors, each produced for real, as the user reads them.
class TstDbErrors : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void connecting_data();
    void connecting();
    void wrongPassword();
    void statements_data();
    void statements();
    void rowChangedByAnotherConnection();
    void rowChangedBeforeTheApply();
    void serverTexts_data();
    void serverTexts();

private:
    /// Where a test may put a database file of its own that the engine (or server) reaches,
    /// and the alias line that leads there.
    QString reachableFolder(QTemporaryDir &dir) const;
    QString aliasLineFor(const QString &folder) const;
};

void TstDbErrors::initTestCase()
{
    if (test::TestDb::serverUnavailable())
        QSKIP("no Firebird server configured (scripts/test starts one)");
}

QString TstDbErrors::reachableFolder(QTemporaryDir &dir) const
{
    if (test::TestDb::serverMode())
        dir = QTemporaryDir(qEnvironmentVariable("LX_TEST_SERVER_DIR") + "/err-XXXXXX");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    return dir.path();
}

QString TstDbErrors::aliasLineFor(const QString &folder) const
{
    return test::TestDb::serverMode() ? qEnvironmentVariable("LX_TEST_SERVER") + ":" + folder
                                      : folder;
}

void TstDbErrors::connecting_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("server"); // a fragment of the server's own text
    QTest::newRow("no database file")
        << "missing" << int(DbError::DatabaseMissing) << "No such file or directory";
    QTest::newRow("not a database")
        << "garbage" << int(DbError::DatabaseUnreadable) << "not a valid database";
    QTest::newRow("nobody listening")
        << "unreachable" << int(DbError::ServerUnreachable) << "Unable to complete network request";
}

void TstDbErrors::connecting()
{
    QFETCH(QString, setting);
    QFETCH(int, kind);
    QFETCH(QString, server);
    QTemporaryDir dir;
    const QString folder = reachableFolder(dir);
    const QString file = folder + "/FINANCEIRO.GDB";
    QString aliasLine = aliasLineFor(folder);
    if (setting == "garbage") {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(16384, 'x'));
        f.close();
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther |
                                        QFile::WriteOther);
    } else if (setting == "unreachable") {
        aliasLine = "127.0.0.1/1:" + folder; // no server on port 1
    }
    QTemporaryDir aliasDir;
    const QString alias = aliasDir.filePath("aliaslembrix.txt");
    QFile a(alias);
    QVERIFY(a.open(QIODevice::WriteOnly));
    a.write(aliasLine.toLocal8Bit() + "\n");
    a.close();

    Connection conn("TOSTARA");
    try {
        conn.setUp(alias, "/nonexistent/");
        QFAIL("the connection must fail");
    } catch (const DbError &e) {
        QCOMPARE(int(e.kind()), kind);
        QVERIFY2(e.details().contains(server), qPrintable(e.details()));
        const QString m = e.message();
        switch (e.kind()) {
        case DbError::DatabaseMissing:
            // Which path was tried, and how to make one there.
            QVERIFY2(m.startsWith("O arquivo do banco de dados não foi encontrado: " + aliasLine +
                                  "/FINANCEIRO.GDB\n"),
                     qPrintable(m));
            QVERIFY2(m.endsWith("Para criar um banco novo, execute scripts/run ou "
                                "build/tools/criabanco " +
                                file),
                     qPrintable(m));
            break;
        case DbError::DatabaseUnreadable:
            QVERIFY2(m.startsWith("O arquivo " + aliasLine +
                                  "/FINANCEIRO.GDB não pôde ser aberto como banco de dados"),
                     qPrintable(m));
            break;
        default:
            QCOMPARE(m, QString("Não foi possível falar com o servidor do banco de dados em "
                                "127.0.0.1.\nVerifique se o servidor Firebird está em execução "
                                "e se o arquivo de alias indica o servidor e a porta certos."));
        }
    }
    QVERIFY(!conn.isOpen());
}

void TstDbErrors::wrongPassword()
{
    if (!test::TestDb::serverMode())
        QSKIP("the embedded engine takes any password; the server test checks it");
    test::TestDb db;
    // What the connection does, with a password the server does not know.
    QSqlDatabase raw = QSqlDatabase::addDatabase("QIBASE", "wrong-password");
    raw.setDatabaseName(db.databasePath());
    raw.setUserName("SYSDBA");
    raw.setPassword("not-the-password");
    QVERIFY(!raw.open());
    const DbError e = sqlError(raw.lastError(), db.databasePath());
    raw = QSqlDatabase();
    QSqlDatabase::removeDatabase("wrong-password");
    QCOMPARE(e.kind(), DbError::LoginRefused);
    QCOMPARE(e.message(), QString("O servidor do banco de dados recusou o usuário e a senha da "
                                  "conexão.\nA senha do usuário SYSDBA no servidor deve ser a do "
                                  "Lembrix QOR."));
    QVERIFY2(e.details().contains("user name and password are not defined"),
             qPrintable(e.details()));
}

void TstDbErrors::statements_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("server");
    QTest::newRow("duplicate key")
        << "INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (?, ?)"
        << QVariantList{7, "Luz"} << int(DbError::DuplicateKey)
        << "Já existe um registro com o código 7."
        << "PK_TTIPOGASTO";
    QTest::newRow("text too long")
        << "INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (?, ?)"
        << QVariantList{8, QString(41, QChar('a'))} << int(DbError::TextTooLong)
        << "Um texto é mais longo do que o campo aceita (até 40 caracteres)."
        << "string right truncation";
    QTest::newRow("text that is no number")
        << "INSERT INTO TTIPOGASTO (TGACODIGO) VALUES ('doze')" << QVariantList{}
        << int(DbError::Conversion)
        << "O valor \"doze\" não pôde ser convertido para o tipo do campo."
        << "conversion error from string";
    QTest::newRow("number out of range")
        << "INSERT INTO TTIPOGASTO (TGACODIGO) VALUES (99999999999)" << QVariantList{}
        << int(DbError::Conversion) << "Um valor está fora do intervalo que o campo aceita."
        << "out of range";
}

void TstDbErrors::statements()
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, values);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QFETCH(QString, server);
    test::TestDb db;
    db.exec("INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (7, 'Água')");
    auto conn = db.connect();
    QSqlQuery q(conn->database());
    QVERIFY(q.prepare(sql));
    for (const QVariant &v : values)
        q.addBindValue(v);
    QVERIFY(!q.exec());
    const DbError e = sqlError(q.lastError(), conn->databasePath());
    QCOMPARE(int(e.kind()), kind);
    QCOMPARE(e.message(), message);
    QVERIFY2(e.details().contains(server), qPrintable(e.details()));
}

void TstDbErrors::rowChangedByAnotherConnection()
{
    test::TestDb db;
    db.exec("INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (1, 'Luz')");
    auto first = db.connect("TOSTARA");
    auto second = db.connect("TOSTARA");
    TableCache mine(first.get(), "TTIPOGASTO");
    TableCache theirs(second.get(), "TTIPOGASTO");
    mine.open();
    theirs.open();

    mine.edit();
    mine.setValue("TGADESCRICAO", QString("Luz elétrica"));
    mine.post();
    // This program's transaction is under way when the other one commits its change.
    Transaction tx(*first);
    theirs.edit();
    theirs.setValue("TGADESCRICAO", QString("Energia"));
    theirs.post();
    theirs.applyUpdates();
    try {
        mine.applyUpdates();
        QFAIL("a change to a row another program changed must be refused");
    } catch (const DbError &e) {
        QCOMPARE(e.kind(), DbError::RowConflict);
        QCOMPARE(e.message(), QString("O servidor recusou a gravação. O registro foi alterado ou "
                                      "está bloqueado por outro programa. Tente de novo em "
                                      "instantes.\nNenhuma alteração foi gravada."));
        QVERIFY2(e.details().contains("update conflicts with concurrent update"),
                 qPrintable(e.details()));
    }
    tx.rollback();
    // What was typed stays, the other program's change too.
    QCOMPARE(mine.pendingCount(), 1);
    QCOMPARE(mine.value("TGADESCRICAO").toString(), QString("Luz elétrica"));
    QCOMPARE(db.scalar("SELECT TGADESCRICAO FROM TTIPOGASTO").toString(), QString("Energia"));
}

void TstDbErrors::rowChangedBeforeTheApply()
{
    test::TestDb db;
    db.exec("INSERT INTO TTIPOGASTO (TGACODIGO, TGADESCRICAO) VALUES (1, 'Luz')");
    auto conn = db.connect();
    TableCache cache(conn.get(), "TTIPOGASTO");
    cache.open();
    db.exec("DELETE FROM TTIPOGASTO");
    cache.edit();
    cache.setValue("TGADESCRICAO", QString("Energia"));
    cache.post();
    try {
        cache.applyUpdates();
        QFAIL("a change to a row deleted elsewhere must be refused");
    } catch (const DbError &e) {
        QCOMPARE(e.kind(), DbError::RowConflict);
        QCOMPARE(e.message(), QString("O servidor recusou a gravação. O registro foi alterado ou "
                                      "excluído por outro programa desde a última leitura.\n"
                                      "Nenhuma alteração foi gravada."));
        QVERIFY2(e.details().contains("TTIPOGASTO"), qPrintable(e.details()));
    }
}

// Answers that depend on the machine (its engine's mode, the file's owner, a server going away)
// and cannot be brought about everywhere, as the engine words them.
void TstDbErrors::serverTexts_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("held by an engine that does not share")
        << "I/O error during \"lock\" operation for file \"/srv/FINANCEIRO.GDB\" - Database "
           "already opened with engine instance, incompatible with current"
        << int(DbError::DatabaseInUse)
        << "O banco de dados dbhost/3051:/srv/FINANCEIRO.GDB já está aberto por outro programa que "
           "não o "
           "compartilha.\nFeche o outro programa e tente de novo.";
    QTest::newRow("no permission")
        << "I/O error during \"open\" operation for file \"/srv/FINANCEIRO.GDB\" - Error while "
           "trying to open file - Permission denied"
        << int(DbError::DatabaseUnreadable)
        << "O arquivo dbhost/3051:/srv/FINANCEIRO.GDB não pôde ser aberto como banco de dados: "
           "falta "
           "permissão de leitura e escrita, ou ele não é um banco de dados do Firebird.\nPara "
           "criar um banco novo, execute scripts/run ou build/tools/criabanco CAMINHO";
    QTest::newRow("server gone") << "Error reading data from the connection."
                                 << int(DbError::ServerUnreachable)
                                 << "Não foi possível falar com o servidor do banco de dados em "
                                    "dbhost/3051.\nVerifique se o servidor Firebird está em "
                                    "execução e se o arquivo de alias indica o servidor e a "
                                    "porta certos.";
}

void TstDbErrors::serverTexts()
{
    QFETCH(QString, server);
    QFETCH(int, kind);
    QFETCH(QString, message);
    const DbError e = serverError(server, "dbhost/3051:/srv/FINANCEIRO.GDB");
    QCOMPARE(int(e.kind()), kind);
    QCOMPARE(e.message(), message);
    QCOMPARE(e.details(), server);
}

QTEST_GUILESS_MAIN(TstDbErrors)
#include "tst_dberrors.moc"
