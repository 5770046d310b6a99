#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace lx::agenda {

class Program;

/// How to reach the program's authors. Closing it ends the agenda program.
class TFContato : public QWidget
{
    Q_OBJECT
public:
    explicit TFContato(Program &program, QWidget *parent = nullptr);

    void btnEmailClick();
    void SpeedButton1Click();
    void SpeedButton3Click();

    static const QString emailAddress;
    static const QString homePage;
    static const QString secondPage;

    QToolButton *btnEmail;
    QToolButton *SpeedButton3;
    QPlainTextEdit *Memo1;
    QFrame *Panel1;
    QLabel *Label1;
    QLineEdit *Edit1;
    QToolButton *SpeedButton1;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormClose();

    Program &m_program;
};

} // namespace lx::agenda
