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

void actOnNextModal(std::function<void(QWidget *)> act, int triesLeft)
{
    // The window may need a turn or two of the event loop before it is shown.
    QTimer::singleShot(triesLeft == 500 ? 0 : 10, [act, triesLeft] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            if (triesLeft > 0)
                actOnNextModal(act, triesLeft - 1);
            return;
        }
        act(modal);
        if (modal->isVisible())
            modal->close();
    });
}

} // namespace lx::test
