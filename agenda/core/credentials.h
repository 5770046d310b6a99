#pragma once

#include <QString>

namespace lx {
class TableCache;
}

namespace lx::agenda {

/// The user name and password of the account a fresh database holds.
inline const QString defaultLogin = QStringLiteral("VELKAN");

/// Credentials are stored in upper case: a to z become A to Z, every other character
/// (accented letters included) stays as typed.
QString upperCredential(const QString &text);

/// Whether the user cache (opened if closed) holds the untouched default account.
bool hasDefaultAccount(TableCache &users);

/// Makes the first account matching the typed user name and password (compared upper-cased)
/// current in the user cache, opened if closed. Returns whether there is one.
bool locateAccount(TableCache &users, const QString &login, const QString &password);

/// What a request to change credentials came to.
enum class CredentialChange {
    WrongCurrent,   ///< no account has the current user name and password
    RepeatMismatch, ///< the new password and its repetition differ as typed
    Changed,        ///< stored on the server
};

/// Replaces the user name and password of the first account matching the current ones. The
/// new values are stored upper-cased and cut to the field size. A change the server refuses
/// throws DbError; the cache is then closed, so its next use reads what the server holds.
CredentialChange changeCredentials(TableCache &users, const QString &login, const QString &password,
                                   const QString &newLogin, const QString &newPassword,
                                   const QString &repeatPassword);

} // namespace lx::agenda
