#include "ui/dbedit.h"

#include "db/fieldformat.h"
#include "ui/datasource.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace lx::ui {

namespace {

// A masked date or time leaves blanks for optional digits ("9 :30", " 1/03/2024"); the
// cache reads "9:30" and "01/03/2024".
QString tidyMasked(FieldType type, const QString &text)
{
    const QChar sep = type == FieldType::Date ? QLatin1Char('/') : QLatin1Char(':');
    QStringList parts = text.split(sep);
    for (int i = 0; i < parts.size(); ++i) {
        QString p = parts[i].trimmed();
        bool digits = !p.isEmpty();
        for (QChar c : p)
            digits = digits && c.isDigit();
        if (type == FieldType::Date && digits && i < 2 && p.size() == 1)
            p.prepend(QLatin1Char('0'));
        parts[i] = p;
    }
    return parts.join(sep);
}

} // namespace

DBEdit::DBEdit(DataSource *source, const QString &field, QWidget *parent)
    : MaskEdit(parent), m_link(new FieldLink(source, field, this, this))
{
    const FieldDef &def = m_link->fieldDef();
    if (!def.editMask.isEmpty())
        setEditMask(def.editMask);
    else if (def.type == FieldType::Text && def.size > 0)
        setMaxLength(def.size);
    if (def.type == FieldType::Money || def.type == FieldType::Float ||
        def.type == FieldType::Integer)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(this, &QLineEdit::textEdited, m_link, [this] { m_link->userChanged(); });
    connect(this, &QLineEdit::textChanged, m_link, [this] { m_link->contentChanged(); });
    connect(this, &MaskEdit::editingDone, m_link, [this] { m_link->flushQuietly(); });
    m_link->reload();
}

DBEdit::~DBEdit()
{
    m_link->flushQuietly();
}

void DBEdit::loadValue(const QVariant &value)
{
    const FieldDef &def = m_link->fieldDef();
    if (def.editMask != editMask())
        setEditMask(def.editMask);
    setMaskedText(lx::editText(def.type, value));
    setModified(false);
    setCursorPosition(0);
}

QVariant DBEdit::contentValue() const
{
    const FieldType type = m_link->fieldDef().type;
    if (editMask().isEmpty())
        return text();
    if (isBlank())
        return QString();
    const QString t = maskedText();
    if (type == FieldType::Date || type == FieldType::Time)
        return tidyMasked(type, t);
    return t;
}

void DBEdit::setDataReadOnly(bool readOnly)
{
    setReadOnly(readOnly);
}

} // namespace lx::ui
