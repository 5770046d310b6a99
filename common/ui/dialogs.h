#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include <functional>

class QDialog;
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
        QString details; ///< error boxes: what goes under the box's details
    };

    /// The caption of message and error boxes: the program's title ("Tostara", "Lembrix QOR").
    static void setApplicationTitle(const QString &title);
    static QString applicationTitle();

    /// One OK button, no icon, the application title as caption.
    static void message(QWidget *parent, const QString &text);
    /// Caption "Atenção", Yes and No, question icon; true only for Yes.
    static bool confirm(QWidget *parent, const QString &text,
                        QMessageBox::StandardButton defaultButton = QMessageBox::No);
    /// The application's error box for an error raised in a handler; details (the server's own
    /// words) go under the box's details button.
    static void error(QWidget *parent, const QString &text, const QString &details = {});
    /// Empty when the user cancels.
    static QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                const QString &filter);

    /// Shows a window modally; while a test has set the modal hook, the window is shown
    /// without blocking and handed to the hook instead.
    static void showModal(QDialog *window);

    // --- test hooks -------------------------------------------------------------------
    /// Tests see each window that would be shown modally, shown without blocking.
    using ModalHook = std::function<void(QDialog *)>;
    static void setModalHook(ModalHook hook);
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
