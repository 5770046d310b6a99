#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lx::agenda {

class Program;

/// Replaces the user name and password of an account after the current ones are given.
/// Opened modally from the login window.
class TFTrocarSenha : public QWidget
{
    Q_OBJECT
public:
    explicit TFTrocarSenha(Program &program, QWidget *parent = nullptr);

    void btnEntrarClick();
    void btnCancelarClick();

    QFrame *Panel2;
    QLabel *Label1;
    QLineEdit *Edit1;
    QLabel *Label2;
    QLineEdit *Edit2;
    QFrame *Panel1;
    QLabel *Label3;
    QLineEdit *Edit3;
    QLabel *Label4;
    QLineEdit *Edit4;
    QLabel *Label5;
    QLineEdit *Edit5;
    QPushButton *btnEntrar;
    QPushButton *btnCancelar;

private:
    Program &m_program;
};

} // namespace lx::agenda
