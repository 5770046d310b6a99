#pragma once

#include "db/fieldformat.h"

#include <QLineEdit>

namespace lx::ui {

namespace masks = lx::masks;

/// A text box that takes input through an edit mask ("!99/99/0000;1;_": 0 a required digit,
/// 9 an optional digit, literals kept in the text, _ shown for blanks). maskedText() gives
/// blanks as spaces, so an untouched date box reads "  /  /    ". When the focus leaves a box
/// that is filled in part, the invalid-input error is shown and the box keeps the focus; Esc
/// brings back the text the box had when it got the focus. With "!", optional characters are
/// leading blanks: "9:30" typed into "!90:00" reads " 9:30".
class MaskEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit MaskEdit(QWidget *parent = nullptr);
    MaskEdit(const QString &editMask, QWidget *parent = nullptr);

    void setEditMask(const QString &editMask);
    QString editMask() const { return m_mask; }

    /// The text with literals, blanks as spaces.
    QString maskedText() const;
    void setMaskedText(const QString &text);
    /// The text of a box where nothing was typed.
    QString emptyText() const;
    bool isBlank() const;
    /// Every required position filled.
    bool isComplete() const;

    /// The Qt input mask for an edit mask in the fields' notation.
    static QString toInputMask(const QString &editMask);

    static QString invalidInputMessage();

signals:
    /// The focus left with a valid (blank or complete) text.
    void editingDone();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    /// Whether Esc has something to drop.
    virtual bool canRevert() const;
    /// Esc on a changed box: back to the text it had when it got the focus.
    virtual void revert();

private:
    QChar blankChar() const;
    /// Moves the characters of the group [start, end) behind its optional leading blanks when
    /// that fills it; returns whether the text changed.
    bool justify(int start, int end);
    bool justifyAll();

    QString m_mask;
    bool m_leadingBlanks = false; ///< "!": optional characters are leading blanks
    QString m_pattern;            ///< mask characters, one per position, '\0' for literals
    QString m_empty;              ///< the text of an empty box
    QString m_entryText;          ///< the text when the box got the focus
};

} // namespace lx::ui
