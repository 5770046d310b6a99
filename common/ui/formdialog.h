#pragma once

#include <QDialog>

#include <functional>

namespace lx::ui {

/// Puts a window in the middle of the free area of its screen.
void centerOnScreen(QWidget *window);

/// Runs handler under guard() each time window is shown by the program (not when the window
/// system merely uncovers it): the windows' FormShow.
void onShow(QWidget *window, std::function<void()> handler);

/// A window the programs show modally: centred on its screen the first time it is shown,
/// and FormShow() run under guard() each time it is shown.
class FormDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FormDialog(QWidget *parent = nullptr);

protected:
    virtual void FormShow() {}

private:
    bool m_centred = false;
};

} // namespace lx::ui
