#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

namespace lx {

/// An error raised by the database layer or by a conversion; it ends the handler that met it
/// and is shown in the application's error box with its own text. The details, when there are
/// any, hold the server's own words and go under the box's details.
class DbError : public std::runtime_error
{
public:
    /// What went wrong, as far as the server's answer tells.
    enum Kind {
        Other,
        DatabaseMissing,    ///< no database file at the path tried
        DatabaseUnreadable, ///< a file there, but not one the engine can open
        DatabaseInUse,      ///< held by another program that does not share it
        ServerUnreachable,  ///< no answer from the database server, or the link was lost
        LoginRefused,       ///< user name or password refused by the server
        DuplicateKey,       ///< a row with the same code exists already
        RowConflict,        ///< the row was changed, deleted or locked by another program
        TextTooLong,        ///< a text longer than its column
        Conversion,         ///< a value that does not convert or is out of range
    };

    explicit DbError(const QString &message, const QString &details = {}, Kind kind = Other)
        : std::runtime_error(message.toStdString()), m_message(message), m_details(details),
          m_kind(kind)
    {}
    QString message() const { return m_message; }
    QString details() const { return m_details; }
    Kind kind() const { return m_kind; }

private:
    QString m_message;
    QString m_details;
    Kind m_kind;
};

/// The driver's own message for a failed statement or connection.
QString sqlErrorText(const QSqlError &error);

/// A failed statement or connection as the user reads it: a Portuguese text for the server's
/// common errors (databasePath names the file tried when connecting), the server's own text
/// as the details.
DbError sqlError(const QSqlError &error, const QString &databasePath = {});

/// The same for the server's text alone.
DbError serverError(const QString &serverText, const QString &databasePath = {});

} // namespace lx
