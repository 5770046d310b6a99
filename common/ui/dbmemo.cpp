#include "ui/dbmemo.h"

#include "ui/datasource.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QTextCursor>

namespace lx::ui {

DBMemo::DBMemo(DataSource *source, const QString &field, QWidget *parent)
    : QPlainTextEdit(parent), m_link(new FieldLink(source, field, this, this))
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, m_link, [this] { onTextChanged(); });
    m_link->reload();
}

DBMemo::~DBMemo()
{
    m_link->flushQuietly();
}

void DBMemo::onTextChanged()
{
    if (m_link->isLoading() || m_trimming)
        return;
    const int size = m_link->fieldDef().size;
    if (size > 0 && toPlainText().size() > size) {
        // Like an edit box's maximum length: what does not fit is not taken.
        QScopedValueRollback<bool> trimming(m_trimming, true);
        QTextCursor c = textCursor();
        const int pos = c.position();
        const int extra = toPlainText().size() - size;
        c.setPosition(qMax(0, pos - extra));
        c.setPosition(pos, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        if (toPlainText().size() > size) { // pasted elsewhere than before the cursor
            c.movePosition(QTextCursor::End);
            c.setPosition(size, QTextCursor::KeepAnchor);
            c.removeSelectedText();
        }
        QApplication::beep();
    }
    m_link->userChanged();
}

void DBMemo::loadValue(const QVariant &value)
{
    setPlainText(value.isNull() ? QString() : value.toString());
}

QVariant DBMemo::contentValue() const
{
    return toPlainText();
}

void DBMemo::setDataReadOnly(bool readOnly)
{
    setReadOnly(readOnly);
}

void DBMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        m_link->flushQuietly();
}

} // namespace lx::ui
