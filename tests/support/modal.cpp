#include "support/modal.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QTimer>

namespace lx::test {

ModalScript::ModalScript(std::function<void(QDialog *)> act) : m_act(std::move(act))
{
    ui::Dialogs::setModalHook([this](QDialog *d) {
        shown << d;
        if (m_act)
            m_act(d);
    });
}

ModalScript::~ModalScript()
{
    ui::Dialogs::setModalHook({});
}

QStringList ModalScript::classNames() const
{
    QStringList names;
    for (const QPointer<QDialog> &d : shown)
        names << (d ? QString::fromLatin1(d->metaObject()->className()) : QString());
    return names;
}

void actOnNextModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        act(modal);
        if (modal->isVisible())
            modal->close();
    });
}

} // namespace lx::test
