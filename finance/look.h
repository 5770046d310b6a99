#pragma once

#include <QIcon>
#include <QString>

class QToolButton;
class QWidget;

namespace lx::finance {

/// One of the program's pictures by name ("sair", "tiposgasto", ...).
QIcon picture(const QString &name);

/// A button of the finance windows' button bars: small picture beside the caption, or the
/// picture alone with hint as its tooltip when there is no caption.
QToolButton *barButton(QWidget *parent, const char *name, const QString &caption, const QIcon &icon,
                       const QString &hint = {});

} // namespace lx::finance
