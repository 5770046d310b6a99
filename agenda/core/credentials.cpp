#include "agenda/core/credentials.h"

#include "db/rowactions.h"
#include "db/tablecache.h"

namespace lx::agenda {

namespace {
const QString kFields = QStringLiteral("USULOGIN;USUSENHA");
}

QString upperCredential(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    return out;
}

bool hasDefaultAccount(TableCache &users)
{
    users.open();
    return users.locate(kFields, {defaultLogin, defaultLogin});
}

bool locateAccount(TableCache &users, const QString &login, const QString &password)
{
    users.open();
    return users.locate(kFields, {upperCredential(login), upperCredential(password)});
}

CredentialChange changeCredentials(TableCache &users, const QString &login, const QString &password,
                                   const QString &newLogin, const QString &newPassword,
                                   const QString &repeatPassword)
{
    if (!locateAccount(users, login, password))
        return CredentialChange::WrongCurrent;
    if (newPassword != repeatPassword)
        return CredentialChange::RepeatMismatch;
    users.edit();
    users.setValue(QStringLiteral("USULOGIN"), upperCredential(newLogin));
    users.setValue(QStringLiteral("USUSENHA"), upperCredential(newPassword));
    // A refused change must not linger in the cache, where sign-in would accept it.
    saveRow(users, OnRefusal::Drop);
    return CredentialChange::Changed;
}

} // namespace lx::agenda
