#include "ui/maskedit.h"

#include "ui/dialogs.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace lx::ui {

namespace {
bool isMaskChar(QChar c)
{
    return QStringLiteral("09LlAaCc#").contains(c);
}

// The Qt input-mask character for a mask character of the fields' notation.
QChar qtMaskChar(QChar c)
{
    switch (c.unicode()) {
    case '0':
        return QLatin1Char('9'); // required digit
    case '9':
        return QLatin1Char('0'); // optional digit
    case 'L':
        return QLatin1Char('A'); // required letter
    case 'l':
        return QLatin1Char('a');
    case 'A':
        return QLatin1Char('N'); // required letter or digit
    case 'a':
        return QLatin1Char('n');
    case 'C':
        return QLatin1Char('X'); // required character
    case 'c':
        return QLatin1Char('x');
    default:
        return QLatin1Char('#'); // digit or sign, optional
    }
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
        } else if (isMaskChar(c)) {
            out += qtMaskChar(c);
        } else if (c == QLatin1Char('<') && i + 1 < body.size() &&
                   body[i + 1] == QLatin1Char('>')) {
            out += QLatin1Char('!'); // case conversion off
            ++i;
        } else if (c == QLatin1Char('>') || c == QLatin1Char('<')) {
            out += c;
        } else if (QStringLiteral("AaNnXx90DdHhBb#!{}[];").contains(c)) {
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
    m_leadingBlanks = editMask.startsWith(QLatin1Char('!'));
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

void MaskEdit::setMaskedText(const QString &t)
{
    if (m_mask.isEmpty()) {
        setText(t);
        return;
    }
    // The box takes a space as "no character here" and would pull what follows into it.
    QString withBlanks = t;
    const QChar blank = blankChar();
    for (int i = 0; i < withBlanks.size() && i < m_pattern.size(); ++i)
        if (!m_pattern[i].isNull() && withBlanks[i] == QLatin1Char(' '))
            withBlanks[i] = blank;
    setText(withBlanks);
}

QChar MaskEdit::blankChar() const
{
    const QString b = m_mask.section(QLatin1Char(';'), 2, 2);
    return b.isEmpty() ? QLatin1Char('_') : b[0];
}

bool MaskEdit::justify(int start, int end)
{
    if (!m_leadingBlanks || start >= end)
        return false;
    const QString t = maskedText();
    QString filled;
    int optional = 0;
    for (int i = start; i < end; ++i) {
        if (i < t.size() && t[i] != QLatin1Char(' '))
            filled += t[i];
        if (QStringLiteral("9lac#").contains(m_pattern[i]))
            ++optional;
    }
    const int blanks = (end - start) - int(filled.size());
    if (filled.isEmpty() || blanks == 0 || blanks > optional)
        return false;
    const QString group = QString(blanks, QLatin1Char(' ')) + filled;
    if (t.mid(start, end - start) == group)
        return false;
    const int cursor = cursorPosition();
    setMaskedText(t.left(start) + group + t.mid(end));
    setCursorPosition(cursor);
    return true;
}

bool MaskEdit::justifyAll()
{
    bool changed = false;
    int start = -1;
    for (int i = 0; i <= m_pattern.size(); ++i) {
        const bool slot = i < m_pattern.size() && !m_pattern[i].isNull();
        if (slot && start < 0)
            start = i;
        if (!slot && start >= 0) {
            changed = justify(start, i) || changed;
            start = -1;
        }
    }
    return changed;
}

QString MaskEdit::emptyText() const
{
    return m_mask.isEmpty() ? QString() : m_empty;
}

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
        const bool required = m == QLatin1Char('0') || m == QLatin1Char('L') ||
                              m == QLatin1Char('A') || m == QLatin1Char('C');
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

void MaskEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // The box taken back after an invalid input keeps the text it had before it.
    if (m_mask.isEmpty() || isBlank() || isComplete())
        m_entryText = text();
}

void MaskEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && canRevert()) {
        revert();
        event->accept();
        return;
    }
    // Typing the literal that ends a group fills the group from the right: "9:" gives " 9:".
    const QString typed = event->text();
    if (!m_mask.isEmpty() && typed.size() == 1 && !isReadOnly() && !hasSelectedText()) {
        const int pos = cursorPosition();
        int lit = pos;
        while (lit < m_pattern.size() && !m_pattern[lit].isNull())
            ++lit;
        int start = pos;
        while (start > 0 && !m_pattern[start - 1].isNull())
            --start;
        if (lit < m_pattern.size() && lit > start && m_empty[lit] == typed[0] &&
            justify(start, lit)) {
            setCursorPosition(lit + 1);
            setModified(true);
            emit textEdited(text());
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

bool MaskEdit::canRevert() const
{
    return !isReadOnly() && text() != m_entryText;
}

void MaskEdit::revert()
{
    setText(m_entryText);
    selectAll();
}

void MaskEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another program or opening a menu is not leaving the box.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (!m_mask.isEmpty() && justifyAll())
        emit textEdited(text());
    if (m_mask.isEmpty() || isBlank() || isComplete()) {
        emit editingDone();
        return;
    }
    // A box filled in part keeps the focus.
    Dialogs::error(window(), invalidInputMessage());
    QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

} // namespace lx::ui
