#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

namespace lx {

/// An error raised by the database layer or by a conversion; it ends the handler that met it
/// and is shown in the application's error box with its own text.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

/// The driver's own message for a failed statement or connection.
QString sqlErrorText(const QSqlError &error);

} // namespace lx
