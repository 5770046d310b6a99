#pragma once

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

namespace lx::agenda {

class Program;
class Picture;
class TFTrocarSenha;

/// The login window: the first window of the agenda program. Signing in hides it and shows
/// the main window; closing it ends the program.
class TFLogin : public QWidget
{
    Q_OBJECT
public:
    explicit TFLogin(Program &program, QWidget *parent = nullptr);

    void FormShow();
    void btnEntrarClick();
    void btnCancelarClick();
    void Label6Click();

    Picture *Image1;
    Picture *Image2;
    QLabel *Label1;
    QLineEdit *Edit1;
    QLabel *Label2;
    QLineEdit *Edit2;
    QLabel *Label6;
    QFrame *Bevel1;
    QLabel *Label4;
    QLabel *Label5;
    QToolButton *btnEntrar;
    QToolButton *btnCancelar;
    /// The last change-credentials window opened from the link.
    QPointer<TFTrocarSenha> FTrocarSenha;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormClose();
    void setHintVisible(bool visible);

    Program &m_program;
};

} // namespace lx::agenda
