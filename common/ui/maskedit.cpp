#include "maskedit.h"

#include "dialogs.h"

#include <QFocusEvent>
#include <QTimer>

namespace lx::ui {

namespace {
bool isMaskChar(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('9') || c == QLatin1Char('L') ||
           c == QLatin1Char('l') || c == QLatin1Char('A') || c == QLatin1Char('a');
}

// Mask characters by position ('\0' for literals) and the text of an empty box.
void positions(const QString &editMask, QString *pattern, QString *empty)
{
    QString body = editMask.section(QLatin1Char(';'), 0, 0);
    if (body.startsWith(QLatin1Char('!')))
        body.remove(0, 1);
    pattern->clear();
    empty->clear();
    for (int i = 0; i < body.size(); ++i) {
        QChar c = body[i];
        const bool escaped = c == QLatin1Char('\\') && i + 1 < body.size();
        if (escaped)
            c = body[++i];
        const bool slot = !escaped && isMaskChar(c);
        *pattern += slot ? c : QChar(0);
        *empty += slot ? QLatin1Char(' ') : c;
    }
}
} // namespace

MaskEdit::MaskEdit(QWidget *parent) : QLineEdit(parent) {}

MaskEdit::MaskEdit(const QString &editMask, QWidget *parent) : QLineEdit(parent)
{
    setEditMask(editMask);
}

QString MaskEdit::toInputMask(const QString &editMask)
{
    QString body = editMask.section(QLatin1Char(';'), 0, 0);
    if (body.startsWith(QLatin1Char('!')))
        body.remove(0, 1);
    QString out;
    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == QLatin1Char('\\') && i + 1 < body.size()) {
            out += QLatin1Char('\\');
            out += body[++i];
        } else if (c == QLatin1Char('0')) {
            out += QLatin1Char('9'); // required digit in Qt's notation
        } else if (c == QLatin1Char('9')) {
            out += QLatin1Char('0'); // optional digit
        } else if (isMaskChar(c)) {
            out += c;
        } else if (QStringLiteral("><!^{}[]HhBbXx#Nn").contains(c)) {
            out += QLatin1Char('\\');
            out += c;
        } else {
            out += c;
        }
    }
    const QString blank = editMask.section(QLatin1Char(';'), 2, 2);
    return out + QLatin1Char(';') + (blank.isEmpty() ? QStringLiteral("_") : blank.left(1));
}

void MaskEdit::setEditMask(const QString &editMask)
{
    m_mask = editMask;
    positions(editMask, &m_pattern, &m_empty);
    setInputMask(toInputMask(editMask));
}

QString MaskEdit::maskedText() const
{
    if (m_mask.isEmpty())
        return text();
    const QString blank = m_mask.section(QLatin1Char(';'), 2, 2).left(1);
    QString t = displayText();
    if (!blank.isEmpty())
        t.replace(blank[0], QLatin1Char(' '));
    return t;
}

void MaskEdit::setMaskedText(const QString &t) { setText(t); }

QString MaskEdit::emptyText() const { return m_mask.isEmpty() ? QString() : m_empty; }

bool MaskEdit::isBlank() const
{
    const QString t = maskedText();
    for (int i = 0; i < m_pattern.size() && i < t.size(); ++i)
        if (!m_pattern[i].isNull() && t[i] != QLatin1Char(' '))
            return false;
    return true;
}

bool MaskEdit::isComplete() const
{
    const QString t = maskedText();
    for (int i = 0; i < m_pattern.size(); ++i) {
        const QChar m = m_pattern[i];
        const bool required = m == QLatin1Char('0') || m == QLatin1Char('L') || m == QLatin1Char('A');
        if (required && (i >= t.size() || t[i] == QLatin1Char(' ')))
            return false;
    }
    return true;
}

QString MaskEdit::invalidInputMessage()
{
    return QStringLiteral("Valor de entrada inválido. Use a tecla Esc para abandonar as "
                          "alterações.");
}

void MaskEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (m_mask.isEmpty() || isBlank() || isComplete()) {
        emit editingDone();
        return;
    }
    // A box filled in part keeps the focus.
    Dialogs::error(window(), invalidInputMessage());
    QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

} // namespace lx::ui
