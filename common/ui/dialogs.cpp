#include "ui/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QQueue>

namespace lx::ui {

namespace {
struct Script
{
    bool on = false;
    QQueue<bool> confirms;
    QQueue<QString> fileNames;
    QList<Dialogs::Shown> shown;
    Dialogs::ModalHook modalHook;
    QString title;
};
Script &script()
{
    static Script s;
    return s;
}
QString appTitle()
{
    return script().title;
}
} // namespace

void Dialogs::setApplicationTitle(const QString &title)
{
    script().title = title;
}

QString Dialogs::applicationTitle()
{
    return script().title;
}

void Dialogs::showModal(QDialog *window)
{
    if (script().modalHook) {
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        script().modalHook(window);
        return;
    }
    window->exec();
}

void Dialogs::setModalHook(ModalHook hook)
{
    script().modalHook = std::move(hook);
}

void Dialogs::message(QWidget *parent, const QString &text)
{
    script().shown << Shown{Message, appTitle(), text, QMessageBox::Ok, {}};
    if (script().on)
        return;
    QMessageBox box(QMessageBox::NoIcon, appTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool Dialogs::confirm(QWidget *parent, const QString &text,
                      QMessageBox::StandardButton defaultButton)
{
    const QString caption = QStringLiteral("Atenção");
    script().shown << Shown{Confirm, caption, text, defaultButton, {}};
    if (script().on) {
        if (!script().confirms.isEmpty())
            return script().confirms.dequeue();
        return defaultButton == QMessageBox::Yes;
    }
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(defaultButton);
    return box.exec() == QMessageBox::Yes;
}

void Dialogs::error(QWidget *parent, const QString &text, const QString &details)
{
    script().shown << Shown{Error, appTitle(), text, QMessageBox::Ok, details};
    if (script().on)
        return;
    QMessageBox box(QMessageBox::Critical, appTitle(), text, QMessageBox::Ok, parent);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}

QString Dialogs::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                              const QString &filter)
{
    script().shown << Shown{SaveFile, caption, dir, QMessageBox::NoButton, {}};
    if (script().on)
        return script().fileNames.isEmpty() ? QString() : script().fileNames.dequeue();
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void Dialogs::setScripted(bool on)
{
    script().on = on;
    script().confirms.clear();
    script().fileNames.clear();
}
bool Dialogs::isScripted()
{
    return script().on;
}
void Dialogs::queueConfirm(bool yes)
{
    script().confirms.enqueue(yes);
}
void Dialogs::queueSaveFileName(const QString &fileName)
{
    script().fileNames.enqueue(fileName);
}
const QList<Dialogs::Shown> &Dialogs::shown()
{
    return script().shown;
}
void Dialogs::clearShown()
{
    script().shown.clear();
}

QStringList Dialogs::texts(Kind kind)
{
    QStringList out;
    for (const Shown &s : script().shown)
        if (s.kind == kind)
            out << s.text;
    return out;
}

} // namespace lx::ui
