#pragma once

#include <QWidget>

namespace lx::agenda {

class Program;

/// The appointments report filter window, made at start-up; it shows nothing of its own.
class TFFiltroRelatorioCompromissos : public QWidget
{
    Q_OBJECT
public:
    explicit TFFiltroRelatorioCompromissos(Program &program, QWidget *parent = nullptr);

private:
    Program &m_program;
};

} // namespace lx::agenda
