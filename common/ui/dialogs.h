#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

class QWidget;

namespace lx::ui {

/// The program's boxes: plain message, confirmation, error box and save-file dialog.
/// Tests switch on scripted mode: nothing modal is shown, confirmations and file names are
/// answered from queues, and every box is recorded.
class Dialogs
{
public:
    enum Kind { Message, Confirm, Error, SaveFile };
    struct Shown
    {
        Kind kind;
        QString caption;
        QString text;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    /// One OK button, no icon, the application title as caption.
    static void message(QWidget *parent, const QString &text);
    /// Caption "Atenção", Yes and No, question icon; true only for Yes.
    static bool confirm(QWidget *parent, const QString &text,
                        QMessageBox::StandardButton defaultButton = QMessageBox::No);
    /// The application's error box for an error raised in a handler.
    static void error(QWidget *parent, const QString &text);
    /// Empty when the user cancels.
    static QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                const QString &filter);

    // --- test hooks -------------------------------------------------------------------
    static void setScripted(bool on);
    static bool isScripted();
    /// The next confirmation's answer; without one, a scripted confirmation takes its
    /// default button (as Enter would).
    static void queueConfirm(bool yes);
    static void queueSaveFileName(const QString &fileName);
    static const QList<Shown> &shown();
    static void clearShown();
    /// The texts of the boxes of one kind shown so far.
    static QStringList texts(Kind kind);
};

} // namespace lx::ui
