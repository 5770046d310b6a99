#pragma once

#include <QWidget>

namespace lx::agenda {

class Program;

/// The appointments report, made at start-up; it shows nothing of its own.
class TFRelatorioCompromissos : public QWidget
{
    Q_OBJECT
public:
    explicit TFRelatorioCompromissos(Program &program, QWidget *parent = nullptr);

private:
    Program &m_program;
};

} // namespace lx::agenda
