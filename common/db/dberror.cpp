#include "db/dberror.h"

#include <QRegularExpression>
#include <QSqlError>

namespace lx {

namespace {

/// The first capture of pattern in text; empty when it does not match.
QString capture(const QString &text, const QString &pattern)
{
    const QRegularExpressionMatch m =
        QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption).match(text);
    return m.hasMatch() ? m.captured(1) : QString();
}

/// Splits a connection string "host:path" or "host/port:path" from a local path. A single
/// letter before the colon is a Windows drive, not a host.
void splitServer(const QString &databasePath, QString *host, QString *file)
{
    const int colon = databasePath.indexOf(QLatin1Char(':'));
    if (colon > 1 && !databasePath.startsWith(QLatin1Char('/'))) {
        *host = databasePath.left(colon);
        *file = databasePath.mid(colon + 1);
    } else {
        host->clear();
        *file = databasePath;
    }
}

QString creationHint(const QString &file)
{
    return QStringLiteral("Para criar um banco novo, execute scripts/run ou "
                          "build/tools/criabanco %1")
        .arg(file.isEmpty() ? QStringLiteral("CAMINHO") : file);
}

} // namespace

QString sqlErrorText(const QSqlError &error)
{
    const QString t = error.databaseText().trimmed();
    return t.isEmpty() ? error.text().trimmed() : t;
}

DbError sqlError(const QSqlError &error, const QString &databasePath)
{
    return serverError(sqlErrorText(error), databasePath);
}

DbError serverError(const QString &serverText, const QString &databasePath)
{
    const QString t = serverText.toLower();
    QString host, file;
    splitServer(databasePath, &host, &file);
    auto has = [&](const char *words) { return t.contains(QLatin1String(words)); };

    // An exception raised by the database's own code carries a message written for the user
    // (after its number and name; the trigger's position follows it).
    const QStringList parts = serverText.split(QStringLiteral(" - "));
    if (parts.size() >= 3 &&
        QRegularExpression(QStringLiteral("^exception \\d+$")).match(parts[0].trimmed()).hasMatch())
        return DbError(parts[2].trimmed(), serverText);

    if (has("i/o error during") || has("is not a valid database") ||
        has("unsupported on-disk structure")) {
        // The file the engine names is the one it tried; the path asked for otherwise.
        QString tried = capture(serverText, QStringLiteral("for file \"([^\"]*)\""));
        if (tried.isEmpty())
            tried = capture(serverText, QStringLiteral("file (.*) is not a valid database"));
        if (tried.isEmpty())
            tried = file;
        const QString shown = host.isEmpty() ? tried : host + QLatin1Char(':') + tried;
        if (has("during \"lock\" operation") || has("already opened") ||
            has("incompatible with current"))
            return DbError(QStringLiteral("O banco de dados %1 já está aberto por outro programa "
                                          "que não o compartilha.\nFeche o outro programa e "
                                          "tente de novo.")
                               .arg(shown),
                           serverText, DbError::DatabaseInUse);
        if (has("no such file or directory") || has("cannot find the file") ||
            has("cannot find the path"))
            return DbError(QStringLiteral("O arquivo do banco de dados não foi encontrado: %1\n%2")
                               .arg(shown, creationHint(tried)),
                           serverText, DbError::DatabaseMissing);
        return DbError(QStringLiteral("O arquivo %1 não pôde ser aberto como banco de dados: "
                                      "falta permissão de leitura e escrita, ou ele não é um "
                                      "banco de dados do Firebird.\n%2")
                           .arg(shown, creationHint(QString())),
                       serverText, DbError::DatabaseUnreadable);
    }
    if (has("unable to complete network request") || has("failed to establish a connection") ||
        has("connection refused") || has("connection rejected by remote interface") ||
        has("error reading data from the connection") ||
        has("error writing data to the connection") || has("connection shutdown") ||
        has("connection lost")) {
        QString server = capture(serverText, QStringLiteral("to host \"([^\"]*)\""));
        if (server.isEmpty())
            server = host;
        return DbError(QStringLiteral("Não foi possível falar com o servidor do banco de "
                                      "dados%1.\nVerifique se o servidor Firebird está em "
                                      "execução e se o arquivo de alias indica o servidor e a "
                                      "porta certos.")
                           .arg(server.isEmpty() ? QString() : QStringLiteral(" em ") + server),
                       serverText, DbError::ServerUnreachable);
    }
    if (has("user name and password are not defined") || has("login failed") ||
        has("password is not valid")) {
        return DbError(QStringLiteral("O servidor do banco de dados recusou o usuário e a senha "
                                      "da conexão.\nA senha do usuário SYSDBA no servidor deve "
                                      "ser a do Lembrix QOR."),
                       serverText, DbError::LoginRefused);
    }
    if (has("violation of primary or unique key constraint")) {
        const QString value = capture(serverText, QStringLiteral("\" = ([^)]*)\\)"));
        return DbError(value.isEmpty()
                           ? QStringLiteral("Já existe um registro com este código.")
                           : QStringLiteral("Já existe um registro com o código %1.").arg(value),
                       serverText, DbError::DuplicateKey);
    }
    if (has("update conflicts with concurrent update") || has("lock conflict") || has("deadlock") ||
        has("lock time-out") || has("record not found for user")) {
        return DbError(QStringLiteral("O registro foi alterado ou está bloqueado por outro "
                                      "programa. Tente de novo em instantes."),
                       serverText, DbError::RowConflict);
    }
    if (has("string right truncation")) {
        const QString limit = capture(serverText, QStringLiteral("expected length (\\d+)"));
        return DbError(limit.isEmpty()
                           ? QStringLiteral("Um texto é mais longo do que o campo aceita.")
                           : QStringLiteral("Um texto é mais longo do que o campo aceita (até %1 "
                                            "caracteres).")
                                 .arg(limit),
                       serverText, DbError::TextTooLong);
    }
    if (has("conversion error from string")) {
        const QString value =
            capture(serverText, QStringLiteral("conversion error from string \"([^\"]*)\""));
        return DbError(
            QStringLiteral("O valor \"%1\" não pôde ser convertido para o tipo do campo.")
                .arg(value),
            serverText, DbError::Conversion);
    }
    if (has("numeric overflow") || has("numeric value is out of range") ||
        has("value exceeds the range") || has("invalid date") || has("value out of range")) {
        return DbError(QStringLiteral("Um valor está fora do intervalo que o campo aceita."),
                       serverText, DbError::Conversion);
    }
    return DbError(QStringLiteral("O banco de dados não pôde concluir a operação."), serverText);
}

} // namespace lx
