#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

#include <functional>

namespace lx::test {

/// While it lives, every window the program shows modally (through Dialogs::showModal) is
/// shown without blocking, recorded, and handed to act, which may work it and close it.
///
///   ModalScript modal([](QDialog *d) { d->close(); });
///   menu.btnGasto->click();
///   QCOMPARE(modal.shown.size(), 1);
class ModalScript
{
public:
    explicit ModalScript(std::function<void(QDialog *)> act = {});
    ~ModalScript();
    ModalScript(const ModalScript &) = delete;
    ModalScript &operator=(const ModalScript &) = delete;

    QList<QPointer<QDialog>> shown;
    /// The class name of each window shown, in order.
    QStringList classNames() const;

private:
    std::function<void(QDialog *)> m_act;
};

/// Acts on the window that is shown modally next, for real (blocking), from the event loop;
/// then closes it if act left it open. It looks for that window for about five seconds.
void actOnNextModal(std::function<void(QWidget *)> act, int triesLeft = 500);

} // namespace lx::test
